// The main window's menu bar: the toolbar's commands under "Fisier, Editare, Vizualizare,
// Ajutor", the same actions in both places, and the files used last.
#include "app/ui/frmMain.h"

#include "base/Prompter.h"
#include "coordlist/ui/EditableList.h"
#include "sketch/ui/DrawSketch.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

namespace {
const QString RecentFilesCaption = QStringLiteral("Fisiere recente");
// The coordinate list's pop-up actions the Editare menu shares.
const char* const ListEditActions[] = {"mnuCut", "mnuCopy", "mnuPaste"};
} // namespace

void frmMain::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("Fisier"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    buildDocumentEntries(m_fileMenu);
    m_fileMenu->addSeparator();
    buildFileMenu();
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(toolButton(QStringLiteral("Exit")));
    buildEditMenu();
    buildViewMenu();
    buildHelpMenu();
}

void frmMain::buildDocumentEntries(QMenu* menu)
{
    menu->addAction(toolButton(QStringLiteral("New")));
    menu->addAction(toolButton(QStringLiteral("Open")));
    m_recentMenu = menu->addMenu(RecentFilesCaption);
    m_recentMenu->setObjectName(QStringLiteral("mnuRecent"));
    showRecentFiles();
    menu->addAction(toolButton(QStringLiteral("Save")));
    menu->addAction(toolButton(QStringLiteral("SaveAs")));
    menu->addSeparator();
    menu->addAction(toolButton(QStringLiteral("ImportDXF")));
    menu->addAction(toolButton(QStringLiteral("ExportRTF")));
}

void frmMain::buildEditMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Editare"));
    menu->setObjectName(QStringLiteral("mnuEdit"));
    menu->addActions(undoActions());
    menu->addSeparator();
    QList<QAction*> listActions;
    for (const char* name : ListEditActions) {
        if (QAction* action = m_coordinates->findChild<QAction*>(QString::fromLatin1(name)))
            listActions.append(action);
    }
    menu->addActions(listActions);
    menu->addSeparator();
    menu->addAction(toolButton(QStringLiteral("XToY")));
    menu->addSeparator();
    menu->addAction(toolButton(QStringLiteral("Options")));
    // The list's commands act on the list: offered while it is the page in view, in the state
    // its own pop-up menu would show them.
    connect(menu, &QMenu::aboutToShow, this, [this, listActions] {
        m_coordinates->preparePopupMenu();
        const bool listInView = m_tabs->currentIndex() == 1 && m_coordinates->isEnabled();
        for (QAction* action : listActions)
            action->setEnabled(listInView && action->isEnabled());
    });
}

void frmMain::buildViewMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Vizualizare"));
    menu->setObjectName(QStringLiteral("mnuView"));
    menu->addAction(m_sketch->zoomToFitAction());
    menu->addAction(toolButton(QStringLiteral("Refresh")));
    // The sketch's tools, the very buttons of its toolbar: checked here as there.
    menu->addSeparator();
    menu->addActions(m_sketch->toolGroup()->actions());
}

void frmMain::buildHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("Ajutor"));
    menu->setObjectName(QStringLiteral("mnuHelp"));
    menu->addAction(toolButton(QStringLiteral("Help")));
}

void frmMain::setUserState(QSettings* store)
{
    m_userState.setStore(store);
    showRecentFiles();
}

void frmMain::addRecentFile(const QString& path)
{
    m_userState.addRecentFile(path);
    showRecentFiles();
}

// Filled again whenever the list changes: an empty submenu stays disabled, and a disabled one
// would never get the chance to fill itself on opening.
void frmMain::showRecentFiles()
{
    m_recentMenu->clear();
    const QStringList files = m_userState.recentFiles();
    int number = 0;
    for (const QString& path : files) {
        QAction* action =
            m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(QDir::toNativeSeparators(path)));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void frmMain::openRecentFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_userState.removeRecentFile(path);
        showRecentFiles();
        m_prompter.message(QStringLiteral("Fisierul ") + path +
                               QStringLiteral(" nu mai exista. A fost scos din lista fisierelor recente."),
                           QStringLiteral("Atentie"), Prompter::Icon::Exclamation);
        return;
    }
    if (maySetDocumentAside())
        LoadIntoWindow(path);
}
