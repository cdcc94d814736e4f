#pragma once
// The combinations file's bytes: a list-begin tag, one record of eight tagged values per node in
// pre-order, a list-end tag. Qt Core only: CombinationsNodes.h turns records into tree items and back.
#include "library/CombiData.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace library {

// One node as the file holds it. `parent` is the index of the record it is placed under by the level
// rules (-1 for a top-level node).
struct CombiRecord {
    int32_t level = 0;
    QString text;
    int32_t imageIndex = 0;
    bool expanded = false;
    TCombiData data;
    int parent = -1;

    bool operator==(const CombiRecord&) const = default;
};

struct DecodeError {
    QString reason;
    int64_t offset = 0; // of the byte where reading stopped
};

QByteArray EncodeRecords(const std::vector<CombiRecord>& records);

// False with the reason and its byte offset when the bytes are not a whole combinations list; a node
// placed deeper than MaxDepth levels is refused, since Qt walks and deletes items recursively.
constexpr int MaxDepth = 64;
bool DecodeCombinations(const QByteArray& bytes, std::vector<CombiRecord>& records, DecodeError& error);

} // namespace library
