#pragma once

#include "entry/nomenclature/NomenclatureBuilder.h"

#include <QString>
#include <QStringList>

#include <functional>

// The official publications one import reads: the SIRUTA register (required), the Ministry of
// Finance street folders of some counties and the Romanian Post's Bucharest index (optional).
struct NomenclatureSources
{
    QString sirutaFile;
    QStringList streetFolders;
    QString postalFile;
};

// What an import wrote and what it left out, for the closing message.
struct NomenclatureSummary
{
    int counties = 0;
    int territories = 0;
    int localities = 0; // localities proper (ie_code 1), not the territories' own rows
    int streets = 0;
    int skippedRecords = 0;
    int skippedStreets = 0;

    // The Romanian message shown when an import ends well.
    QString text() const;
};

namespace NomenclatureImport {

// percent 0..100, never decreasing, and the stage in Romanian.
using Progress = std::function<void(int percent, const QString& stage)>;

// Reads the sources, builds the nine tables and writes them into `dataFolder`. Throws Failure on
// a missing or unreadable source, a file that is not what it should be, a register without
// counties or localities (which would otherwise empty the form's lists) or a folder that cannot
// be written; the tables already in `dataFolder` are then left exactly as they were.
NomenclatureBuild run(const NomenclatureSources& sources, const QString& dataFolder, const Progress& progress = {});

NomenclatureSummary summary(const NomenclatureBuild& build);

} // namespace NomenclatureImport
