#pragma once

#include <QString>

#include <vector>

class QIODevice;

// Streets of Bucharest from the postal index: a JSON array of addresses, each with a postal
// code ("zipcode", whose second digit is the sector) and an address text ("adresa": street
// type, street name, then the numbers, as in "Strada Mincu Ion, arh. nr. 14-T").
struct PostalStreet
{
    int sector = 0;   // 1..6
    QString typeName; // "Strada", as written
    QString name;     // without the numbers, cedillas made commas
};

struct PostalStreets
{
    std::vector<PostalStreet> streets; // one per address; the builder drops repeats
    int skipped = 0;                   // addresses without a sector or a street name
};

namespace PostalStreetReader {

// The street name of an address text after its type word: cut before " nr. " and before a
// blank followed by a number range ("Crăițelor 1-49; 2-50" -> "Crăițelor").
QString streetName(const QString& afterType);

PostalStreets read(QIODevice& device, const QString& what);
// Throws Failure when the file is missing, unreadable or not a JSON array.
PostalStreets readFile(const QString& fileName);

} // namespace PostalStreetReader
