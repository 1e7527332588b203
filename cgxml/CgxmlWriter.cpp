#include "cgxml/CgxmlWriter.h"

#include "base/NumberText.h"
#include "cgxml/CgxmlCodes.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace {

// IDs of the rows this writer makes: one address, one land, one deed, one registration.
constexpr int AddressId = 1;
constexpr int LandId = 1;
constexpr int DeedId = 1;
constexpr int RegistrationId = 1;
constexpr int FileId = 1;
// An apartment's rows hang on one building row standing for its block.
constexpr int BlockBuildingId = 1;

const QString True = QStringLiteral("true");

class RowWriter
{
public:
    RowWriter(QXmlStreamWriter& xml, const Document& document, const CgxmlWriter::Options& options)
        : m_xml(xml), m_document(document), m_land(*document.Land()), m_options(options)
    {
    }

    void writeAll()
    {
        m_xml.writeStartElement(QStringLiteral("CGXML"));
        fileDescription();
        address();
        land();
        parcels();
        if (m_document.isApartment())
            apartment();
        else
            buildings();
        points();
        owners();
        m_xml.writeEndElement();
    }

private:
    void field(const char* name, const QString& value) { m_xml.writeTextElement(QLatin1String(name), value); }
    void field(const char* name, int value) { field(name, QString::number(value)); }
    // Optional texts are left out when empty.
    void optional(const char* name, const QString& value)
    {
        if (!value.isEmpty())
            field(name, value);
    }
    void area(const char* name, const QString& text)
    {
        field(name, CgxmlWriter::number(NumberText::leadingNumber(text)));
    }

    bool intravilan() const { return m_land.Address() && m_land.Address()->IECode() != 0; }

    void fileDescription()
    {
        m_xml.writeStartElement(QStringLiteral("FileDescription"));
        field("FILENAME", m_options.fileName);
        const QDateTime date = m_options.exportDate.isValid() ? m_options.exportDate : QDateTime::currentDateTime();
        field("EXPORTDATE", date.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        optional("LICENSEDNAME", m_options.surveyorName.isEmpty() ? m_document.SurveyorName() : m_options.surveyorName);
        optional("LICENSENUMBER",
                 m_options.surveyorLicense.isEmpty() ? m_document.SurveyorLicense() : m_options.surveyorLicense);
        field("FILEID", FileId);
        m_xml.writeEndElement();
    }

    void address()
    {
        const class Address empty;
        const class Address& a = m_land.Address() ? *m_land.Address() : empty;
        m_xml.writeStartElement(QStringLiteral("Address"));
        field("ADDRESSID", AddressId);
        // Inside the built-up area the document holds the locality, outside it the territory.
        const int territory =
            intravilan() ? (m_options.territoryOf ? m_options.territoryOf(a.SIRUTA()) : 0) : a.SIRUTA();
        if (territory > 0)
            field("SIRSUP", territory);
        field("SIRUTA", a.SIRUTA());
        field("INTRAVILAN", intravilan() ? True : QStringLiteral("false"));
        optional("DISTRICTTYPE", a.DistrictType());
        optional("DISTRICTNAME", a.DistrictName());
        const QString typeCode = CgxmlCodes::streetTypeCode(a.StreetType());
        optional("STREETTYPE", typeCode);
        // A street type without a code stays readable in front of the name.
        const QString name = typeCode.isEmpty() && !a.StreetType().isEmpty()
                                 ? a.StreetType() + QLatin1Char(' ') + a.StreetName()
                                 : a.StreetName();
        optional("STREETNAME", name);
        optional("POSTALNUMBER", a.StreetNo());
        optional("BLOCK", a.BuildNo());
        optional("ENTRY", a.EntranceNo());
        optional("FLOOR", a.FloorNo());
        optional("APNO", a.ApartmentNo());
        optional("DESCRIPTION", a.Description());
        m_xml.writeEndElement();
    }

    void land()
    {
        m_xml.writeStartElement(QStringLiteral("Land"));
        field("LANDID", LandId);
        field("ADDRESSID", AddressId);
        area("MEASUREDAREA", m_land.Parcels() ? m_land.Parcels()->TotalMeasuredArea() : QString());
        if (m_land.Parcels() && !m_land.Parcels()->TotalLegalArea().isEmpty())
            area("PARCELLEGALAREA", m_land.Parcels()->TotalLegalArea());
        field("ISNEW", True);
        if (m_land.Buildings() && !m_land.Buildings()->TotalLegalArea().isEmpty())
            area("BUILDINGLEGALAREA", m_land.Buildings()->TotalLegalArea());
        m_xml.writeEndElement();
    }

    void parcels()
    {
        if (!m_land.Parcels())
            return;
        const class Address empty;
        const class Address& a = m_land.Address() ? *m_land.Address() : empty;
        int id = 0;
        for (const ParcelPtr& parcel : *m_land.Parcels()) {
            m_xml.writeStartElement(QStringLiteral("Parcel"));
            field("PARCELID", ++id);
            field("LANDID", LandId);
            field("NUMBER", parcel->No());
            // An apartment's share may be a fraction, which has no place in a number field.
            bool numeric = false;
            const double measured = parcel->MeasuredArea().trimmed().toDouble(&numeric);
            if (numeric)
                field("MEASUREDAREA", CgxmlWriter::number(measured));
            optional("USECATEGORY", parcel->LandUse());
            field("INTRAVILAN", intravilan() ? True : QStringLiteral("false"));
            optional("LANDPLOTNO", a.TarlaNo());
            optional("PARCELNO", a.ParcelNo());
            optional("NOTES", parcel->Comments());
            m_xml.writeEndElement();
        }
    }

    // Description and comments share the one notes field, joined by " | ".
    static QString notesOf(const Build& build)
    {
        if (build.Comments().isEmpty())
            return build.Description();
        return build.Description() + QStringLiteral(" | ") + build.Comments();
    }

    void buildings()
    {
        if (!m_land.Buildings())
            return;
        int id = 0;
        for (const BuildPtr& build : *m_land.Buildings()) {
            ++id;
            m_buildingIds.append(id);
            m_xml.writeStartElement(QStringLiteral("Building"));
            field("BUILDINGID", id);
            field("LANDID", LandId);
            const int no = CgxmlWriter::buildingNumber(build->No());
            field("BUILDNO", no > 0 ? no : id);
            area("MEASUREDAREA", build->MeasuredArea());
            area("TOTALAREA", build->MeasuredArea());
            optional("BUILDINGDESTINATION", build->BuildDestination());
            field("IUNO", 0);
            optional("NOTES", notesOf(*build));
            field("ISLEGAL", True);
            m_xml.writeEndElement();
        }
    }

    // An apartment: its block as one building row and each of its units as an IU row.
    void apartment()
    {
        const int units = m_land.Buildings() ? m_land.Buildings()->Count() : 0;
        const QString destination = units > 0 ? m_land.Buildings()->Item(1)->BuildDestination() : QString();
        m_xml.writeStartElement(QStringLiteral("Building"));
        field("BUILDINGID", BlockBuildingId);
        field("LANDID", LandId);
        field("BUILDNO", 1);
        field("MEASUREDAREA", 0);
        field("TOTALAREA", 0);
        optional("BUILDINGDESTINATION", destination);
        field("IUNO", units);
        field("ISLEGAL", True);
        m_xml.writeEndElement();
        if (units == 0)
            return;
        const class Address empty;
        const class Address& a = m_land.Address() ? *m_land.Address() : empty;
        const QString share = m_land.Parcels() ? m_land.Parcels()->TotalMeasuredArea() : QString();
        int id = 0;
        for (const BuildPtr& build : *m_land.Buildings()) {
            m_xml.writeStartElement(QStringLiteral("IU"));
            field("IUID", ++id);
            field("BUILDINGID", BlockBuildingId);
            optional("IDENTIFIER", build->No());
            optional("APNO", a.ApartmentNo());
            optional("ENTRY", a.EntranceNo());
            area("MEASUREDAREA", build->MeasuredArea());
            area("TOTALAREA", build->MeasuredArea());
            optional("LANDINDIVISIONAREA", share);
            optional("NOTES", notesOf(*build));
            optional("FLOOR", a.FloorNo());
            m_xml.writeEndElement();
        }
    }

    void pointsOf(const Polygon& polygon, const char* ownerField, int ownerId, int* pointId)
    {
        if (!polygon.Points())
            return;
        for (const PointPtr& point : *polygon.Points()) {
            m_xml.writeStartElement(QStringLiteral("Points"));
            field("POINTID", ++*pointId);
            field(ownerField, ownerId);
            field("NO", point->No());
            field("X", CgxmlWriter::number(point->Y())); // northing
            field("Y", CgxmlWriter::number(point->X())); // easting
            m_xml.writeEndElement();
        }
    }

    // The land contour, then each building contour; an apartment has none.
    void points()
    {
        if (m_document.isApartment() || !m_land.Geometry())
            return;
        int pointId = 0;
        pointsOf(*m_land.Geometry(), "IMMOVABLEID", LandId, &pointId);
        if (!m_land.Buildings())
            return;
        int index = 0;
        for (const BuildPtr& build : *m_land.Buildings()) {
            const int id = m_buildingIds.value(index++);
            if (build->Geometry())
                pointsOf(*build->Geometry(), "BUILDINGID", id, &pointId);
        }
    }

    // Every owner holds the land by one registration of one deed.
    void owners()
    {
        if (!m_land.Owners() || m_land.Owners()->Count() == 0)
            return;
        int id = 0;
        for (const OwnerPtr& owner : *m_land.Owners()) {
            m_xml.writeStartElement(QStringLiteral("Person"));
            field("PERSONID", ++id);
            optional("FIRSTNAME", owner->FirstName());
            field("ISPHYSICAL", True);
            field("LASTNAME", owner->LastName());
            field("REGISTRATIONID", RegistrationId);
            m_xml.writeEndElement();
        }
        m_xml.writeStartElement(QStringLiteral("Deed"));
        field("DEEDID", DeedId);
        field("FILEID", FileId);
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("Registration"));
        field("REGISTRATIONID", RegistrationId);
        field("REGISTRATIONTYPE", QStringLiteral("INTABULARE"));
        field("RIGHTTYPE", QStringLiteral("PROPRIETATE"));
        field("DEEDID", DeedId);
        field("ACTUALQUOTA", QStringLiteral("1/1"));
        m_xml.writeEndElement();
        m_xml.writeStartElement(QStringLiteral("RegistrationXEntity"));
        field("REGISTRATIONXENTITYID", 1);
        field("REGISTRATIONID", RegistrationId);
        field("LANDID", LandId);
        m_xml.writeEndElement();
    }

    QXmlStreamWriter& m_xml;
    const Document& m_document;
    const Land& m_land;
    const CgxmlWriter::Options& m_options;
    QList<int> m_buildingIds;
};

} // namespace

bool CgxmlWriter::write(const Document& document, const Options& options, QIODevice* device, Error* error)
{
    QXmlStreamWriter xml(device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    RowWriter(xml, document, options).writeAll();
    xml.writeEndDocument();
    if (xml.hasError()) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, device->errorString()};
        return false;
    }
    return true;
}

bool CgxmlWriter::writeFile(const Document& document, const Options& options, const QString& path, Error* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = {QFileInfo(path).absoluteDir().exists() ? ErrorNumber::PathFileAccess : ErrorNumber::PathNotFound,
                      file.errorString()};
        return false;
    }
    Options named = options;
    if (named.fileName.isEmpty())
        named.fileName = QFileInfo(path).fileName();
    if (!write(document, named, &file, error))
        return false; // QSaveFile discards the temporary file
    if (!file.commit()) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, file.errorString()};
        return false;
    }
    return true;
}

int CgxmlWriter::buildingNumber(const QString& no)
{
    QString digits = no.trimmed();
    if (digits.startsWith(QLatin1Char('C'), Qt::CaseInsensitive))
        digits.remove(0, 1);
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok && value > 0 ? value : 0;
}

QString CgxmlWriter::number(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
