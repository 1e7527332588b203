#pragma once

#include "entry/LookUpData.h"

#include <QString>

// The part of the Data folder's nomenclature the exchange file needs: the territory of a
// locality (SIRSUP), whether a code is known, and the nomenclature's spelling of a street.
// Without the tables (folder missing) every question answers "unknown".
class CgxmlNomenclature
{
public:
    // Opens Localitati.DAT, Admin.DAT and Strazi.DAT from `folder`; false when they cannot be read.
    bool open(const QString& folder);
    bool isOpen() const { return m_open; }

    // admin_id of a locality's SIRUTA code; 0 when unknown.
    int territoryOf(int localitySiruta);
    bool isLocality(int siruta);
    bool isTerritory(int siruta);
    // The nomenclature's spelling of a street of the locality, compared without regard to case;
    // empty when the locality lists no such street.
    QString streetName(int localitySiruta, const QString& name);

private:
    LookUpData m_localities;
    LookUpData m_territories;
    LookUpData m_streets;
    bool m_open = false;
};
