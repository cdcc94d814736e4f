#pragma once
// Aligned child widgets: a child's alignment is kept as its property "Align", and its parent places
// the aligned children within an area by the toolkit's rules (platform/AlignLayout).
#include "platform/AlignLayout.h"

class QWidget;

namespace platform {

TAlign AlignOf(const QWidget* widget);
// Stores the alignment and asks the parent to place its children again (a layout request).
void SetAlign(QWidget* widget, TAlign align);
// Places the aligned children of parent not hidden on purpose within area, in creation order for ties.
void AlignChildren(QWidget* parent, const QRect& area);

} // namespace platform
