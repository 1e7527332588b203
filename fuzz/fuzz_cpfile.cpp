// .CP loader: any bytes load or fail with a message; whatever loads saves again, and the saved
// form is a fixed point (load + save of it gives the same bytes).
#include "FuzzInput.h"
#include "app/Error.h"
#include "model/CPFile.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    CPFile file(QStringLiteral(","));
    Error error;
    if (!file.load(&device, nullptr, &error)) {
        FUZZ_CHECK(error.number != 0 && !error.description.isEmpty());
        return 0;
    }
    FUZZ_CHECK(file.Document() != nullptr);
    QByteArray saved;
    try {
        saved = file.compose();
    } catch (const Failure&) {
        fuzzFail("a loaded document does not save");
    }
    QBuffer again(const_cast<QByteArray*>(&saved));
    again.open(QIODevice::ReadOnly);
    CPFile reloaded(QStringLiteral(","));
    FUZZ_CHECK(reloaded.load(&again, nullptr, &error));
    try {
        FUZZ_CHECK(reloaded.compose() == saved);
    } catch (const Failure&) {
        fuzzFail("a saved document does not save again");
    }
    return 0;
}
