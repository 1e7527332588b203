#pragma once

#include "scrivel/ScrivelExport.h"

#include <QString>

// The failure of the last call to an RTFDoc or ImageFile operation: a classic error number
// (5 invalid argument, 6 overflow, 9 subscript out of range, 75 path/file access error) and
// its description. number 0 means the call succeeded. Nothing is thrown across the library.
struct ScrivelError
{
    int number = 0;
    QString description;

    bool isError() const { return number != 0; }
    QString text() const { return QString::number(number) + QLatin1Char(' ') + description; }
};
