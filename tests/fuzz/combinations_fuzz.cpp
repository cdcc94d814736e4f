// libFuzzer target: the combinations file decoder over arbitrary bytes. What decodes is encoded again
// and must decode to the same records; its nodes are built and freed, which walks the tree Qt's way.
#include "library/CombinationsFormat.h"

#include <QByteArray>
#include <cstdlib>

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
    const std::vector<library::TCombiItem*> nodes = library::BuildNodes(records);
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (records[i].parent < 0)
            delete nodes[i]; // and its subtree
    }
    return 0;
}
