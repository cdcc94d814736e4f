// libFuzzer target: skin packages. Opening refuses with a message or keeps members that all come out
// whole; the decoder alone gives exactly the length asked for, whatever its input.
#include "Sink.h"
#include "skin/core/LZH.h"
#include "skin/core/SkinReader.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    TSkinReader reader;
    const SkinPackageResult result = reader.Open(bytes);
    if (!result && result.message.isEmpty())
        std::abort();
    for (const QString& name : reader.Names())
        fuzz::Keep(reader.ExtractByName(name).size());
    QString name;
    fuzz::Keep(reader.ExtractByPart(".ini", name).size());
    fuzz::Keep(name);

    // The first two bytes choose how much to decode (up to 64 KiB: enough literals to rebuild the tree).
    const size_t wanted = size >= 2 ? size_t(data[0]) | size_t(data[1]) << 8 : 0;
    const size_t length = std::min(TLZH::MaxDecodedLength(size), wanted);
    TLZH decoder;
    if (decoder.Decode({data, size}, length).size() != length)
        std::abort();
    return 0;
}
