#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

class QIODevice;

// One record of the statistics institute's SIRUTA register (counties, administrative
// territories and localities), as published in CSV.
struct SirutaRecord
{
    int siruta = 0;      // SIRUTA: the record's code
    QString name;        // DENLOC, as published (capitals, maybe cedilla letters)
    int county = 0;      // JUD: the county's code
    int parent = 0;      // SIRSUP: the code of the unit above
    int type = 0;        // TIP
    int level = 0;       // NIV: 1 county, 2 territory, 3 locality
    int countyOrder = 0; // FSJ
    qint64 order = 0;    // FSL, a 13-digit number: sorts the territories and localities of a county
};

namespace SirutaReader {

// Reads the CSV: a header row naming at least SIRUTA, DENLOC, JUD, SIRSUP, TIP, NIV, FSJ and FSL
// in any order, then one record per line, fields separated by commas or, when the header has more
// of them, by semicolons; UTF-8 (with or without BOM), or Windows-1250 when the
// bytes are not UTF-8; fields may be quoted. Throws Failure (InvalidArgument) naming the line
// for a missing column, a short line or a code that is not a whole number.
std::vector<SirutaRecord> read(QIODevice& device);
std::vector<SirutaRecord> readFile(const QString& fileName);

// Splits one CSV line into fields ("" doubles a quote inside a quoted field).
QStringList splitLine(const QString& line, QChar separator = QLatin1Char(','));

} // namespace SirutaReader
