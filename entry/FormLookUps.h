#pragma once

#include "entry/LookUpData.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// One entry of a list filled from a lookup table: the name shown and the identifier kept
// beside it.
struct LookUpEntry
{
    QString name;
    std::int32_t id = 0;
};

// The nine nomenclature tables of the data form, opened together from the Data folder and
// kept open while the form lives.
class FormLookUps
{
public:
    LookUpData counties;          // Judete.DAT
    LookUpData territories;       // Admin.DAT
    LookUpData localities;        // Localitati.DAT
    LookUpData streets;           // Strazi.DAT
    LookUpData streetTypes;       // TipArtere.DAT
    LookUpData districtTypes;     // TipSubAdm.DAT
    LookUpData landUses;          // CtgFolTeren.DAT
    LookUpData landDestinations;  // DestinatieTeren.DAT
    LookUpData buildDestinations; // DestinatieCladire.DAT

    // Opens every table from `folder` (a separator is appended when missing) with the
    // CanHaveNullValue each table starts with. Throws Failure when a table cannot be opened;
    // isOpen() then stays false.
    void open(const QString& folder);
    bool isOpen() const { return m_open; }

    // The records `table` lets through under its current filter, in stored order.
    static QList<LookUpEntry> entries(LookUpData& table, const QString& nameField, const QString& idField);
    static QStringList values(LookUpData& table, const QString& field);
    // "code - name" for each record, in the order of values(); the bare codes when the table
    // has no name column.
    static QStringList codeAndName(LookUpData& table, const QString& codeField, const QString& nameField);

private:
    bool m_open = false;
};
