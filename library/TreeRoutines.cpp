#include "library/TreeRoutines.h"

#include "library/CombiItem.h"

#include <utility>
#include <vector>

namespace library {

namespace {

const QString CopyPrefix = QStringLiteral("Copia de ");

// A new node with the text, images and record of `source`.
TCombiItem* CopyOfNode(const QTreeWidgetItem* source)
{
    const TCombiItem* node = CombiItem(source);
    auto* copy = new TCombiItem(node ? node->Data : TCombiData{});
    if (node) {
        copy->ImageIndex = node->ImageIndex;
        copy->SelectedIndex = node->SelectedIndex;
    }
    copy->setText(0, source->text(0));
    copy->setIcon(0, source->icon(0));
    return copy;
}

// The expanded nodes of a subtree, to be expanded again after it was taken out and put back.
void CollectExpanded(QTreeWidgetItem* top, std::vector<QTreeWidgetItem*>& expanded)
{
    std::vector<QTreeWidgetItem*> pending{top};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (item->isExpanded())
            expanded.push_back(item);
        for (int i = 0; i < item->childCount(); ++i)
            pending.push_back(item->child(i));
    }
}

} // namespace

bool IsAncestorNode(const QTreeWidgetItem* a, const QTreeWidgetItem* b)
{
    for (; b; b = b->parent()) {
        if (a == b)
            return true;
    }
    return false;
}

QTreeWidgetItem* CopyTreeNode(QTreeWidget*, QTreeWidgetItem* source, QTreeWidgetItem* parent, CopyMode mode)
{
    if (!source || !parent || IsAncestorNode(source, parent))
        return nullptr;
    TCombiItem* top = CopyOfNode(source);
    if (mode == CopyMode::Combination) {
        top->setText(0, CopyPrefix + source->text(0));
        top->Data.Name = top->text(0);
    }
    // Each source node is copied under the copy of its parent, children in their order.
    std::vector<std::pair<const QTreeWidgetItem*, QTreeWidgetItem*>> pending{{source, top}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        for (int i = 0; i < from->childCount(); ++i) {
            TCombiItem* child = CopyOfNode(from->child(i));
            to->addChild(child);
            pending.emplace_back(from->child(i), child);
        }
    }
    parent->addChild(top);
    return top;
}

void SwapTreeNodes(QTreeWidget* tree, QTreeWidgetItem* a, QTreeWidgetItem* b)
{
    if (!a || !b || a == b || a->parent() != b->parent())
        return;
    QTreeWidgetItem* parent = a->parent();
    auto indexOf = [&](QTreeWidgetItem* item) {
        return parent ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
    };
    auto take = [&](int index) { return parent ? parent->takeChild(index) : tree->takeTopLevelItem(index); };
    auto insert = [&](int index, QTreeWidgetItem* item) {
        parent ? parent->insertChild(index, item) : tree->insertTopLevelItem(index, item);
    };
    int first = indexOf(a);
    int second = indexOf(b);
    if (first < 0 || second < 0)
        return;
    if (first > second)
        std::swap(a, b), std::swap(first, second);
    std::vector<QTreeWidgetItem*> expanded;
    CollectExpanded(a, expanded);
    CollectExpanded(b, expanded);
    const bool updates = tree->updatesEnabled();
    tree->setUpdatesEnabled(false);
    take(second);
    take(first);
    insert(first, b);
    insert(second, a);
    for (QTreeWidgetItem* item : expanded)
        item->setExpanded(true);
    tree->setUpdatesEnabled(updates);
}

} // namespace library
