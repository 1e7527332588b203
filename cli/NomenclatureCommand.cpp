#include "cli/NomenclatureCommand.h"

#include "app/Error.h"
#include "entry/nomenclature/NomenclatureBuilder.h"

int NomenclatureCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString sirutaFile;
    QString outputFolder;
    QStringList streetFolders;
    QString postalFile;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments.at(i);
        if (i + 1 >= arguments.size())
            return usage(err);
        const QString value = arguments.at(++i);
        if (option == QLatin1String("--siruta") && sirutaFile.isEmpty())
            sirutaFile = value;
        else if (option == QLatin1String("-o") && outputFolder.isEmpty())
            outputFolder = value;
        else if (option == QLatin1String("--streets-mfp"))
            streetFolders << value;
        else if (option == QLatin1String("--streets-posta") && postalFile.isEmpty())
            postalFile = value;
        else
            return usage(err);
    }
    if (sirutaFile.isEmpty() || outputFolder.isEmpty())
        return usage(err);

    try {
        const std::vector<SirutaRecord> siruta = SirutaReader::readFile(sirutaFile);
        std::vector<MfpCounty> counties;
        for (const QString& folder : streetFolders)
            counties.push_back(MfpStreetReader::readCounty(folder));
        PostalStreets bucharest;
        if (!postalFile.isEmpty())
            bucharest = PostalStreetReader::readFile(postalFile);
        const NomenclatureBuild build = NomenclatureBuilder::build(siruta, counties, bucharest);
        NomenclatureWriter::writeAll(build.tables, outputFolder);
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
