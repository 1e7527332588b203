#include "cli/CliCommand.h"

#include "format/CPFile.h"

QString CliCommand::synopsis() const
{
    return m_commandLine.arguments() + QStringLiteral("  -- ") + summary();
}

int CliCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (!m_commandLine.parse(arguments))
        return usage(err);
    if (m_commandLine.helpRequested()) {
        out << m_commandLine.help(QStringLiteral("usage: lotmark-cli ") + name() + QLatin1Char(' ') + synopsis());
        out.flush();
        return Done;
    }
    return execute(m_commandLine, out, err);
}

int CliCommand::usage(QTextStream& err) const
{
    err << "usage: lotmark-cli " << name() << ' ' << synopsis() << Qt::endl;
    return Usage;
}

int CliCommand::saveDocument(CPFile& file, const QString& path, QTextStream& out, QTextStream& err)
{
    file.setCPFileName(path);
    Error error;
    if (!file.SaveCPFile(&error)) {
        err << path << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << path << Qt::endl;
    return Done;
}
