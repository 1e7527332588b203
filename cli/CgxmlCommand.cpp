#include "cli/CgxmlCommand.h"

#include "cgxml/CgxmlChecks.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cgxml/CgxmlWriter.h"
#include "cli/DataFolder.h"
#include "cli/LoadedDocument.h"
#include "format/CPFile.h"

#include <QCoreApplication>
#include <QDir>

int CgxmlCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString input, output, dataFolder, date;
    bool force = false;
    CgxmlWriter::Options options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("-o") && hasValue)
            output = arguments.at(++i);
        else if (argument == QLatin1String("--data") && hasValue)
            dataFolder = arguments.at(++i);
        else if (argument == QLatin1String("--surveyor") && hasValue)
            options.surveyorName = arguments.at(++i);
        else if (argument == QLatin1String("--license") && hasValue)
            options.surveyorLicense = arguments.at(++i);
        else if (argument == QLatin1String("--date") && hasValue)
            date = arguments.at(++i);
        else if (argument == QLatin1String("--force"))
            force = true;
        else if (input.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            input = argument;
        else
            return usage(err);
    }
    if (input.isEmpty() || output.isEmpty())
        return usage(err);
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
    if (CgxmlChecks::hasErrors(findings) && !force) {
        err << input << ": not exported (errors above; --force writes the file anyway)" << Qt::endl;
        return Refused;
    }

    CgxmlNomenclature nomenclature;
    nomenclature.open(dataFolderOr(dataFolder));
    options.territoryOf = [&nomenclature](int siruta) { return nomenclature.territoryOf(siruta); };
    Error error;
    if (!CgxmlWriter::writeFile(document, options, output, &error)) {
        err << output << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << output << Qt::endl;
    return Done;
}
