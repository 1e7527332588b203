#pragma once

#include <QHash>
#include <QString>

#include <vector>

class QIODevice;

// Streets of one county from the Ministry of Finance's geographic nomenclature: a folder with
// the county's localities (nomLocalitati_*.xml) and streets (nomArtereMF_*.xml).
struct MfpStreet
{
    int localitySiruta = 0; // SIRUTA code of the street's locality (may be a territory's code)
    QString typeCode;       // TAT_COD, e.g. "Str", "Bld"
    QString name;           // as published, maybe with cedilla letters
};

struct MfpCounty
{
    std::vector<MfpStreet> streets;
    int skipped = 0; // placeholder, abolished or unplaceable streets left out
};

namespace MfpStreetReader {

// Each <rand> element of an MFP nomenclature file as a map from child element to text.
// Throws Failure (InvalidArgument) for XML that does not parse.
std::vector<QHash<QString, QString>> readRows(QIODevice& device, const QString& what);

// Reads a county folder. Leaves out the placeholder type "G" ("Generata"), abolished streets
// (state "D" or an abolition date) and streets whose locality has no SIRUTA code. Throws Failure
// when either file is missing or unreadable.
MfpCounty readCounty(const QString& folder);

} // namespace MfpStreetReader
