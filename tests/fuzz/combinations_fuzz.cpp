// libFuzzer target: the combinations file decoder over arbitrary bytes. What decodes is encoded again
// and must decode to the same records, each placed under an earlier record and no deeper than the
// limit that keeps Qt's recursive walks of the built tree within the stack.
#include "library/CombinationsFormat.h"

#include <QByteArray>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<library::CombiRecord> records;
    library::DecodeError error;
    if (!library::DecodeCombinations(bytes, records, error)) {
        if (error.offset < 0 || error.offset > qsizetype(size) || error.reason.isEmpty())
            std::abort();
        return 0;
    }
    std::vector<library::CombiRecord> again;
    if (!library::DecodeCombinations(library::EncodeRecords(records), again, error) || again != records)
        std::abort();
    std::vector<int> depths;
    for (const library::CombiRecord& record : records) {
        if (record.parent >= int(depths.size()))
            std::abort();
        depths.push_back(record.parent < 0 ? 0 : depths[size_t(record.parent)] + 1);
        if (depths.back() >= library::MaxDepth)
            std::abort();
    }
    return 0;
}
