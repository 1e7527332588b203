#include "cli/NomenclatureCommand.h"

#include "base/Error.h"
#include "cli/SharedOptions.h"
#include "entry/nomenclature/NomenclatureImport.h"

NomenclatureCommand::NomenclatureCommand()
    : m_siruta(QStringLiteral("siruta"), QStringLiteral("The statistics institute's SIRUTA register (CSV)."),
               QStringLiteral("SIRUTA.csv")),
      m_streetsMfp(QStringLiteral("streets-mfp"),
                   QStringLiteral("A county's street nomenclature from the Ministry of Finance (a folder)."),
                   QStringLiteral("DIR")),
      m_streetsPosta(QStringLiteral("streets-posta"), QStringLiteral("The postal index of Bucharest (JSON)."),
                     QStringLiteral("BUCURESTI.json")),
      m_output(SharedOptions::output(QStringLiteral("DATA_DIR")))
{
    commandLine().addOption(m_siruta, CommandLine::Presence::Required);
    commandLine().addOption(m_streetsMfp, CommandLine::Presence::Repeatable);
    commandLine().addOption(m_streetsPosta);
    commandLine().addOption(m_output, CommandLine::Presence::Required);
}

int NomenclatureCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    // One register, one postal index, one output: a second one is a mistake, not a choice.
    for (const QCommandLineOption* once : {&m_siruta, &m_streetsPosta, &m_output}) {
        if (line.values(*once).size() > 1)
            return usage(err);
    }
    NomenclatureSources sources;
    sources.sirutaFile = line.value(m_siruta);
    sources.streetFolders = line.values(m_streetsMfp);
    sources.postalFile = line.value(m_streetsPosta);
    const QString outputFolder = line.value(m_output);

    try {
        const NomenclatureBuild build = NomenclatureImport::run(sources, outputFolder);
        for (const NomenclatureTable& table : build.tables)
            out << table.fileName << ' ' << table.rowCount() << Qt::endl;
        if (build.skippedRecords > 0)
            out << "SIRUTA records left out: " << build.skippedRecords << Qt::endl;
        if (build.skippedStreets > 0)
            out << "streets left out: " << build.skippedStreets << Qt::endl;
    } catch (const Failure& failure) {
        err << "nomenclature: " << failure.error().text() << Qt::endl;
        return Refused;
    }
    return Done;
}
