#pragma once
// The combinations file's records as tree items and back.
#include "library/CombiItem.h"
#include "library/CombinationsFormat.h"

#include <QByteArray>
#include <vector>

namespace library {

// The children of `holder` (a tree's invisible root, or any detached item) and their subtrees.
QByteArray EncodeTree(const QTreeWidgetItem& holder);

// Detached nodes for the records, in record order, each under its parent's node.
std::vector<TCombiItem*> BuildNodes(const std::vector<CombiRecord>& records);

} // namespace library
