#include "cli/NomenclatureCommand.h"

#include "base/Error.h"
#include "entry/nomenclature/NomenclatureImport.h"

int NomenclatureCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    NomenclatureSources sources;
    QString outputFolder;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments.at(i);
        if (i + 1 >= arguments.size())
            return usage(err);
        const QString value = arguments.at(++i);
        if (option == QLatin1String("--siruta") && sources.sirutaFile.isEmpty())
            sources.sirutaFile = value;
        else if (option == QLatin1String("-o") && outputFolder.isEmpty())
            outputFolder = value;
        else if (option == QLatin1String("--streets-mfp"))
            sources.streetFolders << value;
        else if (option == QLatin1String("--streets-posta") && sources.postalFile.isEmpty())
            sources.postalFile = value;
        else
            return usage(err);
    }
    if (sources.sirutaFile.isEmpty() || outputFolder.isEmpty())
        return usage(err);

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
