#pragma once
// Copying, swapping and ancestry of nodes of the combinations tree. Every walk keeps its own stack, so
// neither a long list of siblings nor a deep tree can exhaust the call stack.
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace library {

// True when `a` is `b` or one of its ancestors; false when `b` is nullptr.
bool IsAncestorNode(const QTreeWidgetItem* a, const QTreeWidgetItem* b);

enum class CopyMode { Combination = 1, Plain = 2 };

// Appends a copy of `source` with its whole subtree as the last child of `parent`; every copied node is
// a new TCombiItem with a fresh id. In Combination mode the top copy is called "Copia de " + the name,
// in its text and its record. nullptr when either is nullptr or `parent` lies inside `source`.
QTreeWidgetItem* CopyTreeNode(QTreeWidget* tree, QTreeWidgetItem* source, QTreeWidgetItem* parent,
                              CopyMode mode);

// `a` and `b`, siblings, exchange places with their subtrees; their expanded states are kept.
void SwapTreeNodes(QTreeWidget* tree, QTreeWidgetItem* a, QTreeWidgetItem* b);

} // namespace library
