#include "cli/CgxmlCommand.h"

#include "cgxml/CgxmlChecks.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cgxml/CgxmlWriter.h"
#include "cli/DataFolder.h"
#include "cli/LoadedDocument.h"
#include "cli/SharedOptions.h"
#include "format/CPFile.h"

CgxmlCommand::CgxmlCommand()
    : m_output(SharedOptions::output(QStringLiteral("FILE.cgxml"))),
      m_data(SharedOptions::data(QStringLiteral("FOLDER"))), m_surveyor(SharedOptions::surveyor()),
      m_license(SharedOptions::license()), m_date(SharedOptions::date(QStringLiteral("YYYY-MM-DDTHH:MM:SS"))),
      m_force(QStringLiteral("force"), QStringLiteral("Write the file even when the checks find errors."))
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document to export."));
    commandLine().addOption(m_output, CommandLine::Presence::Required);
    for (const QCommandLineOption* option : {&m_data, &m_surveyor, &m_license, &m_date, &m_force})
        commandLine().addOption(*option);
}

int CgxmlCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);
    CgxmlWriter::Options options;
    options.surveyorName = line.value(m_surveyor);
    options.surveyorLicense = line.value(m_license);
    // An empty --date stands for now, as no --date does.
    const QString date = line.value(m_date);
    if (!date.isEmpty()) {
        options.exportDate = QDateTime::fromString(date, Qt::ISODate);
        if (!options.exportDate.isValid())
            return usage(err);
    }

    const DocumentPtr loaded = loadDocumentOrReport(input, err);
    if (!loaded)
        return Refused;
    const Document& document = *loaded;
    const QList<CgxmlFinding> findings = CgxmlChecks::run(document);
    for (const CgxmlFinding& finding : findings) {
        err << input << ": " << (finding.severity == CgxmlFinding::Severity::Error ? "eroare: " : "avertisment: ")
            << finding.text << Qt::endl;
    }
    if (CgxmlChecks::hasErrors(findings) && !line.isSet(m_force)) {
        err << input << ": not exported (errors above; --force writes the file anyway)" << Qt::endl;
        return Refused;
    }

    CgxmlNomenclature nomenclature;
    nomenclature.open(dataFolderOr(line.value(m_data)));
    options.territoryOf = [&nomenclature](int siruta) { return nomenclature.territoryOf(siruta); };
    Error error;
    if (!CgxmlWriter::writeFile(document, options, output, &error)) {
        err << output << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << output << Qt::endl;
    return Done;
}
