#pragma once

#include "cgxml/CgxmlChecks.h"
#include "model/Document.h"

#include <functional>

class Prompter;
class QWidget;

// The window's two commands for the national exchange file. Every message and file dialog goes
// through the prompter; the checks dialog is replaceable by tests.
class CgxmlWindowCommands
{
public:
    CgxmlWindowCommands(Prompter& prompter, QString dataFolder, QWidget* parent = nullptr);

    // Shows the findings; true when the user chose to export. Default: CgxmlChecksDialog.
    void setChecksShower(std::function<bool(const QList<CgxmlFinding>&)> shower) { m_showChecks = std::move(shower); }

    // "Export CGXML...": checks, then asks for the file and writes it. The surveyor's name and
    // licence come from the settings. True when a file was written.
    bool exportDocument(const Document& document, const QString& suggestedPath, const QString& surveyorName,
                        const QString& surveyorLicense);

    // "Deschide CGXML...": asks for a file, asks which land when there are several, and reads it.
    // What the document cannot hold is shown in one message. Null when nothing was read.
    DocumentPtr openDocument();

    static const QString Caption;

private:
    Prompter& m_prompter;
    QString m_dataFolder;
    QWidget* m_parent;
    std::function<bool(const QList<CgxmlFinding>&)> m_showChecks;
};
