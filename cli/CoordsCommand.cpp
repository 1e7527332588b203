#include "cli/CoordsCommand.h"

#include "base/AnsiText.h"
#include "app/DelimiterList.h"
#include "base/Prompter.h"
#include "coordlist/CoordinateList.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// Messages go to the error stream; questions are answered Yes, as a surveyor pasting onto a
// fresh list would.
class StreamPrompter : public Prompter
{
public:
    explicit StreamPrompter(QTextStream& err) : m_err(err) {}
    void message(const QString& text, const QString&, Icon) override
    {
        m_err << text << Qt::endl;
        m_messages = true;
    }
    Answer ask(const QString&, const QString&, Buttons, Icon) override { return Answer::Yes; }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool hadMessages() const { return m_messages; }

private:
    QTextStream& m_err;
    bool m_messages = false;
};

// Exports are plain ASCII, UTF-8 from newer tools, or the Windows code page from older ones.
QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? AnsiText::decode(bytes) : text;
}
} // namespace

int CoordsCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString path;
    QString coded = QStringLiteral("9,32,59");
    int decimals = 3;
    QString separator = QStringLiteral(".");
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--delimiters") && hasValue) {
            coded = arguments[++i];
        } else if (argument == QLatin1String("--decimals") && hasValue) {
            bool ok = false;
            decimals = arguments[++i].toInt(&ok);
            if (!ok || decimals < 0 || decimals > 15)
                return usage(err);
        } else if (argument == QLatin1String("--separator") && hasValue) {
            separator = arguments[++i];
            if (separator != QLatin1String(".") && separator != QLatin1String(","))
                return usage(err);
        } else if (!argument.startsWith(QLatin1String("--")) && path.isEmpty()) {
            path = argument;
        } else {
            return usage(err);
        }
    }
    if (path.isEmpty())
        return usage(err);

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": " << file.errorString() << Qt::endl;
        return Refused;
    }
    const QString text = decodeText(file.readAll());

    StreamPrompter prompter(err);
    CoordinateList list(&prompter, separator);
    list.setDecimalNumber(decimals);
    list.setDelimiters(DelimiterList::parse(coded));
    if (!list.PasteText(text))
        return Refused;
    for (int r = 1; r <= list.rowCount(); ++r) {
        const CoordinateList::Row& row = list.row(r);
        out << row[0] << '\t' << row[1] << '\t' << row[2] << '\t' << row[3] << '\n';
    }
    out.flush();
    return Done;
}
