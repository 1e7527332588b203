#include "cgxml/CgxmlCodes.h"

#include <QHash>

namespace CgxmlCodes {

namespace {

struct StreetTypeRow
{
    const char* name; // as the nomenclature writes it
    const char* code; // as the exchange file writes it
};

// The first row of a code is the name an imported code becomes.
const StreetTypeRow kStreetTypes[] = {
    {"Strada", "STR"},    {"Aleea", "AL"},      {"Bulevardul", "BDUL"}, {"Calea", "CALEA"},     {"Șoseaua", "SOS"},
    {"Intrarea", "INTR"}, {"Piața", "PTA"},     {"Splaiul", "SPL"},     {"Drumul", "DRUM"},     {"Prelungirea", "PRL"},
    {"Fundătura", "FDT"}, {"Fundacul", "FDC"},  {"Pasajul", "PSJ"},     {"Cartierul", "CART"},  {"Piațeta", "PTT"},
    {"Stradela", "STD"},  {"Ulița", "ULITA"},   {"Ulicioara", "ULC"},   {"Trecătoarea", "TRC"}, {"Trecerea", "TRE"},
    {"Parcul", "PARC"},   {"Podul", "POD"},     {"Colonia", "COL"},     {"Cvartalul", "CVA"},   {"Drumul", "DR"},
    {"Bulevardul", "BD"}, {"Strada", "STRADA"}, {"Aleea", "ALEEA"},
};

const char* const kUseCategories[] = {"A", "ALTELE", "CC", "CF", "DR", "F", "HB", "HR", "L", "N", "NA", "P", "PD", "V"};
const char* const kBuildingDestinations[] = {"CL", "CAS", "CIE", "CA"};

struct DestinationRow
{
    const char* useCategory;
    const char* destination;
};

// Outside the built-up area: agricultural use, forest, water and the special (transport) land.
const DestinationRow kExtravilanDestinations[] = {
    {"A", "TDA"},  {"P", "TDA"},  {"F", "TDA"},  {"V", "TDA"},  {"L", "TDA"},  {"CC", "TDA"}, {"N", "TDA"},
    {"NA", "TDA"}, {"PD", "TDF"}, {"HR", "TDH"}, {"HB", "TDH"}, {"DR", "TDS"}, {"CF", "TDS"}, {"ALTELE", "TDS"},
};

// Folds the spellings a street type may arrive in: case, and Ş/Ţ with cedilla.
QString foldName(const QString& name)
{
    QString folded = name.trimmed().toLower();
    folded.replace(QChar(0x015F), QChar(0x0219));
    folded.replace(QChar(0x0163), QChar(0x021B));
    return folded;
}

QStringList toList(const char* const* begin, const char* const* end)
{
    QStringList list;
    for (auto it = begin; it != end; ++it)
        list << QString::fromLatin1(*it);
    return list;
}

} // namespace

QString streetTypeCode(const QString& name)
{
    static const QHash<QString, QString> codes = [] {
        QHash<QString, QString> map;
        for (const StreetTypeRow& row : kStreetTypes) {
            const QString key = foldName(QString::fromUtf8(row.name));
            if (!map.contains(key))
                map.insert(key, QString::fromLatin1(row.code));
        }
        return map;
    }();
    return codes.value(foldName(name));
}

QString streetTypeName(const QString& code)
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> map;
        for (const StreetTypeRow& row : kStreetTypes)
            map.insert(QString::fromLatin1(row.code), QString::fromUtf8(row.name));
        return map;
    }();
    return names.value(code.trimmed().toUpper());
}

const QStringList& useCategories()
{
    static const QStringList list = toList(std::begin(kUseCategories), std::end(kUseCategories));
    return list;
}

const QStringList& buildingDestinations()
{
    static const QStringList list = toList(std::begin(kBuildingDestinations), std::end(kBuildingDestinations));
    return list;
}

bool isUseCategory(const QString& code)
{
    return useCategories().contains(code);
}

bool isBuildingDestination(const QString& code)
{
    return buildingDestinations().contains(code);
}

QString landDestination(const QString& useCategory, bool intravilan)
{
    if (intravilan)
        return QStringLiteral("TDI");
    for (const DestinationRow& row : kExtravilanDestinations) {
        if (useCategory == QLatin1String(row.useCategory))
            return QString::fromLatin1(row.destination);
    }
    return QString();
}

} // namespace CgxmlCodes
