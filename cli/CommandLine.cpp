#include "cli/CommandLine.h"

namespace {
// "-o FILE.CP", "--scale N", "--raw": an option as the usage line writes it.
QString optionSyntax(const QCommandLineOption& option)
{
    const QString& name = option.names().constLast();
    QString text = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}
} // namespace

CommandLine::CommandLine() : m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help."))
{
    // "-abc" is -a -b -c, as with getopt; a value may follow its option or "=".
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.addOption(m_help);
}

void CommandLine::setPositional(const QString& syntax, const QString& description, int minimum, int maximum)
{
    m_positional = syntax;
    m_minimum = minimum;
    m_maximum = maximum;
    m_parser.addPositionalArgument(syntax, description);
}

void CommandLine::addOption(const QCommandLineOption& option, Presence presence)
{
    const bool added = m_parser.addOption(option);
    Q_ASSERT_X(added, "CommandLine::addOption", "an option name declared twice");
    Q_UNUSED(added);
    m_options.push_back({option, presence});
}

QString CommandLine::arguments() const
{
    QStringList parts;
    // Two spaces set the forms apart from the options they share.
    if (!m_forms.isEmpty())
        parts << m_forms + QLatin1Char(' ');
    else if (!m_positional.isEmpty())
        parts << m_positional;
    for (const Declared& declared : m_options) {
        const QString syntax = optionSyntax(declared.option);
        switch (declared.presence) {
        case Presence::Required:
            parts << syntax;
            break;
        case Presence::Optional:
            parts << QLatin1Char('[') + syntax + QLatin1Char(']');
            break;
        case Presence::Repeatable:
            parts << QLatin1Char('[') + syntax + QStringLiteral(" ...]");
            break;
        case Presence::Alternative:
            break;
        }
    }
    return parts.join(QLatin1Char(' '));
}

QString CommandLine::help(const QString& usageLine) const
{
    // Qt's own first line names the program by the path it was started with; ours names the
    // command instead.
    const QString text = m_parser.helpText();
    return usageLine + text.mid(text.indexOf(QLatin1Char('\n')));
}

std::optional<int> CommandLine::wholeNumber(const QCommandLineOption& option, int minimum, int maximum) const
{
    std::optional<int> last;
    // Every value given is checked, not only the one that counts.
    for (const QString& value : m_parser.values(option)) {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok || number < minimum || number > maximum)
            return std::nullopt;
        last = number;
    }
    return last;
}

bool CommandLine::parse(const QStringList& arguments)
{
    // QCommandLineParser skips the first argument as the program's name.
    if (!m_parser.parse(QStringList{QString()} + arguments))
        return false;
    if (helpRequested())
        return true;
    const qsizetype count = m_parser.positionalArguments().size();
    if (count < m_minimum || (m_maximum >= 0 && count > m_maximum))
        return false;
    // An empty value (`-o "$UNSET"`) names nothing: the option counts as missing.
    for (const Declared& declared : m_options) {
        if (declared.presence == Presence::Required && m_parser.value(declared.option).isEmpty())
            return false;
    }
    return true;
}
