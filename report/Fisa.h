#pragma once

#include "base/Error.h"
#include "model/Land.h"

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QLocale>
#include <QString>

class RTFDoc;

// The property sheet ("FISA CORPULUI DE PROPRIETATE") of one property: a fixed landscape A4
// layout composed call by call in an RTFDoc and written to FileName by GenerateFile.
//
// Set FileName, SIRUTA, SurveyorName, Land and ControlPicture (or PictureData), optionally the
// date text, then call GenerateFile. Each call composes a new document, so two exports give two
// files with one sheet each.
class Fisa
{
public:
    Fisa();

    const QString& SurveyorName() const { return m_surveyorName; }
    void setSurveyorName(const QString& name) { m_surveyorName = name; }
    const QString& SIRUTA() const { return m_siruta; }
    void setSIRUTA(const QString& siruta) { m_siruta = siruta; }
    const QString& FileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Keeps the land and its address, parcels and buildings; a land without them (or no land)
    // reads as empty ones.
    void setLand(const LandPtr& land);

    // Shrinks the sketch to fit 600 x 600 pixels (never enlarged) and keeps it as JPEG bytes in
    // PictureData, with its pixel size. A null picture leaves no picture data.
    void setControlPicture(const QImage& picture);
    const QByteArray& PictureData() const { return m_pictureData; }
    void setPictureData(const QByteArray& data) { m_pictureData = data; }
    int pictureWidth() const { return m_pictureWidth; }
    int pictureHeight() const { return m_pictureHeight; }

    // The text after "Data: " in the signature line; empty means today's date in the user's
    // short date format, read when the sheet is composed.
    const QString& dateText() const { return m_dateText; }
    void setDateText(const QString& text) { m_dateText = text; }
    static QString shortDate(const QDate& date, const QLocale& locale = QLocale::system());

    // Composes the sheet and writes it to FileName (atomically: a failure leaves an older file
    // of that name whole and writes nothing). False with the failure in *error.
    bool GenerateFile(Error* error = nullptr);
    // The bytes GenerateFile would write; empty with the failure in *error.
    QByteArray composeSheet(Error* error = nullptr);

    // How many empty lines come before the owners' title for these table sizes.
    static int linesBeforeOwners(int parcels, int buildings);
    // The address line under the title.
    static QString addressLine(const Address& address);

private:
    void compose(RTFDoc& doc) const;

    QString m_surveyorName;
    QString m_siruta;
    QString m_fileName;
    QString m_dateText;
    LandPtr m_land;
    AddressPtr m_address;
    ParcelsPtr m_parcels;
    BuildingsPtr m_buildings;
    QByteArray m_pictureData;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
};
