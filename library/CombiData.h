#pragma once
// The record every node of the combinations tree carries, as the combinations file holds it.
#include <QString>
#include <cstdint>

namespace library {

// Kind: 0 root, 1 combination, 2 theme (readers use -1 for a node that carries no information).
struct TCombiData {
    QString Name;
    int32_t Kind = 0;
    int32_t ImageIndex = 0;
    int64_t Duration = 0; // seconds

    bool operator==(const TCombiData&) const = default;
};

} // namespace library
