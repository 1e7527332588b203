#include "cli/SheetCommand.h"

#include "cli/SharedOptions.h"
#include "format/CPFile.h"
#include "report/SheetExport.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// The .CP files of the inputs in order; a folder gives its own, sorted by name.
QStringList documentFiles(const QStringList& inputs, QStringList* missing)
{
    QStringList files;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        if (info.isDir()) {
            // Without QDir::CaseSensitive the name filter ignores case: .CP, .cp, .Cp.
            const QFileInfoList entries =
                QDir(input).entryInfoList({QStringLiteral("*.cp")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
            QStringList found;
            for (const QFileInfo& entry : entries)
                found << entry.filePath();
            files << found;
        } else if (info.isFile()) {
            files << input;
        } else {
            missing->append(input);
        }
    }
    return files;
}

// The sheet of each document in outDir, named after it. Two documents of one name (in
// different folders) would write one sheet over the other; names that differ only in case
// count as one, as they do on Windows. Empty, with the clashes on err, when any clash.
QStringList sheetNames(const QStringList& files, const QString& outDir, QTextStream& err)
{
    QStringList targets;
    QHash<QString, QString> firstByName;
    bool clash = false;
    for (const QString& input : files) {
        const QString target = QDir(outDir).filePath(QFileInfo(input).completeBaseName() + QStringLiteral(".RTF"));
        const QString key = target.toCaseFolded();
        const auto first = firstByName.constFind(key);
        if (first != firstByName.constEnd()) {
            err << first.value() << " and " << input << " would both be written as " << target
                << "; sheet them into different folders" << Qt::endl;
            clash = true;
        } else {
            firstByName.insert(key, input);
        }
        targets << target;
    }
    return clash ? QStringList() : targets;
}

} // namespace

SheetCommand::SheetCommand()
    : m_output(SharedOptions::output(QStringLiteral("FILE.RTF"))),
      m_outDir(QStringLiteral("out-dir"), QStringLiteral("Write one sheet per document into FOLDER."),
               QStringLiteral("FOLDER")),
      m_siruta(QStringLiteral("siruta"), QStringLiteral("The SIRUTA code printed (default: the address's)."),
               QStringLiteral("CODE")),
      m_surveyor(SharedOptions::surveyor()), m_date(SharedOptions::date(QStringLiteral("TEXT")))
{
    commandLine().setPositional(QStringLiteral("FILE.CP|FOLDER..."),
                                QStringLiteral("The documents; a folder stands for its .CP files."), 1, -1);
    commandLine().setForms(QStringLiteral("FILE.CP -o FILE.RTF | FILE.CP|FOLDER... --out-dir FOLDER"));
    commandLine().addOption(m_output, CommandLine::Presence::Alternative);
    commandLine().addOption(m_outDir, CommandLine::Presence::Alternative);
    commandLine().addOption(m_siruta);
    commandLine().addOption(m_surveyor);
    commandLine().addOption(m_date);
}

int SheetCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QStringList inputs = line.positional();
    const QString output = line.value(m_output);
    const QString outDir = line.value(m_outDir);
    SheetExport::Options options;
    options.siruta = line.valueIfSet(m_siruta);
    options.surveyorName = line.valueIfSet(m_surveyor);
    options.dateText = line.valueIfSet(m_date);
    // Exactly one of -o (one document) and --out-dir (any number).
    if (inputs.isEmpty() || output.isEmpty() == outDir.isEmpty() || (!output.isEmpty() && inputs.size() != 1))
        return usage(err);

    QStringList missing;
    const QStringList files = documentFiles(inputs, &missing);
    for (const QString& path : missing)
        err << path << ": no such file or folder" << Qt::endl;
    if (!output.isEmpty() && files.size() != 1) {
        if (missing.isEmpty())
            err << inputs.first() << ": give one .CP file with -o, or use --out-dir" << Qt::endl;
        return Refused;
    }
    QStringList targets{output};
    if (!outDir.isEmpty()) {
        targets = sheetNames(files, outDir, err);
        if (targets.isEmpty() && !files.isEmpty())
            return Refused;
    }
    if (!outDir.isEmpty() && !QDir().mkpath(outDir)) {
        err << outDir << ": cannot create the folder" << Qt::endl;
        return Refused;
    }

    int failed = missing.size();
    int index = 0;
    for (const QString& input : files) {
        const QString& target = targets.at(index);
        ++index;
        const QString progress = outDir.isEmpty() ? QString() : QStringLiteral("[%1/%2] ").arg(index).arg(files.size());
        CPFile file(QStringLiteral("."));
        file.setCPFileName(input);
        Error error;
        if (!file.LoadCPFile(&error)) {
            err << progress << input << ": " << error.text() << Qt::endl;
            ++failed;
            continue;
        }
        QString warning;
        if (!SheetExport::exportDocument(*file.Document(), target, options, &error, &warning)) {
            err << progress << target << ": " << error.text() << Qt::endl;
            ++failed;
            continue;
        }
        if (!warning.isEmpty())
            err << progress << input << ": " << warning << Qt::endl;
        out << progress << input << " -> " << target << Qt::endl;
    }
    if (!outDir.isEmpty())
        out << files.size() - (failed - missing.size()) << " of " << files.size() + missing.size() << " sheets written"
            << Qt::endl;
    return failed == 0 ? Done : Refused;
}
