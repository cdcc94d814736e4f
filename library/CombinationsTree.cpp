#include "library/CombinationsTree.h"

#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/ListRowPainter.h"
#include "library/CombiInfoText.h"
#include "playout/QueueMimeTypes.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

using namespace library;

namespace {

constexpr int ImageSize = 16;
const QColor LineColor(Qt::red);

// Images of our own: a box for the root, a list for a combination, a note for a theme.
QIcon NodeImage(int index)
{
    QPixmap image(ImageSize, ImageSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0:
        painter.setPen(QColor(0xC0, 0xC0, 0x00));
        painter.setBrush(QColor(0xFF, 0xD7, 0x00));
        painter.drawRect(2, 3, 12, 10);
        painter.drawLine(2, 6, 14, 6);
        break;
    case 1:
        painter.setPen(QColor(0x00, 0x80, 0xFF));
        painter.setBrush(QColor(0x40, 0xA0, 0xFF));
        painter.drawRect(1, 2, 13, 12);
        painter.setPen(Qt::white);
        for (int y = 5; y <= 11; y += 3)
            painter.drawLine(4, y, 11, y);
        break;
    default:
        painter.setPen(QColor(0x00, 0xC0, 0x00));
        painter.setBrush(QColor(0x00, 0xFF, 0x00));
        painter.drawEllipse(QRectF(2, 9, 6, 5));
        painter.drawLine(7, 11, 7, 2);
        painter.drawLine(7, 2, 12, 4);
        break;
    }
    return QIcon(image);
}

int LevelOf(const QTreeWidgetItem& item)
{
    int level = 0;
    for (const QTreeWidgetItem* up = item.parent(); up; up = up->parent())
        ++level;
    return level;
}

bool HasNextSibling(const QTreeWidget& tree, const QTreeWidgetItem& item)
{
    if (const QTreeWidgetItem* parent = item.parent())
        return parent->indexOfChild(const_cast<QTreeWidgetItem*>(&item)) < parent->childCount() - 1;
    return tree.indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(&item)) < tree.topLevelItemCount() - 1;
}

// Rows are drawn by the tree; the delegate sizes them and hands accepted renames to the tree's owner.
class TCombiDelegate : public QStyledItemDelegate {
public:
    explicit TCombiDelegate(TCombinationsTree* tree) : QStyledItemDelegate(tree), tree_(tree) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {1, std::max(ImageSize + 2,
                            ListItemHeight({RoleCombinations, RoleCombinationsCopied, RoleCombinationsCut,
                                            RoleCombinationsSelected, RoleCombinationsInfo}))};
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (const TCombiItem* node = CombiItem(tree_->itemFromIndex(index)); line && node)
            tree_->RenameAccepted(*node, line->text());
    }

private:
    TCombinationsTree* tree_;
};

} // namespace

TCombinationsTree::TCombinationsTree(QWidget* parent) : QTreeWidget(parent)
{
    for (int i = 0; i < 3; ++i)
        INodos[size_t(i)] = NodeImage(i);
    setObjectName(QStringLiteral("TVCombinaciones"));
    setColumnCount(1);
    setHeaderHidden(true);
    setFrameShape(QFrame::NoFrame);
    setIndentation(Indent);
    setUniformRowHeights(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new TCombiDelegate(this));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::black);
    setPalette(colours);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { SelectionChanged(); });
}

std::vector<uint64_t> TCombinationsTree::Selections() const
{
    std::vector<uint64_t> ids;
    for (const TCombiItem* node : SelectedNodes())
        ids.push_back(node->Id());
    return ids;
}

std::vector<TCombiItem*> TCombinationsTree::SelectedNodes() const
{
    // One pass over the selection, not a search of the tree per id: a selection can be thousands long.
    std::unordered_map<uint64_t, TCombiItem*> selected;
    for (QTreeWidgetItem* item : selectedItems())
        if (TCombiItem* node = CombiItem(item))
            selected.emplace(node->Id(), node);
    std::vector<TCombiItem*> nodes;
    for (const uint64_t id : order_)
        if (const auto found = selected.find(id); found != selected.end())
            nodes.push_back(found->second);
    return nodes;
}

void TCombinationsTree::ApplyRowHeight()
{
    // Uniform rows take their height from the first row; a relayout measures it again.
    doItemsLayout();
}

void TCombinationsTree::SelectionChanged()
{
    if (filtering_)
        return;
    const QList<QTreeWidgetItem*> selected = selectedItems();
    // Only siblings of the current node stay selected.
    if (const QTreeWidgetItem* current = currentItem(); current && current->isSelected()) {
        filtering_ = true;
        for (QTreeWidgetItem* item : selected)
            if (item->parent() != current->parent())
                item->setSelected(false);
        filtering_ = false;
    }
    std::vector<uint64_t> still;
    std::unordered_set<uint64_t> known;
    for (const TCombiItem* node : SelectedNodes()) {
        still.push_back(node->Id());
        known.insert(node->Id());
    }
    // Newly selected nodes join at the end, the current one last: the user picked it last.
    const TCombiItem* current = CombiItem(currentItem());
    for (QTreeWidgetItem* item : selectedItems())
        if (const TCombiItem* node = CombiItem(item);
            node && node != current && known.insert(node->Id()).second)
            still.push_back(node->Id());
    if (current && current->isSelected() && known.insert(current->Id()).second)
        still.push_back(current->Id());
    order_ = std::move(still);
}

void TCombinationsTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const
{
    TCombiItem* node = CombiItem(itemFromIndex(index));
    if (!node) {
        QTreeWidget::drawRow(painter, option, index);
        return;
    }
    PaintNode(*painter, QRect(0, option.rect.top(), viewport()->width(), option.rect.height()), *node);
}

void TCombinationsTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const
{
    // The row of a node with a record carries its own lines.
    if (!CombiItem(itemFromIndex(index)))
        QTreeWidget::drawBranches(painter, rect, index);
}

void TCombinationsTree::PaintNode(QPainter& painter, const QRect& row, TCombiItem& node) const
{
    DisplayRole role = RoleCombinations;
    if (Held && Held->Contains(node.Id()))
        role = Held->Operation() == 1 ? RoleCombinationsCut : RoleCombinationsCopied;
    else if (node.isSelected())
        role = RoleCombinationsSelected;
    painter.save();
    painter.fillRect(row, platform::ToQColor(RoleColors[role]));
    int left = row.left() + LevelOf(node) * Indent;
    DrawLines(painter, row, node, left);
    left += Indent + CircleRadius;
    const size_t image = size_t(std::clamp(node.Data.ImageIndex, 0, 2));
    INodos[image].paint(&painter,
                        QRect(left, row.top() + (row.height() - ImageSize) / 2, ImageSize, ImageSize));
    left += ImageSize;

    const QString info = CombiInfoText(*this, node);
    const QFont infoFont = ToQFont(RoleFonts[RoleCombinationsInfo]);
    const QFontMetrics infoMetrics(infoFont);
    const int infoLeft =
        row.right() + 1 - (infoMetrics.horizontalAdvance(info) + infoMetrics.horizontalAdvance('k'));
    painter.setFont(ToQFont(RoleFonts[role]));
    painter.setPen(platform::ToQColor(RoleFonts[role].Color));
    painter.setClipRect(QRect(left, row.top(), std::max(infoLeft - left, 0), row.height()));
    painter.drawText(QRect(left + 2, row.top(), std::max(infoLeft - left - 2, 0), row.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, node.text(0));
    painter.setClipping(false);
    if (!info.isEmpty()) {
        const QRect infoRect(infoLeft, row.top(), row.right() + 1 - infoLeft, row.height());
        painter.fillRect(infoRect, platform::ToQColor(RoleColors[RoleCombinationsInfo]));
        painter.setFont(infoFont);
        painter.setPen(platform::ToQColor(RoleFonts[RoleCombinationsInfo].Color));
        painter.drawText(infoRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, info);
    }
    painter.restore();
}

void TCombinationsTree::DrawLines(QPainter& painter, const QRect& row, const QTreeWidgetItem& node,
                                  int left) const
{
    const int r = CircleRadius;
    int x = left + Indent / 2;
    const int y = row.top() + row.height() / 2;
    const bool children = node.childCount() > 0;
    painter.setPen(LineColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(children ? x + r : x, y, left + Indent + r, y);
    painter.drawLine(x, y, x, row.top() - 1);
    const QTreeWidgetItem* below = itemBelow(&node);
    if ((below && LevelOf(*below) == LevelOf(node)) || HasNextSibling(*this, node))
        painter.drawLine(x, y, x, row.bottom() + 1);
    if (children) {
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawEllipse(QPoint(x, y), r, r);
        painter.drawLine(x - r + 2, y, x + r - 2, y);
        if (!node.isExpanded())
            painter.drawLine(x, y - r + 2, x, y + r - 2);
    }
    for (const QTreeWidgetItem* up = node.parent(); up; up = up->parent()) {
        x -= Indent;
        if (HasNextSibling(*this, *up))
            painter.drawLine(x, row.top(), x, row.bottom());
    }
}

void TCombinationsTree::startDrag(Qt::DropActions)
{
    const std::vector<TCombiItem*> nodes = SelectedNodes();
    if (nodes.empty())
        return;
    // Channel 1 takes a theme, or a combination's files; the tree's own drop reads its selection.
    QList<TDraggedNode> dragged;
    for (const TCombiItem* node : nodes) {
        TDraggedNode out{node->Data.Kind, node->Data.Name, {}};
        for (int i = 0; i < node->childCount(); ++i)
            if (const TCombiItem* child = CombiItem(node->child(i)); child && node->Data.Kind == 1)
                out.Children.append({child->Data.Kind, child->Data.Name, {}});
        dragged.append(out);
    }
    auto* data = new QMimeData;
    EncodeCombinationNodes(*data, dragged);
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    dragging_ = true;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    dragging_ = false;
    if (OnBusyEnded)
        OnBusyEnded();
}

bool TCombinationsTree::Accepts(QDropEvent* event)
{
    const bool accepted =
        CanDrop && event->mimeData() &&
        CanDrop(*event->mimeData(), event->source() == this, itemAt(event->position().toPoint()));
    if (accepted)
        event->acceptProposedAction();
    else
        event->ignore();
    return accepted;
}

void TCombinationsTree::dragEnterEvent(QDragEnterEvent* event)
{
    // Entering over no node or a refused one still lets the moves that follow ask again.
    Accepts(event);
    event->accept();
}

void TCombinationsTree::dragMoveEvent(QDragMoveEvent* event)
{
    Accepts(event);
}

void TCombinationsTree::dropEvent(QDropEvent* event)
{
    if (Accepts(event) && Drop)
        Drop(*event->mimeData(), event->source() == this, itemAt(event->position().toPoint()));
}

void TCombinationsTree::mousePressEvent(QMouseEvent* event)
{
    // Ctrl+click on a selected node takes it out of the selection. The view would keep it selected for
    // a drag and, at the release, open its rename instead.
    const QModelIndex index = indexAt(event->position().toPoint());
    ctrlDeselected_ = event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier &&
                      index.isValid() && selectionModel()->isSelected(index);
    if (!ctrlDeselected_) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::Deselect);
    event->accept();
}

void TCombinationsTree::mouseReleaseEvent(QMouseEvent* event)
{
    if (std::exchange(ctrlDeselected_, false)) {
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void TCombinationsTree::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && state() != EditingState && OnDeleteKey) {
        OnDeleteKey();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void TCombinationsTree::RenameAccepted(const TCombiItem& node, const QString& text)
{
    renamed_ = node.Id();
    renamedText_ = text;
}

void TCombinationsTree::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTreeWidget::closeEditor(editor, hint);
    // The handler may ask a question: not while the editor is still open and could commit again.
    if (const uint64_t id = std::exchange(renamed_, 0); id != 0 && OnEdited)
        if (TCombiItem* node = FindNodeById(this, id))
            OnEdited(node, renamedText_);
    if (OnBusyEnded)
        OnBusyEnded();
}
