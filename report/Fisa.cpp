#include "report/Fisa.h"

#include "scrivel/ImageFile.h"
#include "scrivel/RTFDoc.h"

#include <QBuffer>

namespace {

constexpr int pictureBox = 600;
// Line drawings smear at the JPEG writer's default quality.
constexpr int jpegQuality = 92;

enum Align
{
    Centre = 0,
    Left = 1,
    Right = 2
};

// A text item's style: every item of the sheet is Times New Roman in black, never underlined.
struct Style
{
    int size = 9;
    int align = Centre;
    bool bold = false;
    bool italic = false;
};

// The calls on one RTFDoc, each checked: the first failing call stops the sheet.
class Composer
{
public:
    explicit Composer(RTFDoc& doc) : m_doc(doc) {}

    void check(bool ok) const
    {
        if (!ok)
            throw Failure(m_doc.lastError().number, m_doc.lastError().description);
    }

    QString run(const QString& text, const Style& style) const
    {
        const int font = m_doc.Fonts(QStringLiteral("Times New Roman"));
        check(font != 0);
        const int colour = m_doc.Colors(0, 0, 0);
        check(colour != 0);
        const QString data =
            m_doc.DefineTextData(text, font, colour, style.align, style.size, style.bold, style.italic, false);
        check(!m_doc.lastError().isError());
        return data;
    }

    void line(const QString& text, const Style& style) const { check(m_doc.AddText(run(text, style), true)); }
    void emptyLines(int count) const { check(m_doc.AddEmptyLines(count)); }

    void table(int rows, int columns, double leftMargin, int alignTable, int headerRows)
    {
        m_leftMargin = leftMargin;
        // The cell spacing is 1.9 mm, which the composer keeps as a whole 2 mm.
        check(m_doc.DefineTable(rows, columns, leftMargin, 1.9, alignTable, headerRows));
    }
    // A cell whose right edge is `boundary` mm from the table's left margin.
    void cell(int row, int column, double boundary, const QString& text, const Style& style, bool borders) const
    {
        check(m_doc.AddTableCell(row, column, run(text, style), m_leftMargin + boundary, 0, borders, true));
    }
    void endTable() const { check(m_doc.EndTable()); }

    RTFDoc& doc() const { return m_doc; }

private:
    RTFDoc& m_doc;
    double m_leftMargin = 0;
};

QString totalOrDash(const QString& total)
{
    return total == QLatin1String("0") ? QStringLiteral("-") : total;
}

void identificationTable(Composer& c, const QString& siruta, const Address& address)
{
    static const double boundaries[] = {37.5, 77.5, 207.5, 245, 277.5};
    static const char* const labels[] = {
        "Judetul:", "Teritoriu Administrativ:", "Cod SIRUTA:", "Intravilan/Extravilan"};
    static const char* const numbers[] = {"Sectiune plan:", "Nr. sector cadastral:", "Nr. cadastral:"};
    const Style style{9, Left, false, false};
    c.table(4, 5, -10.1, 1, 1);
    for (int row = 1; row <= 4; ++row) {
        c.cell(row, 1, boundaries[0], QString::fromLatin1(labels[row - 1]), style, false);
        // The county and the territory have no value cell: their labels run on into column 3.
        if (row == 3)
            c.cell(row, 2, boundaries[1], siruta, style, false);
        else if (row == 4)
            c.cell(row, 2, boundaries[1], QString::number(address.IECode()), style, false);
        c.cell(row, 3, boundaries[2], QString(), style, false);
        c.cell(row, 4, boundaries[3],
               row < 4 ? QString::fromLatin1(numbers[row - 1]) : QStringLiteral("Nr. carte funciară:"), style, false);
        c.cell(row, 5, boundaries[4], QStringLiteral("..........."), style, false);
    }
    c.endTable();
}

void parcelsTable(Composer& c, const Parcels& parcels)
{
    static const double boundaries[] = {17.5, 40, 65, 92.5, 120, 145, 172.5};
    static const char* const headers[] = {"Nr. parcela",
                                          "Categorie folosinta",
                                          "Cod grupa destinatie",
                                          "Suprafata din masuratori (mp)",
                                          "Clasa de calitate",
                                          "Zona in cadrul localitatii",
                                          "Mentiuni"};
    const Style style{9, Centre, false, false};
    const int count = parcels.Count();
    c.table(count + 2, 7, 94.9, 1, 1);
    for (int column = 1; column <= 7; ++column)
        c.cell(1, column, boundaries[column - 1], QString::fromLatin1(headers[column - 1]), style, true);
    int row = 2;
    for (const ParcelPtr& item : parcels) {
        const Parcel& empty = Parcel();
        const Parcel* parcel = item ? item.get() : &empty;
        const QString values[] = {
            QString::number(parcel->No()), parcel->LandUse(),      parcel->LandDestination(), parcel->MeasuredArea(),
            parcel->QualityClass(),        parcel->LocalityZone(), parcel->Comments()};
        for (int column = 1; column <= 7; ++column)
            c.cell(row, column, boundaries[column - 1], values[column - 1], style, true);
        ++row;
    }
    for (int column = 1; column <= 7; ++column) {
        if (column == 1)
            c.cell(row, column, boundaries[0], QStringLiteral("TOTAL"), Style{10, Centre, true, true}, true);
        else if (column == 4)
            c.cell(row, column, boundaries[3], totalOrDash(parcels.TotalMeasuredArea()),
                   Style{10, Centre, false, false}, true);
        else
            c.cell(row, column, boundaries[column - 1], QString(), style, true);
    }
    c.endTable();
}

void buildingsTable(Composer& c, const Buildings& buildings)
{
    static const double boundaries[] = {22.5, 92.5, 120, 145, 172.5};
    static const char* const headers[] = {"Nr. corp cladire/ constructie", "Denumire",
                                          "Suprafata contruita la sol (mp)", "Cod grupa destinatie", "Mentiuni"};
    const Style style{9, Centre, false, false};
    const int count = buildings.Count();
    c.table(count + 2, 5, 94.9, 1, 1);
    for (int column = 1; column <= 5; ++column)
        c.cell(1, column, boundaries[column - 1], QString::fromLatin1(headers[column - 1]), style, true);
    int row = 2;
    for (const BuildPtr& item : buildings) {
        const Build& empty = Build();
        const Build* build = item ? item.get() : &empty;
        const QString values[] = {build->No(), build->Description(), build->MeasuredArea(), build->BuildDestination(),
                                  build->Comments()};
        for (int column = 1; column <= 5; ++column)
            c.cell(row, column, boundaries[column - 1], values[column - 1],
                   column == 2 ? Style{9, Left, false, false} : style, true);
        ++row;
    }
    for (int column = 1; column <= 5; ++column) {
        if (column == 1)
            c.cell(row, column, boundaries[0], QStringLiteral("TOTAL"), Style{10, Centre, true, true}, true);
        else if (column == 3)
            c.cell(row, column, boundaries[2], totalOrDash(buildings.TotalMeasuredArea()), style, true);
        else
            c.cell(row, column, boundaries[column - 1], QString(), style, true);
    }
    c.endTable();
}

void ownersTable(Composer& c, const Owners* owners, const Parcels& parcels, const Buildings& buildings)
{
    static const double boundaries[] = {10, 50, 92.5, 120, 162.5, 182.5, 205, 227.5, 249.7, 276.7};
    static const char* const headers[] = {"Nr. crt.",
                                          "Nume/ denumire proprietar",
                                          "Domiciliu/ Sediu",
                                          "Cod numeric personal/ cod SIRUES",
                                          "Tipul actului de proprietate, nr. si data inregistrari/eliberarii",
                                          "Cod grupa proprietate",
                                          "Suprafata din act (mp) Teren",
                                          "Suprafata din act (mp) Constructii",
                                          "Mod de detinere (Exclusiv sau Indiviziune)",
                                          "Mentiuni"};
    const Style style{9, Centre, false, false};
    const int count = owners ? owners->Count() : 0;
    // No row after the owners: a row without cells makes LibreOffice drop the whole table.
    c.table(count + 1, 10, -10.1, 1, 1);
    for (int column = 1; column <= 10; ++column)
        c.cell(1, column, boundaries[column - 1], QString::fromLatin1(headers[column - 1]), style, true);
    if (owners) {
        const QString landArea = totalOrDash(parcels.TotalLegalArea());
        const QString buildArea = totalOrDash(buildings.TotalLegalArea());
        int row = 2;
        for (const OwnerPtr& item : *owners) {
            const Owner& empty = Owner();
            const Owner* owner = item ? item.get() : &empty;
            for (int column = 1; column <= 10; ++column) {
                QString text;
                Style cellStyle = style;
                if (column == 1) {
                    text = QString::number(row - 1);
                } else if (column == 2) {
                    text = owner->LastName() + QLatin1Char(' ') + owner->FirstName();
                    cellStyle.align = Left;
                } else if (column == 7) {
                    text = landArea;
                } else if (column == 8) {
                    text = buildArea;
                }
                c.cell(row, column, boundaries[column - 1], text, cellStyle, true);
            }
            ++row;
        }
    }
    c.endTable();
}

void signatureTable(Composer& c, const QString& surveyor, const QString& date)
{
    const Style style{9, Left, false, false};
    c.table(1, 6, 0, 0, 0);
    c.cell(1, 1, 87, QStringLiteral("Intocmit: ") + surveyor, style, false);
    c.cell(1, 2, 174, QStringLiteral("Data: ") + date, style, false);
    c.cell(1, 3, 261, QStringLiteral("Verificat: ..........."), style, false);
    c.endTable();
}

} // namespace

Fisa::Fisa()
    : m_land(std::make_shared<Land>()), m_address(std::make_shared<Address>()), m_parcels(std::make_shared<Parcels>()),
      m_buildings(std::make_shared<Buildings>())
{
}

void Fisa::setLand(const LandPtr& land)
{
    m_land = land ? land : std::make_shared<Land>();
    m_address = m_land->Address() ? m_land->Address() : std::make_shared<Address>();
    m_parcels = m_land->Parcels() ? m_land->Parcels() : std::make_shared<Parcels>();
    m_buildings = m_land->Buildings() ? m_land->Buildings() : std::make_shared<Buildings>();
}

void Fisa::setControlPicture(const QImage& picture)
{
    ImageFile image;
    image.setPicture(picture);
    image.FitInto(pictureBox, pictureBox, false);
    m_pictureWidth = image.Width();
    m_pictureHeight = image.Height();
    m_pictureData.clear();
    const QImage fitted = image.Picture();
    if (fitted.isNull())
        return;
    // The picture shape declares JPEG data, so JPEG is what it gets: a bitmap file there is
    // shown by no reader.
    QBuffer buffer(&m_pictureData);
    buffer.open(QIODevice::WriteOnly);
    if (!fitted.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", jpegQuality))
        m_pictureData.clear();
}

QString Fisa::shortDate(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

int Fisa::linesBeforeOwners(int parcels, int buildings)
{
    const int lines = 14 - parcels - buildings;
    return lines < 1 ? 1 : lines;
}

QString Fisa::addressLine(const Address& address)
{
    // Tarla and parcel numbers locate extravilan land (IECode 0); everything else has a street.
    if (address.IECode() == 0)
        return QStringLiteral("din T") + address.TarlaNo() + QStringLiteral(", P") + address.ParcelNo();
    return QStringLiteral("din ") + address.StreetType() + QLatin1Char(' ') + address.StreetName() +
           QStringLiteral(" nr.") + address.StreetNo();
}

void Fisa::compose(RTFDoc& doc) const
{
    Composer c(doc);
    c.check(doc.PaperFormat(297, 210, 20, 20, 12.5, 10, true));
    c.line(QStringLiteral("FISA CORPULUI DE PROPRIETATE"), Style{12, Centre, true, false});
    // The sketch is placed from the top margin. LibreOffice places it from the top of the
    // paragraph it belongs to instead, and lays the lines above the frame out a little taller,
    // which moves the frame down by about the title's height: so the picture goes with the
    // address line, right under the title, and both readers put it inside the frame.
    c.check(doc.AddShapePicture(-25.5, 111.7, 1, 1, 275, 252, 3, 0, 1, m_pictureData, m_pictureHeight, m_pictureWidth));
    c.line(addressLine(*m_address), Style{11, Centre, false, false});
    c.emptyLines(1);
    identificationTable(c, m_siruta, *m_address);
    c.emptyLines(1);
    c.line(QStringLiteral("         SCHITA CORPULUI DE PROPRIETATE"), Style{10, Left, false, true});
    // Only the outline: a filled frame hides the sketch in readers that draw it in front.
    c.check(doc.AddShapeRectangle(-9.8, 0.5, 1, 1, 99.06, 91.44, 3, 0, 1, false));
    c.line(QStringLiteral("A. DATE REFERITOARE LA TEREN"), Style{10, Right, false, true});
    parcelsTable(c, *m_parcels);
    c.emptyLines(1);
    c.line(QStringLiteral("B. DATE REFERITOARE LA CONSTRUCTII"), Style{10, Right, false, true});
    buildingsTable(c, *m_buildings);
    c.emptyLines(linesBeforeOwners(m_parcels->Count(), m_buildings->Count()));
    c.line(QStringLiteral("C. DATE REFERITOARE LA PROPRIETAR"), Style{10, Centre, false, true});
    ownersTable(c, m_land->Owners().get(), *m_parcels, *m_buildings);
    c.emptyLines(2);
    signatureTable(c, m_surveyorName, m_dateText.isEmpty() ? shortDate(QDate::currentDate()) : m_dateText);
}

QByteArray Fisa::composeSheet(Error* error)
{
    RTFDoc doc;
    try {
        compose(doc);
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
        return {};
    }
    return doc.toRtf();
}

bool Fisa::GenerateFile(Error* error)
{
    RTFDoc doc;
    try {
        compose(doc);
        if (!doc.SaveAndClose(m_fileName))
            throw Failure(doc.lastError().number, doc.lastError().description);
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
        return false;
    }
    return true;
}
