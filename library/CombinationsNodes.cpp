#include "library/CombinationsNodes.h"

#include <utility>

namespace library {

QByteArray EncodeTree(const QTreeWidgetItem& holder)
{
    static const TCombiData NoRecord;
    std::vector<CombiRecord> records;
    // Pre-order: each node, then its subtree, then its next sibling.
    std::vector<std::pair<const QTreeWidgetItem*, int32_t>> pending;
    for (int i = holder.childCount() - 1; i >= 0; --i)
        pending.emplace_back(holder.child(i), 0);
    while (!pending.empty()) {
        const auto [item, level] = pending.back();
        pending.pop_back();
        const TCombiItem* node = CombiItem(item);
        records.push_back({level, item->text(0), node ? node->ImageIndex : 0, item->isExpanded(),
                           node ? node->Data : NoRecord});
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.emplace_back(item->child(i), level + 1);
    }
    return EncodeRecords(records);
}

std::vector<TCombiItem*> BuildNodes(const std::vector<CombiRecord>& records)
{
    std::vector<TCombiItem*> nodes;
    nodes.reserve(records.size());
    for (const CombiRecord& record : records) {
        auto* node = new TCombiItem(record.data);
        node->ImageIndex = record.imageIndex;
        node->setText(0, record.text);
        if (record.parent >= 0)
            nodes[size_t(record.parent)]->addChild(node);
        nodes.push_back(node);
    }
    return nodes;
}

} // namespace library
