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

    const size_t length = std::min<size_t>(TLZH::MaxDecodedLength(size), 256 * 1024);
    TLZH decoder;
    if (decoder.Decode({data, size}, length).size() != length)
        std::abort();
    return 0;
}
