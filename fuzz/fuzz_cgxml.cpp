// Exchange-file reader: any bytes read or fail with a message naming the line; what imports
// writes again, and that file reads and imports back with the same contours.
#include "FuzzInput.h"
#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlWriter.h"

#include <QBuffer>

namespace {
int contourPoints(const Land& land)
{
    return land.Geometry() && land.Geometry()->Points() ? land.Geometry()->Points()->Count() : 0;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QBuffer input;
    input.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    input.open(QIODevice::ReadOnly);
    CgxmlReader reader;
    QString error;
    if (!reader.read(&input, &error)) {
        if (!error.startsWith(QLatin1String("Fisierul CGXML")))
            fuzzFail("refusal without the file's message");
        return 0;
    }
    CgxmlImport::Result result;
    if (!CgxmlImport::toDocument(reader, QString(), nullptr, &result, &error)) {
        if (error.isEmpty())
            fuzzFail("import refused without a message");
        return 0;
    }
    CgxmlImport::report(result);

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    CgxmlWriter::Options options;
    options.exportDate = QDateTime(QDate(2026, 1, 1), QTime(0, 0));
    if (!CgxmlWriter::write(*result.document, options, &written))
        fuzzFail("writing an imported document failed");
    written.close();
    written.open(QIODevice::ReadOnly);
    CgxmlReader again;
    if (!again.read(&written, &error))
        fuzzFail("our own file does not read back");
    CgxmlImport::Result back;
    if (!CgxmlImport::toDocument(again, QString(), nullptr, &back, &error))
        fuzzFail("our own file does not import back");
    if (contourPoints(*back.document->Land()) != contourPoints(*result.document->Land()) &&
        !result.document->isApartment())
        fuzzFail("land contour changed through a write and a read");
    return 0;
}
