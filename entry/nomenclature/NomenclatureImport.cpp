#include "entry/nomenclature/NomenclatureImport.h"

#include "base/Error.h"

#include <QDir>

#include <algorithm>

QString NomenclatureSummary::text() const
{
    QString text = QStringLiteral("Nomenclatorul a fost importat: %1 judete, %2 unitati administrative, %3 localitati, "
                                  "%4 strazi.")
                       .arg(counties)
                       .arg(territories)
                       .arg(localities)
                       .arg(streets);
    if (skippedRecords > 0)
        text += QStringLiteral("\rInregistrari SIRUTA lasate deoparte (fara judet sau unitate administrativa): %1.")
                    .arg(skippedRecords);
    if (skippedStreets > 0)
        text += QStringLiteral("\rStrazi lasate deoparte (fara localitate sau tip de artera cunoscut): %1.")
                    .arg(skippedStreets);
    return text;
}

namespace NomenclatureImport {

namespace {

// Reading the sources takes the first part of the bar, building the next and writing the rest;
// the writing of the large tables is what the user waits for.
constexpr int ReadEnd = 40;
constexpr int BuildEnd = 55;

int rowCount(const NomenclatureBuild& build, const char* fileName)
{
    const NomenclatureTable* table = NomenclatureBuilder::table(build, QString::fromLatin1(fileName));
    return table ? int(table->rowCount()) : 0;
}

} // namespace

NomenclatureSummary summary(const NomenclatureBuild& build)
{
    NomenclatureSummary result;
    result.counties = rowCount(build, "Judete.DAT");
    result.territories = rowCount(build, "Admin.DAT");
    result.streets = rowCount(build, "Strazi.DAT");
    result.skippedRecords = build.skippedRecords;
    result.skippedStreets = build.skippedStreets;
    if (const NomenclatureTable* localities = NomenclatureBuilder::table(build, QStringLiteral("Localitati.DAT"))) {
        const int ieCode = int(localities->fields.indexOf(QStringLiteral("ie_code")));
        for (size_t row = 0; ieCode >= 0 && row < localities->rowCount(); ++row) {
            if (localities->cell(row, ieCode).toInt() == 1)
                ++result.localities;
        }
    }
    return result;
}

NomenclatureBuild run(const NomenclatureSources& sources, const QString& dataFolder, const Progress& progress)
{
    int shown = 0;
    auto report = [&](int percent, const QString& stage) {
        shown = std::clamp(percent, shown, 100);
        if (progress)
            progress(shown, stage);
    };
    const int sourceCount = 1 + int(sources.streetFolders.size()) + (sources.postalFile.isEmpty() ? 0 : 1);
    int sourcesRead = 0;
    auto readingStage = [&](const QString& stage) { report(ReadEnd * sourcesRead++ / sourceCount, stage); };

    readingStage(QStringLiteral("Se citeste fisierul SIRUTA..."));
    const std::vector<SirutaRecord> siruta = SirutaReader::readFile(sources.sirutaFile);
    std::vector<MfpCounty> counties;
    for (const QString& folder : sources.streetFolders) {
        readingStage(QStringLiteral("Se citesc strazile din dosarul %1...").arg(QDir(folder).dirName()));
        counties.push_back(MfpStreetReader::readCounty(folder));
    }
    PostalStreets bucharest;
    if (!sources.postalFile.isEmpty()) {
        readingStage(QStringLiteral("Se citesc strazile Bucurestiului..."));
        bucharest = PostalStreetReader::readFile(sources.postalFile);
    }

    report(ReadEnd, QStringLiteral("Se construiesc tabelele..."));
    const NomenclatureBuild build = NomenclatureBuilder::build(siruta, counties, bucharest);
    const NomenclatureSummary counts = summary(build);
    if (counts.counties == 0 || counts.localities == 0)
        throw Failure(ErrorNumber::InvalidArgument,
                      QStringLiteral("%1 holds no county or no locality").arg(sources.sirutaFile));

    report(BuildEnd, QStringLiteral("Se scriu tabelele in dosarul Data..."));
    NomenclatureWriter::writeAll(build.tables, dataFolder, [&](int written, int total) {
        report(BuildEnd + (99 - BuildEnd) * written / total, QStringLiteral("Se scriu tabelele in dosarul Data..."));
    });
    report(100, QStringLiteral("Nomenclatorul a fost importat."));
    return build;
}

} // namespace NomenclatureImport
