// Feeds arbitrary bytes to the GIF picture decoder.
#include "fuzz_support.h"
#include "gif_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    quorvel::fuzz::expectOnlyRuntimeFailures(
        [&] { (void)quorvel::decodeGifPicture(bytes, QStringLiteral("fuzz")); });
    return 0;
}
