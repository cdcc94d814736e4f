#include "library/CombiItem.h"

#include <QTreeWidget>

#include <algorithm>
#include <atomic>

namespace library {

namespace {

std::atomic<uint64_t> lastId{0};

} // namespace

TCombiItem::TCombiItem(const TCombiData& data) : QTreeWidgetItem(Type), Data(data), id_(++lastId)
{
    // Combinations and themes are renamed in place; the root never is.
    if (data.Kind == 1 || data.Kind == 2)
        setFlags(flags() | Qt::ItemIsEditable);
}

TCombiItem* NewCombiNode(const QString& name, int32_t kind, int64_t duration)
{
    auto* node = new TCombiItem({name, kind, kind, duration});
    node->ImageIndex = node->SelectedIndex = kind;
    node->setText(0, name);
    return node;
}

TCombiItem* CombiItem(QTreeWidgetItem* item)
{
    return item && item->type() == TCombiItem::Type ? static_cast<TCombiItem*>(item) : nullptr;
}

const TCombiItem* CombiItem(const QTreeWidgetItem* item)
{
    return item && item->type() == TCombiItem::Type ? static_cast<const TCombiItem*>(item) : nullptr;
}

TCombiItem* FindNodeById(const QTreeWidget* tree, uint64_t id)
{
    std::vector<QTreeWidgetItem*> pending;
    for (int i = tree->topLevelItemCount() - 1; i >= 0; --i)
        pending.push_back(tree->topLevelItem(i));
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (TCombiItem* node = CombiItem(item); node && node->Id() == id)
            return node;
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.push_back(item->child(i));
    }
    return nullptr;
}

void TXClipboard::Clear()
{
    kind_ = -1;
    operation_ = -1;
    Items.clear();
}

void TXClipboard::SetContent(int32_t kind, int32_t operation, int count)
{
    kind_ = kind;
    operation_ = operation;
    Items.assign(size_t(std::max(count, 0)), 0);
}

bool TXClipboard::Contains(uint64_t itemId) const
{
    return std::find(Items.begin(), Items.end(), itemId) != Items.end();
}

} // namespace library
