// Street nomenclatures: the Ministry of Finance's XML rows and the postal index's JSON. Read,
// or refused with a Failure.
#include "FuzzInput.h"
#include "base/Error.h"
#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/PostalStreetReader.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The two publications are told apart as the importer's caller does: by their first sign.
    const bool json = !bytes.trimmed().startsWith('<');
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    try {
        if (json) {
            const PostalStreets streets = PostalStreetReader::read(device, QStringLiteral("fuzz.json"));
            for (const PostalStreet& street : streets.streets)
                FUZZ_CHECK(street.sector >= 1 && street.sector <= 6);
        } else {
            (void)MfpStreetReader::readRows(device, QStringLiteral("fuzz.xml"));
        }
    } catch (const Failure& failure) {
        FUZZ_CHECK(!failure.error().description.isEmpty());
    }
    (void)PostalStreetReader::streetName(QString::fromUtf8(bytes));
    return 0;
}
