#pragma once
// The combinations window's tree: every row with a record drawn by the window's rules, a selection
// that keeps to siblings and remembers the order nodes were selected in, renaming in place, drags out
// of the tree and drops into it. What a drop or a rename does is the window's; the tree asks it.
#include "library/CombiItem.h"

#include <QIcon>
#include <QTreeWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QMimeData;

class TCombinationsTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int Indent = 20;
    static constexpr int CircleRadius = 5;

    explicit TCombinationsTree(QWidget* parent = nullptr);

    // The node images: 0 root, 1 combination, 2 theme.
    std::array<QIcon, 3> INodos;
    // The cut/copy state whose nodes are drawn in the cut and copied colours.
    const library::TXClipboard* Held = nullptr;

    // Ids of the selected nodes in the order they were selected; ids of nodes gone are left out.
    std::vector<uint64_t> Selections() const;
    std::vector<library::TCombiItem*> SelectedNodes() const;
    // The row height the display roles' fonts need (also after the fonts dialog).
    void ApplyRowHeight();
    bool Dragging() const { return dragging_; }
    bool Editing() const { return state() == EditingState; }

    // Whether the drag's data may fall on the node (nullptr: no node there); fromTree when this tree
    // is the source.
    std::function<bool(const QMimeData& data, bool fromTree, QTreeWidgetItem* target)> CanDrop;
    std::function<void(const QMimeData& data, bool fromTree, QTreeWidgetItem* target)> Drop;
    // A rename the user accepted; the handler decides what stays.
    std::function<void(library::TCombiItem* node, const QString& text)> OnEdited;
    std::function<void()> OnDeleteKey;
    // A drag of the tree's nodes or a rename has ended.
    std::function<void()> OnBusyEnded;

    // The line edit accepted a new text; the handler hears of it once the edit has closed.
    void RenameAccepted(const library::TCombiItem& node, const QString& text);

    // Draws the row of a node with a record (tests paint rows through it).
    void PaintNode(QPainter& painter, const QRect& row, library::TCombiItem& node) const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void SelectionChanged();
    void DrawLines(QPainter& painter, const QRect& row, const QTreeWidgetItem& node, int left) const;
    bool Accepts(QDropEvent* event);

    std::vector<uint64_t> order_;
    uint64_t renamed_ = 0; // the node whose rename waits for the edit to close
    QString renamedText_;
    bool filtering_ = false;
    bool dragging_ = false;
    bool ctrlDeselected_ = false; // the press took its node out of the selection: its release does nothing
};
