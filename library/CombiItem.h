#pragma once
// The tree item that owns a node's record, and the cut/copy state of the combinations window.
#include "library/CombiData.h"

#include <QTreeWidgetItem>
#include <cstdint>
#include <vector>

namespace library {

// A node of the combinations tree. Its id comes from a counter that never repeats, so an id kept across
// a delete or a reload can never name another node.
class TCombiItem : public QTreeWidgetItem {
public:
    static constexpr int Type = QTreeWidgetItem::UserType + 1;

    explicit TCombiItem(const TCombiData& data = {});

    TCombiData Data;
    // Indexes in the tree's image list, for the node and for the node while selected.
    int32_t ImageIndex = 0;
    int32_t SelectedIndex = 0;
    uint64_t Id() const { return id_; }

private:
    uint64_t id_;
};

// A node as the window makes it: text and record name alike, images and record image by its kind.
TCombiItem* NewCombiNode(const QString& name, int32_t kind, int64_t duration = 0);

// The node as a TCombiItem; nullptr for any other item.
TCombiItem* CombiItem(QTreeWidgetItem* item);
const TCombiItem* CombiItem(const QTreeWidgetItem* item);
// The node of the tree with this id; nullptr when none has it (any more).
TCombiItem* FindNodeById(const QTreeWidget* tree, uint64_t id);

using TMatHTreeItems = std::vector<uint64_t>;
// Item pointers live only inside one operation, never across an event loop.
using TMatTreeNodes = std::vector<QTreeWidgetItem*>;

class TXClipboard {
public:
    void Clear();
    // Empties the held items and gives `count` slots for the caller to fill, in its own order.
    void SetContent(int32_t kind, int32_t operation, int count);
    bool Contains(uint64_t itemId) const;
    bool IsEmpty() const { return Items.empty(); }
    int32_t Kind() const { return kind_; }
    int32_t Operation() const { return operation_; } // 0 copy, 1 cut

    TMatHTreeItems Items;

private:
    int32_t kind_ = -1;
    int32_t operation_ = -1;
};

} // namespace library
