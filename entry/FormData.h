#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

// Column numbers of the data form's grids (1-based, as the grids address them).
namespace OwnerColumn {
constexpr int LastName = 1;
constexpr int FirstName = 2;
constexpr int Count = 2;
} // namespace OwnerColumn

namespace ParcelColumn {
constexpr int No = 1;
constexpr int LandUse = 2;
constexpr int LandDestination = 3;
// Measured area for land, undivided land share for an apartment.
constexpr int Area = 4;
constexpr int QualityClass = 5;
constexpr int LocalityZone = 6;
constexpr int Comments = 7;
constexpr int Count = 7;
} // namespace ParcelColumn

namespace BuildColumn {
constexpr int No = 1;
constexpr int Description = 2;
// Built area for land, useful area for an apartment.
constexpr int Area = 3;
constexpr int BuildDestination = 4;
constexpr int Comments = 5;
constexpr int Count = 5;
} // namespace BuildColumn

// One grid as rows of cell texts; cell(row, column) takes a 1-based column and reads an
// absent cell as empty, so short rows are harmless.
struct GridRows
{
    QList<QStringList> rows;

    int count() const { return int(rows.size()); }
    QString cell(int row, int column) const
    {
        const QStringList& r = rows.at(row);
        return column >= 1 && column <= r.size() ? r.at(column - 1) : QString();
    }
    void setCell(int row, int column, const QString& text)
    {
        QStringList& r = rows[row];
        while (r.size() < column)
            r.append(QString());
        r[column - 1] = text;
    }
};

// What the data form's controls hold, as plain values. The widget copies its controls into
// this struct, the mapping and the validation work on it, and the widget writes back the
// cells and totals the validation changed in place.
struct FormData
{
    bool isAp = false;

    // Address lists: the shown text and the identifier kept beside the selected entry
    // (0 when nothing is selected).
    QString county;
    std::int32_t countyId = 0;
    QString territory;
    std::int32_t territoryId = 0;
    QString locality;
    std::int32_t localityId = 0;
    bool intravilan = false;
    QString districtType;
    QString streetType;
    // Set when the chosen locality has listed streets: the street name is then the list's
    // text, otherwise the free text field.
    bool hasStreetList = false;
    QString streetListText;
    QString streetText;
    QString streetNo;
    QString buildNo;
    QString entranceNo;
    QString tarlaNo;
    QString parcelNo;
    QString floorNo;
    QString apartmentNo;
    QString districtName;
    QString description;

    GridRows owners;
    GridRows parcels;
    GridRows buildings;

    // The kept measured totals (the labels show them, empty for "0") and the
    // "Total suprafata din acte" fields.
    QString parcelsTotal = QStringLiteral("0");
    QString buildingsTotal = QStringLiteral("0");
    QString parcelsLegalTotal = QStringLiteral("0");
    QString buildingsLegalTotal = QStringLiteral("0");
    // Set when a total was recomputed and its label is to be drawn in the highlight blue.
    bool parcelsTotalMarked = false;
    bool buildingsTotalMarked = false;

    QString streetName() const { return hasStreetList ? streetListText : streetText; }
};
