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
#include <QSet>

#include <QTabWidget>
#include <algorithm>

namespace {
const QString RecentFilesCaption = QStringLiteral("Fisiere recente");
// The coordinate list's pop-up actions the Editare menu shares.
const char* const ListEditActions[] = {"mnuCut", "mnuCopy", "mnuPaste"};

// The letter after a single '&' (lower case), or a null character.
QChar acceleratorOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1).toLower();
            ++i;
        }
    }
    return {};
}

// The first position in `caption` (before any tab) whose letter is not in `used`; a word's
// first letter only when `wordStart`. -1 when there is none.
qsizetype freeLetter(const QString& caption, const QSet<QChar>& used, bool wordStart)
{
    for (qsizetype i = 0; i < caption.size() && caption.at(i) != QLatin1Char('\t'); ++i) {
        const QChar c = caption.at(i).toLower();
        if (c.isLetterOrNumber() && !used.contains(c) &&
            (!wordStart || i == 0 || caption.at(i - 1) == QLatin1Char(' ')))
            return i;
    }
    return -1;
}

int freeLetterCount(const QString& caption, const QSet<QChar>& used)
{
    QSet<QChar> free;
    for (const QChar c : caption.section(QLatin1Char('\t'), 0, 0))
        if (c.isLetterOrNumber() && !used.contains(c.toLower()))
            free.insert(c.toLower());
    return int(free.size());
}

// Gives every item of `menu` (and of its submenus) without an Alt letter a free one: first a
// word's first letter where one is free, then, the items with the fewest letters left first
// ("Exit" before "Export DXF..."), any letter. The toolbar shares these actions but shows
// their texts without the '&'. Items renamed as they change (undo, redo) are left without one.
void assignAccelerators(QMenu* menu)
{
    QSet<QChar> used;
    QList<QAction*> pending;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            assignAccelerators(action->menu());
        if (const QChar letter = acceleratorOf(action->text()); !letter.isNull())
            used.insert(letter);
        else if (!action->property("renamed").toBool())
            pending.append(action);
    }
    auto give = [&used](QAction* action, qsizetype at) {
        used.insert(action->text().at(at).toLower());
        action->setText(action->text().insert(at, QLatin1Char('&')));
    };
    QList<QAction*> left;
    for (QAction* action : pending) {
        if (const qsizetype at = freeLetter(action->text(), used, true); at >= 0)
            give(action, at);
        else
            left.append(action);
    }
    while (!left.isEmpty()) {
        const auto fewest = std::min_element(left.begin(), left.end(), [&used](QAction* a, QAction* b) {
            return freeLetterCount(a->text(), used) < freeLetterCount(b->text(), used);
        });
        QAction* action = *fewest;
        left.erase(fewest);
        if (const qsizetype at = freeLetter(action->text(), used, false); at >= 0)
            give(action, at);
    }
}
} // namespace

void frmMain::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&Fisier"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    buildDocumentEntries(m_fileMenu);
    m_fileMenu->addSeparator();
    buildFileMenu();
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(toolButton(QStringLiteral("Exit")));
    buildEditMenu();
    buildViewMenu();
    buildHelpMenu();
    for (QAction* action : undoActions())
        action->setProperty("renamed", true);
    for (QAction* title : menuBar()->actions())
        assignAccelerators(title->menu());
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
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Editare"));
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
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Vizualizare"));
    menu->setObjectName(QStringLiteral("mnuView"));
    menu->addAction(m_sketch->zoomToFitAction());
    menu->addAction(toolButton(QStringLiteral("Refresh")));
    // The sketch's tools, the very buttons of its toolbar: checked here as there.
    menu->addSeparator();
    menu->addActions(m_sketch->toolGroup()->actions());
}

void frmMain::buildHelpMenu()
{
    QMenu* menu = menuBar()->addMenu(QStringLiteral("A&jutor"));
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
