// SIRUTA register (CSV): read, or refused with a Failure naming the line.
#include "FuzzInput.h"
#include "base/Error.h"
#include "entry/nomenclature/SirutaReader.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    try {
        const std::vector<SirutaRecord> records = SirutaReader::read(device);
        FUZZ_CHECK(records.size() <= std::size_t(size));
    } catch (const Failure& failure) {
        FUZZ_CHECK(!failure.error().description.isEmpty());
    }
    (void)SirutaReader::splitLine(QString::fromUtf8(bytes), QLatin1Char(';'));
    return 0;
}
