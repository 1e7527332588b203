#include "cli/CoordsCommand.h"

#include "app/DelimiterList.h"
#include "base/AnsiText.h"
#include "cli/CliPrompter.h"
#include "coordlist/CoordinateList.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Exports are plain ASCII, UTF-8 from newer tools, or the Windows code page from older ones.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? AnsiText::decode(bytes) : text;
}
} // namespace

CoordsCommand::CoordsCommand()
    : m_delimiters(QStringLiteral("delimiters"),
                   QStringLiteral("The characters between fields, as character codes separated by commas (default "
                                  "9,32,59: tab, space, semicolon)."),
                   QStringLiteral("CODED"), QStringLiteral("9,32,59")),
      m_decimals(QStringLiteral("decimals"), QStringLiteral("Decimals of the coordinates, 0 to 15 (default 3)."),
                 QStringLiteral("N"), QStringLiteral("3")),
      m_separator(QStringLiteral("separator"), QStringLiteral("The decimal separator (default .)."),
                  QStringLiteral(". or ,"), QStringLiteral("."))
{
    commandLine().setPositional(QStringLiteral("FILE.txt"), QStringLiteral("The point list (a total-station export)."));
    commandLine().addOption(m_delimiters);
    commandLine().addOption(m_decimals);
    commandLine().addOption(m_separator);
}

int CoordsCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString path = line.positional().first();
    const QString coded = line.value(m_delimiters);
    const std::optional<int> decimals = line.wholeNumber(m_decimals, 0, 15);
    if (!decimals)
        return usage(err);
    QString separator;
    for (const QString& value : line.values(m_separator)) {
        separator = value;
        if (separator != QLatin1String(".") && separator != QLatin1String(","))
            return usage(err);
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": " << file.errorString() << Qt::endl;
        return Refused;
    }
    const QString text = decodeText(file.readAll());

    // A fresh list: the only question, whether to write over its rows, does not arise.
    CliPrompter prompter;
    CoordinateList list(&prompter, separator);
    list.setDecimalNumber(*decimals);
    list.setDelimiters(DelimiterList::parse(coded));
    const bool pasted = list.PasteText(text);
    for (const QString& message : prompter.errors())
        err << message << Qt::endl;
    if (!pasted)
        return Refused;
    for (int r = 1; r <= list.rowCount(); ++r) {
        const CoordinateList::Row& row = list.row(r);
        out << row[0] << '\t' << row[1] << '\t' << row[2] << '\t' << row[3] << '\n';
    }
    out.flush();
    return Done;
}
