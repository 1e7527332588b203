#include "cgxml/ui/CgxmlWindowCommands.h"

#include "base/Prompter.h"
#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cgxml/CgxmlWriter.h"
#include "cgxml/ui/CgxmlChecksDialog.h"

#include <QFileInfo>

namespace {
const QString Filter = QStringLiteral("Fisiere CGXML|*.cgxml|");
}

const QString CgxmlWindowCommands::Caption = QStringLiteral("CGXML");

CgxmlWindowCommands::CgxmlWindowCommands(Prompter& prompter, QString dataFolder, QWidget* parent)
    : m_prompter(prompter), m_dataFolder(std::move(dataFolder)), m_parent(parent)
{
    m_showChecks = [this](const QList<CgxmlFinding>& findings) {
        CgxmlChecksDialog dialog(findings, m_parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

bool CgxmlWindowCommands::exportDocument(const Document& document, const QString& suggestedPath,
                                         const QString& surveyorName, const QString& surveyorLicense)
{
    const QList<CgxmlFinding> findings = CgxmlChecks::run(document);
    if (!findings.isEmpty() && (!m_showChecks(findings) || CgxmlChecks::hasErrors(findings)))
        return false;
    const QString path = m_prompter.saveFileName(QStringLiteral("Export CGXML"), Filter, suggestedPath);
    if (path.trimmed().isEmpty())
        return false;
    CgxmlNomenclature nomenclature;
    nomenclature.open(m_dataFolder);
    CgxmlWriter::Options options;
    options.surveyorName = surveyorName;
    options.surveyorLicense = surveyorLicense;
    options.territoryOf = [&nomenclature](int siruta) { return nomenclature.territoryOf(siruta); };
    Error error;
    if (!CgxmlWriter::writeFile(document, options, path, &error)) {
        m_prompter.showError(error);
        return false;
    }
    return true;
}

DocumentPtr CgxmlWindowCommands::openDocument()
{
    const QString path = m_prompter.openFileName(QStringLiteral("Deschide CGXML"), Filter, QString());
    if (path.trimmed().isEmpty())
        return nullptr;
    CgxmlReader reader;
    QString error;
    if (!reader.readFile(path, &error)) {
        m_prompter.error(error);
        return nullptr;
    }
    QString cadastralNumber;
    const QList<CgxmlRow> lands = reader.rows(QStringLiteral("Land"));
    if (lands.size() > 1) {
        QStringList numbers;
        for (const CgxmlRow& land : lands)
            numbers << land.value("CADGENNO");
        const std::optional<QString> chosen = m_prompter.inputText(
            QStringLiteral("Fisierul contine %1 terenuri (%2). Numarul cadastral al terenului de deschis:")
                .arg(lands.size())
                .arg(numbers.join(QStringLiteral(", "))),
            Caption, numbers.first());
        if (!chosen)
            return nullptr;
        cadastralNumber = chosen->trimmed();
    }
    CgxmlNomenclature nomenclature;
    nomenclature.open(m_dataFolder);
    CgxmlImport::Result result;
    if (!CgxmlImport::toDocument(reader, cadastralNumber, &nomenclature, &result, &error)) {
        m_prompter.error(error);
        return nullptr;
    }
    const QString report = CgxmlImport::report(result);
    if (!report.isEmpty())
        m_prompter.message(report, Caption, Prompter::Icon::Information);
    return result.document;
}
