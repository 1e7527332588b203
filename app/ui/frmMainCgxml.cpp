// The national exchange file commands of the main window.
#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "cgxml/ui/CgxmlWindowCommands.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"

#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>

void frmMain::addCgxmlCommands(QMenu* menu)
{
    QAction* exportAction = menu->addAction(QStringLiteral("Export CGXML..."), this, &frmMain::ExportCgxml);
    exportAction->setObjectName(QStringLiteral("mnuExportCgxml"));
    QAction* openAction = menu->addAction(QStringLiteral("Deschide CGXML..."), this, &frmMain::OpenCgxml);
    openAction->setObjectName(QStringLiteral("mnuOpenCgxml"));
}

void frmMain::ExportCgxml()
{
    commitPendingEdit();
    if (!m_form->ValidateData())
        return;
    const DocumentPtr document = m_form->Document();
    document->setIsAp(m_form->IsAp() ? -1 : 0);
    attachContours(*document);
    CgxmlWindowCommands commands(m_prompter, m_settings.dataFolder(), this);
    if (m_showCgxmlChecks)
        commands.setChecksShower(m_showCgxmlChecks);
    const QString base = m_fileName.isEmpty() ? defaultFileName() : m_fileName;
    const QFileInfo info(base);
    commands.exportDocument(*document, info.dir().filePath(info.completeBaseName() + QStringLiteral(".cgxml")),
                            m_settings.surveyorName, m_settings.surveyorLicense);
}

void frmMain::OpenCgxml()
{
    CgxmlWindowCommands commands(m_prompter, m_settings.dataFolder(), this);
    const DocumentPtr document = commands.openDocument();
    if (!document)
        return;
    // The file's surveyor is whoever measured before; the work continues under this installation's.
    document->setSurveyorName(m_settings.surveyorName);
    document->setSurveyorLicense(m_settings.surveyorLicense);
    // The window opens documents from .CP files: the imported one goes through a temporary file,
    // and the window then has no file name, so "Save" asks for one.
    QTemporaryDir folder;
    CPFile file(NumberText::systemDecimalSeparator());
    file.setDocument(document);
    file.setCPFileName(folder.filePath(QStringLiteral("import.CP")));
    Error error;
    if (!folder.isValid() || !file.SaveCPFile(&error)) {
        m_prompter.showError(error);
        return;
    }
    LoadIntoWindow(file.CPFileName());
    m_fileName.clear();
    showCaption();
}
