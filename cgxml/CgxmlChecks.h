#pragma once

#include "model/Document.h"

#include <QList>
#include <QString>

// One result of the checks made before an exchange file is written.
struct CgxmlFinding
{
    enum class Severity
    {
        Warning,
        Error
    };
    Severity severity = Severity::Error;
    QString text; // Romanian, names the row it is about
};

// The checks made before export, all of them at once: warnings allow the file, errors refuse it.
// Areas are read as the leading number of their text; contours in metres.
namespace CgxmlChecks {

QList<CgxmlFinding> run(const Document& document);
bool hasErrors(const QList<CgxmlFinding>& findings);

// Tolerances of the rules.
constexpr double AreaToleranceMp = 1.0;
constexpr double LegalWarningPercent = 2.0;
constexpr double LegalRefusalPercent = 5.0;

} // namespace CgxmlChecks
