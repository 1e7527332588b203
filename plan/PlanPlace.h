#pragma once

#include <QString>

// The county, administrative territory and locality names of a SIRUTA code, read from the
// nomenclature tables of a Data folder. Fields stay empty when a table or the code is missing:
// the plan then prints the code alone.
struct PlanPlace
{
    QString county;
    QString territory;
    QString locality;

    static PlanPlace lookUp(int siruta, const QString& dataFolder);
};
