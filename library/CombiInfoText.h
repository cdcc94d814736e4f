#pragma once
// The text drawn at the right of each row of the combinations tree: counts and playing times.
#include <QString>
#include <QTreeWidget>

#include <cstdint>

namespace library {

// "hh:nn:ss" from one hour up (the hours go on past 24: a station's total is often days), else "nn:ss".
QString CombiTime(int64_t msecs);

// By the node's kind: the root "Tot: <combinations>, Temas: <themes> (<time>) ", a combination
// "Temas: <themes> (<time>) ", a theme "(<time>) "; any other kind nothing. Counts are right-aligned in
// three places; `children` is the root's or the combination's own child count.
QString CombiInfoText(int32_t kind, int children, int themes, int64_t seconds);

// The info text of a node of the tree; nothing for a node without a record. The root counts every
// node of the tree that is neither the root nor one of its children as a theme.
QString CombiInfoText(const QTreeWidget& tree, const QTreeWidgetItem& node);

} // namespace library
