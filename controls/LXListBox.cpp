#include "controls/LXListBox.h"

#include "controls/LXApplication.h"
#include "controls/LXDraw.h"
#include "controls/LXLabel.h"
#include "platform_gui/PainterCanvas.h"

#include <QFontMetrics>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <algorithm>
#include <utility>

using platform::TRect;

namespace {

constexpr int DefaultSectionWidth = 50;
constexpr int AlignmentRole = Qt::UserRole;

Qt::Alignment QtAlignment(unsigned alignment)
{
    if (alignment == platform::DT_RIGHT)
        return Qt::AlignRight | Qt::AlignVCenter;
    if (alignment == platform::DT_CENTER)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The original's sorted lists ignore case; Qt's own order does not.
class TLXCaselessListItem : public QListWidgetItem {
public:
    explicit TLXCaselessListItem(const QString& text) : QListWidgetItem(text) {}
    bool operator<(const QListWidgetItem& other) const override
    {
        return QString::compare(text(), other.text(), Qt::CaseInsensitive) < 0;
    }
};

class TLXListDelegate : public QStyledItemDelegate {
public:
    TLXListDelegate(TLXListBox* owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        owner_->DrawItem(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected),
                         option.state.testFlag(QStyle::State_HasFocus));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return QSize(option.rect.width(), owner_->ItemHeight());
    }

private:
    TLXListBox* owner_;
};

} // namespace

std::vector<TLXListCell> LayoutListRow(const QString& text, QChar delimiter,
                                       const std::vector<TLXListColumn>& columns, const TRect& row)
{
    if (columns.empty())
        return {{platform::Rect(row.Left + 2, row.Top, row.Right, row.Bottom), text, platform::DT_LEFT}};
    QStringList pieces;
    SplitDelimited(text, delimiter, pieces);
    std::vector<TLXListCell> cells;
    int left = row.Left;
    const size_t count = std::min(columns.size(), static_cast<size_t>(pieces.size()));
    for (size_t i = 0; i < count; ++i) {
        const TLXListColumn& column = columns[i];
        cells.push_back({platform::Rect(left + 1, row.Top, left + column.Width - 1, row.Bottom),
                         pieces[static_cast<qsizetype>(i)], column.Alignment});
        left += column.Width;
    }
    return cells;
}

TLXHeaderControl::TLXHeaderControl(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), model_(new QStandardItemModel(this))
{
    setModel(model_);
    setStretchLastSection(false);
    setSectionsClickable(true);
    setSectionResizeMode(QHeaderView::Interactive);
    setFocusPolicy(Qt::NoFocus);
}

int TLXHeaderControl::SectionCount() const
{
    return model_->columnCount();
}

void TLXHeaderControl::AddSection(const QString& text, int width, unsigned alignment)
{
    const int column = model_->columnCount();
    model_->setColumnCount(column + 1);
    model_->setHeaderData(column, Qt::Horizontal, text);
    model_->setHeaderData(column, Qt::Horizontal, QVariant::fromValue(QtAlignment(alignment)),
                          Qt::TextAlignmentRole);
    model_->setHeaderData(column, Qt::Horizontal, alignment, AlignmentRole);
    resizeSection(column, width);
}

void TLXHeaderControl::ClearSections()
{
    model_->setColumnCount(0);
}

QString TLXHeaderControl::SectionText(int index) const
{
    return model_->headerData(index, Qt::Horizontal).toString();
}

unsigned TLXHeaderControl::SectionAlignment(int index) const
{
    return model_->headerData(index, Qt::Horizontal, AlignmentRole).toUInt();
}

std::vector<TLXListColumn> TLXHeaderControl::Columns() const
{
    std::vector<TLXListColumn> columns;
    for (int i = 0; i < SectionCount(); ++i)
        columns.push_back({sectionSize(i), SectionAlignment(i)});
    return columns;
}

TLXMyListBox::TLXMyListBox(TLXListBox* owner, QWidget* parent) : QListWidget(parent), owner_(owner)
{
    setUniformItemSizes(true);
    setFrameShape(QFrame::NoFrame);
    setItemDelegate(new TLXListDelegate(owner, this));
}

void TLXMyListBox::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        emit LeftPressed();
}

void TLXMyListBox::mouseMoveEvent(QMouseEvent* event)
{
    QListWidget::mouseMoveEvent(event);
    owner_->ListMouseMove(event);
}

void TLXMyListBox::paintEvent(QPaintEvent* event)
{
    QListWidget::paintEvent(event);
    QPainter painter(viewport());
    owner_->DrawVerticalGrid(painter);
}

TLXListBox::TLXListBox(QWidget* parent)
    : TLXCustomScrollBox(parent), content_(new QWidget), header_(new TLXHeaderControl(content_)),
      list_(new TLXMyListBox(this, content_))
{
    setWidget(content_);
    setWidgetResizable(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header_->AddSection(QString(), DefaultSectionWidth);
    list_->setFont(font_.ToQFont());
    header_->setFont(headerFont_.ToQFont());
    ApplySelectionMode();
    connect(list_, &TLXMyListBox::LeftPressed, this, &TLXListBox::OnSelect);
    connect(header_, &QHeaderView::sectionResized, this, [this](int index, int, int width) {
        Refresh();
        emit OnHeaderSized(index, width);
        emit OnHeaderSectionResize(index);
    });
    connect(header_, &QHeaderView::sectionClicked, this, &TLXListBox::OnHeaderSectionClick);
    resize(100, 100);
    Realign();
}

TLXListBox::~TLXListBox()
{
    // Handlers may already be gone with their window: the store is written without the event.
    StoreColumnWidths(Store());
}

void TLXListBox::showEvent(QShowEvent* event)
{
    TLXCustomScrollBox::showEvent(event);
    if (!std::exchange(widthsRead_, true))
        ReadColumnWidths();
}

QStringList TLXListBox::Items() const
{
    QStringList items;
    for (int i = 0; i < list_->count(); ++i)
        items << list_->item(i)->text();
    return items;
}

void TLXListBox::SetItems(const QStringList& items)
{
    list_->clear();
    for (const QString& item : items)
        AddItem(item);
}

void TLXListBox::AddItem(const QString& item)
{
    list_->addItem(new TLXCaselessListItem(item));
}

int TLXListBox::ItemIndex() const
{
    if (list_->selectionMode() != QAbstractItemView::SingleSelection)
        return list_->currentRow();
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void TLXListBox::SetItemIndex(int index)
{
    if (index < 0 || index >= list_->count()) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        return;
    }
    list_->setCurrentRow(index);
}

int TLXListBox::TopIndex() const
{
    return list_->indexAt(QPoint(0, 0)).row();
}

void TLXListBox::SetTopIndex(int index)
{
    if (QListWidgetItem* item = list_->item(index))
        list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void TLXListBox::SetDelimiter(QChar delimiter)
{
    SetAndRefresh(delimiter_, delimiter);
}

void TLXListBox::SetHeaderHeight(int height)
{
    if (height != headerHeight_) {
        headerHeight_ = std::max(height, 0);
        Realign();
    }
}

void TLXListBox::SetHeaderVisible(bool visible)
{
    if (visible != headerVisible_) {
        headerVisible_ = visible;
        Realign();
    }
}

void TLXListBox::SetHeaderFont(const platform::TFont& font)
{
    headerFont_ = font;
    header_->setFont(font.ToQFont());
}

void TLXListBox::SetHeaderFlat(bool flat)
{
    if (flat == headerFlat_)
        return;
    headerFlat_ = flat;
    header_->setStyleSheet(flat ? QStringLiteral("QHeaderView::section { border: none; }") : QString());
}

void TLXListBox::SetAllowResize(bool allow)
{
    if (allow == allowResize_)
        return;
    allowResize_ = allow;
    header_->setSectionResizeMode(allow ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void TLXListBox::SetFont(const platform::TFont& font)
{
    font_ = font;
    list_->setFont(font.ToQFont());
    list_->doItemsLayout();
    Refresh();
}

void TLXListBox::SetListColor(platform::TColor color)
{
    SetAndRefresh(listColor_, color);
}

void TLXListBox::SetSelectedColor(platform::TColor color)
{
    SetAndRefresh(selectedColor_, color);
}

void TLXListBox::SetGridLines(TLXLBGridLines lines)
{
    SetAndRefresh(gridLines_, lines);
}

void TLXListBox::SetGridHorzColor(platform::TColor color)
{
    SetAndRefresh(gridHorzColor_, color);
}

void TLXListBox::SetGridVertColor(platform::TColor color)
{
    SetAndRefresh(gridVertColor_, color);
}

void TLXListBox::SetColumnOptions(unsigned options)
{
    SetAndRefresh(columnOptions_, options);
}

int TLXListBox::ItemHeight() const
{
    return itemHeight_ > 0 ? itemHeight_ : QFontMetrics(font_.ToQFont()).height();
}

void TLXListBox::SetItemHeight(int height)
{
    if (height == itemHeight_ || height <= 0)
        return;
    itemHeight_ = height;
    list_->doItemsLayout();
    Refresh();
}

void TLXListBox::SetMultiSelect(bool multi)
{
    multiSelect_ = multi;
    ApplySelectionMode();
}

void TLXListBox::SetExtendedSelect(bool extended)
{
    extendedSelect_ = extended;
    ApplySelectionMode();
}

void TLXListBox::ApplySelectionMode()
{
    if (!multiSelect_)
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
    else
        list_->setSelectionMode(extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::MultiSelection);
}

void TLXListBox::SetSorted(bool sorted)
{
    if (sorted == sorted_)
        return;
    sorted_ = sorted;
    list_->setSortingEnabled(sorted);
    if (sorted)
        list_->sortItems();
}

void TLXListBox::SetVirtualWidth(int width)
{
    if (width < 0 || width == virtualWidth_)
        return;
    virtualWidth_ = width;
    horizontalScrollBar()->setValue(0);
    Realign();
}

void TLXListBox::Realign()
{
    const int headerHeight = headerVisible_ ? headerHeight_ : 0;
    const int width = virtualWidth_ > 0 ? virtualWidth_ : viewport()->width();
    const int height = viewport()->height();
    content_->resize(width, height);
    header_->setVisible(headerVisible_);
    header_->setGeometry(0, 0, width, headerHeight);
    list_->setGeometry(0, headerHeight, width, std::max(height - headerHeight, 0));
}

void TLXListBox::resizeEvent(QResizeEvent* event)
{
    TLXCustomScrollBox::resizeEvent(event);
    Realign();
}

TLXIniCtrl* TLXListBox::Store() const
{
    switch (iniUse_) {
    case ioUseLink:
        return iniLink_;
    case ioUseGlobal:
        return &LXApplication().IniCtrl();
    default:
        return nullptr;
    }
}

void TLXListBox::ReadColumnWidths()
{
    TLXIniCtrl* store = Store();
    const QString stored = store ? store->ReadString(section_, iniKey_, QString()) : QString();
    if (!stored.isEmpty()) {
        const QStringList pieces = stored.split(QLatin1Char(','));
        for (int i = 0; i < pieces.size(); ++i) {
            bool number = false;
            const int width = pieces[i].trimmed().toInt(&number);
            const bool usable = number && width >= 0;
            if (i >= header_->SectionCount())
                header_->AddSection(QStringLiteral("S. %1").arg(i + 1), usable ? width : DefaultSectionWidth);
            else if (usable)
                header_->resizeSection(i, width);
        }
    }
    emit OnIniReadData(store, section_);
}

void TLXListBox::WriteColumnWidths()
{
    TLXIniCtrl* store = Store();
    StoreColumnWidths(store);
    emit OnIniWriteData(store, section_);
}

void TLXListBox::StoreColumnWidths(TLXIniCtrl* store)
{
    if (store == nullptr)
        return;
    if (header_->SectionCount() == 0) {
        store->DeleteKey(section_, iniKey_);
        return;
    }
    QStringList widths;
    for (const TLXListColumn& column : header_->Columns())
        widths << QString::number(column.Width);
    store->WriteString(section_, iniKey_, widths.join(QLatin1Char(',')));
}

void TLXListBox::DrawItem(QPainter& painter, int index, const QRect& rect, bool selected, bool focused)
{
    if (style_ != lbStandard && isSignalConnected(QMetaMethod::fromSignal(&TLXListBox::OnDrawItem))) {
        emit OnDrawItem(this, index, rect, selected);
        return;
    }
    platform::TPainterCanvas canvas(&painter);
    canvas.Font = font_;
    const TRect row = TRect::FromQRect(rect);
    canvas.Brush.SetColor(selected ? selectedColor_ : listColor_);
    canvas.FillRect(row);
    if (focused)
        canvas.DrawFocusRect(row);
    canvas.Brush.SetStyle(platform::TBrushStyle::bsClear);
    emit OnPrepareDrawItem(this, index, rect, selected);

    const QListWidgetItem* item = list_->item(index);
    const QString text = item ? item->text() : QString();
    if (text.trimmed().isEmpty())
        return;
    canvas.Font.SetColor(selected ? platform::clHighlightText
                                  : (isEnabled() ? font_.Color() : platform::clInactiveCaption));
    const unsigned flags = LabelOptionFlags(columnOptions_);
    for (TLXListCell& cell : LayoutListRow(text, delimiter_, header_->Columns(), row))
        canvas.DrawText(cell.Text, cell.Rect, flags | cell.Alignment);
    if (gridLines_ & glHorizontal) {
        canvas.Pen.SetColor(gridHorzColor_);
        canvas.MoveTo(row.Left, row.Bottom - 1);
        canvas.LineTo(row.Right, row.Bottom - 1);
    }
}

void TLXListBox::DrawVerticalGrid(QPainter& painter)
{
    if (!(gridLines_ & glVertical) || header_->SectionCount() == 0)
        return;
    const QStringList items = Items();
    if (std::all_of(items.begin(), items.end(), [](const QString& item) { return item.trimmed().isEmpty(); }))
        return;
    platform::TPainterCanvas canvas(&painter);
    canvas.Pen.SetColor(gridVertColor_);
    const int bottom = list_->viewport()->height();
    int x = 0;
    for (const TLXListColumn& column : header_->Columns()) {
        x += column.Width;
        canvas.MoveTo(x - 1, 0);
        canvas.LineTo(x - 1, bottom);
    }
}
