#include "platform_gui/PageControl.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStackedWidget>

#include <algorithm>

namespace platform {

namespace {

constexpr int TabPadding = 6; // on each side of a caption

} // namespace

QList<QRect> LayoutTabs(const QList<int>& lengths, int extent, int thickness, bool wrap)
{
    QList<QRect> rects;
    int row = 0;
    int x = 0;
    for (const int length : lengths) {
        if (wrap && x > 0 && x + length > extent) {
            ++row;
            x = 0;
        }
        rects.append(QRect(x, row * thickness, length, thickness));
        x += length;
    }
    return rects;
}

TPageControl::TPageControl(QWidget* parent) : QWidget(parent), stack_(new QStackedWidget(this))
{
    connect(stack_, &QStackedWidget::widgetRemoved, this, [this] {
        Relayout();
        emit Changed();
    });
    connect(stack_, &QStackedWidget::currentChanged, this, [this] {
        Relayout();
        emit Changed();
    });
}

void TPageControl::AddPage(QWidget* page, const QString& caption)
{
    page->setWindowTitle(caption);
    page->installEventFilter(this);
    stack_->addWidget(page);
    Relayout();
    emit Changed();
}

int TPageControl::PageCount() const
{
    return stack_->count();
}

QWidget* TPageControl::Page(int index) const
{
    return stack_->widget(index);
}

int TPageControl::IndexOf(QWidget* page) const
{
    return stack_->indexOf(page);
}

int TPageControl::ActivePageIndex() const
{
    return stack_->currentIndex();
}

QWidget* TPageControl::ActivePage() const
{
    return stack_->currentWidget();
}

void TPageControl::SetActivePageIndex(int index)
{
    if (index >= 0 && index < stack_->count())
        stack_->setCurrentIndex(index);
}

void TPageControl::SetMultiLine(bool multiLine)
{
    multiLine_ = multiLine;
    Relayout();
}

void TPageControl::SetTabPosition(TTabPosition position)
{
    position_ = position;
    Relayout();
}

void TPageControl::SetTabHeight(int height)
{
    tabHeight_ = std::max(height, 1);
    Relayout();
}

QList<QRect> TPageControl::TabRects() const
{
    return tabs_;
}

QRect TPageControl::TabStripRect() const
{
    return strip_;
}

bool TPageControl::Vertical() const
{
    return position_ == TTabPosition::tpLeft || position_ == TTabPosition::tpRight;
}

void TPageControl::Relayout()
{
    const QFontMetrics metrics(font());
    QList<int> lengths;
    int widest = 0;
    for (int i = 0; i < stack_->count(); ++i) {
        const int width = metrics.horizontalAdvance(stack_->widget(i)->windowTitle()) + 2 * TabPadding;
        widest = std::max(widest, width);
        lengths.append(Vertical() ? tabHeight_ : width);
    }
    // Rows run along the edge the tabs sit on; a vertical strip's columns are as wide as its widest tab.
    const int extent = Vertical() ? height() : width();
    const int thickness = Vertical() ? widest : tabHeight_;
    QList<QRect> rows = LayoutTabs(lengths, extent, thickness, multiLine_);
    int rowCount = 0;
    for (const QRect& rect : rows)
        rowCount = std::max(rowCount, rect.bottom() / std::max(thickness, 1) + 1);
    const int depth = rows.isEmpty() ? 0 : rowCount * thickness;

    const int active = stack_->currentIndex();
    if (multiLine_ || active < 0 || active >= rows.size()) {
        scroll_ = 0;
    } else {
        const QRect& tab = rows[active];
        if (tab.right() + 1 - scroll_ > extent)
            scroll_ = tab.right() + 1 - extent;
        if (tab.left() - scroll_ < 0)
            scroll_ = tab.left();
    }

    QRect pages = rect();
    switch (position_) {
    case TTabPosition::tpTop:
        strip_ = QRect(0, 0, width(), depth);
        pages.setTop(depth);
        break;
    case TTabPosition::tpBottom:
        strip_ = QRect(0, height() - depth, width(), depth);
        pages.setBottom(height() - depth - 1);
        break;
    case TTabPosition::tpLeft:
        strip_ = QRect(0, 0, depth, height());
        pages.setLeft(depth);
        break;
    case TTabPosition::tpRight:
        strip_ = QRect(width() - depth, 0, depth, height());
        pages.setRight(width() - depth - 1);
        break;
    }
    tabs_.clear();
    for (const QRect& r : std::as_const(rows)) {
        if (Vertical())
            tabs_.append(QRect(strip_.left() + r.y(), strip_.top() + r.x() - scroll_, r.height(), r.width()));
        else
            tabs_.append(QRect(strip_.left() + r.x() - scroll_, strip_.top() + r.y(), r.width(), r.height()));
    }
    stack_->setGeometry(pages);
    update();
}

void TPageControl::resizeEvent(QResizeEvent* event)
{
    Relayout();
    QWidget::resizeEvent(event);
}

void TPageControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setClipRect(strip_);
    painter.fillRect(strip_, palette().window());
    const int active = stack_->currentIndex();
    for (int i = 0; i < tabs_.size(); ++i) {
        const QRect tab = tabs_[i].adjusted(0, 0, -1, -1);
        painter.fillRect(tab, i == active ? palette().base() : palette().button());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(tab);
        painter.setPen(palette().color(QPalette::ButtonText));
        const QString caption = painter.fontMetrics().elidedText(stack_->widget(i)->windowTitle(),
                                                                 Qt::ElideRight, tab.width() - TabPadding);
        painter.drawText(tab, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
}

void TPageControl::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < tabs_.size(); ++i) {
        if (tabs_[i].contains(event->position().toPoint()) && strip_.contains(event->position().toPoint())) {
            SetActivePageIndex(i);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

bool TPageControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange && stack_->indexOf(qobject_cast<QWidget*>(watched)) >= 0) {
        Relayout();
        emit Changed();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace platform
