#include "entry/nomenclature/CodeLists.h"

#include "entry/nomenclature/NameCase.h"

#include <QHash>

namespace CodeLists {

namespace {

struct StreetType
{
    const char* name;
    const char* mfpCode;
};

// Stored order is the order of the list the form shows; the id is the 1-based position.
const StreetType kStreetTypes[] = {
    {"Aleea", "Ale"},     {"Artera", "Art"},      {"Bulevardul", "Bld"},  {"Calea", "Cal"},     {"Cantonul", "Can"},
    {"Cartierul", "Car"}, {"Cătunul", "Căt"},     {"Colonia", "Col"},     {"Complexul", "Cpx"}, {"Cotitura", "Cot"},
    {"Curtea", "Cte"},    {"Cvartalul", "Cva"},   {"Drumul", "Drm"},      {"Fundacul", "Fdc"},  {"Fundătura", "Fdt"},
    {"Hotarul", "Hot"},   {"Incinta", "INC"},     {"Inelul", "Inl"},      {"Intrarea", "Int"},  {"Magistrala", "Mag"},
    {"Parcul", "Prc"},    {"Pasajul", "Psj"},     {"Piața", "Pţa"},       {"Piațeta", "Ptă"},   {"Pietonalul", "Ptn"},
    {"Podul", "Pod"},     {"Prelungirea", "Prl"}, {"Ramificația", "Ram"}, {"Scuarul", "Scu"},   {"Scurtătura", "Sct"},
    {"Splaiul", "Spl"},   {"Strada", "Str"},      {"Stradela", "Std"},    {"Șirul", "Şir"},     {"Șoseaua", "Şos"},
    {"Tabăra", "Tab"},    {"Trecătoarea", "Trc"}, {"Trecerea", "Tre"},    {"Ulicioara", "Ulc"}, {"Ulița", "Ulţ"},
    {"Vadul", "Vad"},     {"Varianta", "Var"},
};

const char* const kDistrictTypes[] = {"Sector",     "Cartier", "Cvartal", "Careu",
                                      "Microraion", "Colonie", "Complex", "Cătun"};

const char* const kLandUse[][2] = {
    {"A", "Arabil"},
    {"P", "Pășuni"},
    {"F", "Fânețe"},
    {"V", "Vii"},
    {"L", "Livezi"},
    {"PD", "Păduri și alte terenuri cu vegetație forestieră"},
    {"CC", "Curți construcții"},
    {"DR", "Drumuri"},
    {"CF", "Căi ferate"},
    {"HR", "Ape curgătoare"},
    {"HB", "Ape stătătoare (lacuri și bălți)"},
    {"N", "Terenuri neproductive și degradate"},
};

const char* const kLandDestinations[][2] = {
    {"TDA", "Terenuri cu destinație agricolă"},   {"TDF", "Terenuri cu destinație forestieră"},
    {"TDH", "Terenuri aflate permanent sub ape"}, {"TDI", "Terenuri din intravilan"},
    {"TDS", "Terenuri cu destinații speciale"},
};

const char* const kBuildingDestinations[][2] = {
    {"CL", "Construcții de locuințe"},
    {"CAS", "Construcții administrative și social-culturale"},
    {"CIE", "Construcții industriale și edilitare"},
    {"CA", "Construcții-anexă"},
};

NomenclatureTable idNameTable(const char* file, const char* idField, const char* nameField)
{
    NomenclatureTable t;
    t.fileName = QString::fromLatin1(file) + QStringLiteral(".DAT");
    t.tableName = QString::fromLatin1(file);
    t.fields = {QString::fromLatin1(idField), QString::fromLatin1(nameField)};
    t.types = {QStringLiteral("INTEGER"), QStringLiteral("TEXT")};
    return t;
}

template <size_t N>
NomenclatureTable codeTable(const char* file, const char* codeField, const char* const (&rows)[N][2])
{
    NomenclatureTable t;
    t.fileName = QString::fromLatin1(file) + QStringLiteral(".DAT");
    t.tableName = QString::fromLatin1(file);
    t.fields = {QString::fromLatin1(codeField), QStringLiteral("description")};
    t.types = {QStringLiteral("TEXT"), QStringLiteral("TEXT")};
    for (const auto& row : rows)
        t.addRow({QString::fromUtf8(row[0]), QString::fromUtf8(row[1])});
    return t;
}

} // namespace

NomenclatureTable streetTypes()
{
    NomenclatureTable t = idNameTable("TipArtere", "street_type_id", "street_type_name");
    int id = 0;
    for (const StreetType& type : kStreetTypes)
        t.addRow({++id, QString::fromUtf8(type.name)});
    return t;
}

NomenclatureTable districtTypes()
{
    NomenclatureTable t = idNameTable("TipSubAdm", "district_type_id", "district_type_name");
    int id = 0;
    for (const char* name : kDistrictTypes)
        t.addRow({++id, QString::fromUtf8(name)});
    return t;
}

NomenclatureTable landUseCategories()
{
    return codeTable("CtgFolTeren", "luse_code", kLandUse);
}

NomenclatureTable landDestinations()
{
    return codeTable("DestinatieTeren", "ldest_code", kLandDestinations);
}

NomenclatureTable buildingDestinations()
{
    return codeTable("DestinatieCladire", "bdest_code", kBuildingDestinations);
}

int streetTypeOfMfpCode(const QString& code)
{
    static const QHash<QString, int> ids = [] {
        QHash<QString, int> map;
        int id = 0;
        for (const StreetType& type : kStreetTypes)
            map.insert(QString::fromUtf8(type.mfpCode).toLower(), ++id);
        // The ministry writes the old cedilla letters in some codes; accept both spellings.
        map.insert(QStringLiteral("pța"), map.value(QStringLiteral("pţa")));
        map.insert(QStringLiteral("șir"), map.value(QStringLiteral("şir")));
        map.insert(QStringLiteral("șos"), map.value(QStringLiteral("şos")));
        map.insert(QStringLiteral("ulț"), map.value(QStringLiteral("ulţ")));
        return map;
    }();
    return ids.value(code.trimmed().toLower(), 0);
}

int streetTypeOfName(const QString& name)
{
    static const QHash<QString, int> ids = [] {
        QHash<QString, int> map;
        int id = 0;
        for (const StreetType& type : kStreetTypes)
            map.insert(QString::fromUtf8(type.name).toLower(), ++id);
        map.insert(QStringLiteral("piațetă"), map.value(QStringLiteral("piațeta")));
        return map;
    }();
    return ids.value(NameCase::commaBelow(name.trimmed()).toLower(), 0);
}

} // namespace CodeLists
