#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The command line one command of lotmark-cli accepts, declared once: QCommandLineParser reads
// it, and the usage line and the help are composed from the same declarations.
class CommandLine
{
public:
    // Alternative: optional, and shown in the forms given to setForms() rather than on its own.
    enum class Presence
    {
        Optional,
        Required,
        Repeatable,
        Alternative
    };

    CommandLine();

    // The arguments that are not options, as the usage shows them ("FILE.CP", "FILE.CP|FOLDER...");
    // between `minimum` and `maximum` of them are accepted (-1: any number).
    void setPositional(const QString& syntax, const QString& description, int minimum = 1, int maximum = 1);
    void addOption(const QCommandLineOption& option, Presence presence = Presence::Optional);
    // The usage line lists the positional arguments, then the options in the order added, the
    // optional ones in brackets. A command whose forms the list cannot say (sheet's two outputs)
    // gives them here, in place of the positional arguments and the Alternative options.
    void setForms(const QString& forms) { m_forms = forms; }

    // "FILE.CP -o FILE.pdf [--scale N] ...": what the usage line shows after the command's name.
    QString arguments() const;
    // The usage line, then each option and argument with its description.
    QString help(const QString& usageLine) const;

    // False when the arguments are not understood: an unknown option, an option without its
    // value, a required option missing or empty, too few or too many positional arguments.
    // The program's name is not among the arguments.
    bool parse(const QStringList& arguments);
    bool helpRequested() const { return m_parser.isSet(m_help); }

    bool isSet(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    // The last value given (an option given twice keeps the later one).
    QString value(const QCommandLineOption& option) const { return m_parser.value(option); }
    QStringList values(const QCommandLineOption& option) const { return m_parser.values(option); }
    // The option's value as a whole number from `minimum` to `maximum`: the last one given, else
    // the default value. Nothing when a value is not such a number, or when there is none.
    std::optional<int> wholeNumber(const QCommandLineOption& option, int minimum, int maximum) const;
    // The last value given, or nothing when the option is absent (the command's default applies).
    std::optional<QString> valueIfSet(const QCommandLineOption& option) const
    {
        return isSet(option) ? std::optional<QString>(value(option)) : std::nullopt;
    }
    QStringList positional() const { return m_parser.positionalArguments(); }

private:
    struct Declared
    {
        QCommandLineOption option;
        Presence presence;
    };

    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    std::vector<Declared> m_options;
    QString m_positional;
    int m_minimum = 0;
    int m_maximum = 0;
    QString m_forms;
};
