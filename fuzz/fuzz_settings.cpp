// Settings file: any file content reads without failing; a value written is read back as
// written and every other line stays; the delimiter setting decodes from any text.
#include "FuzzInput.h"
#include "app/DelimiterList.h"
#include "base/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("Lotmark.INI"));
    FuzzInput in(data, size);
    // Keys are the program's own names: printable ASCII.
    QString key;
    for (const char c : in.bytes(in.pick(8)))
        key += QLatin1Char(char(32 + static_cast<unsigned char>(c) % 95));
    const QByteArray content = in.rest();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    static const char* const sections[] = {"Setari", "Delimitatori", "Topograf", ""};
    for (const char* section : sections) {
        const QString value = IniFile::read(QString::fromLatin1(section), QStringLiteral("Delimitatori"), path);
        FUZZ_CHECK(value.size() <= 254);
        const QStringList delimiters = DelimiterList::parse(value);
        FUZZ_CHECK(DelimiterList::parse(DelimiterList::encode(delimiters)) == delimiters);
        (void)IniFile::read(QString::fromLatin1(section), key, path);
    }
    // A key that is blank, holds "=" or opens a section cannot be written back as itself.
    const QString trimmed = key.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QLatin1Char('=')) || trimmed.startsWith(QLatin1Char('[')))
        return 0;
    if (IniFile::write(QStringLiteral("Fuzz"), trimmed, QStringLiteral("9,32"), path))
        FUZZ_CHECK(IniFile::read(QStringLiteral("Fuzz"), trimmed, path) == QStringLiteral("9,32"));
    return 0;
}
