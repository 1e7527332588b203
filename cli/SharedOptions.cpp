#include "cli/SharedOptions.h"

namespace SharedOptions {

QCommandLineOption output(const QString& valueName)
{
    return QCommandLineOption(QStringLiteral("o"), QStringLiteral("Write to %1.").arg(valueName), valueName);
}

QCommandLineOption data(const QString& valueName)
{
    return QCommandLineOption(QStringLiteral("data"),
                              QStringLiteral("Read the nomenclature tables from %1 (default: the Data folder the "
                                             "program reads).")
                                  .arg(valueName),
                              valueName);
}

QCommandLineOption surveyor()
{
    return QCommandLineOption(QStringLiteral("surveyor"),
                              QStringLiteral("The surveyor's name (default: the document's)."), QStringLiteral("NAME"));
}

QCommandLineOption license()
{
    return QCommandLineOption(QStringLiteral("license"),
                              QStringLiteral("The surveyor's licence series (default: the document's)."),
                              QStringLiteral("SERIES"));
}

QCommandLineOption date(const QString& valueName)
{
    return QCommandLineOption(QStringLiteral("date"), QStringLiteral("The date written (default: the current one)."),
                              valueName);
}

} // namespace SharedOptions
