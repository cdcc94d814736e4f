#pragma once
// A page control: pages stacked under a strip of tabs. With multi-line tabs on, the tabs wrap into as
// many rows (columns at the left and right) as they need, so the operator sees every page at once;
// off, they stay in one row that scrolls to the active tab. A page's caption is its window title.
#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QStackedWidget;

namespace platform {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// Where each tab goes inside a strip whose rows hold `extent` pixels: each tab takes its length along
// the row and one `thickness` across. Wrapping starts a new row when a tab would pass the end (a tab
// longer than the row gets a row of its own); without wrapping every tab is in row 0. Rects are in
// row coordinates: x along the row, y across (row × thickness).
QList<QRect> LayoutTabs(const QList<int>& lengths, int extent, int thickness, bool wrap);

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // The page becomes the control's child, with the caption as its window title; a page that is
    // deleted leaves the control by itself.
    void AddPage(QWidget* page, const QString& caption);
    int PageCount() const;
    QWidget* Page(int index) const;
    int IndexOf(QWidget* page) const;

    int ActivePageIndex() const;
    QWidget* ActivePage() const;
    void SetActivePageIndex(int index);

    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool multiLine);
    TTabPosition TabPosition() const { return position_; }
    void SetTabPosition(TTabPosition position);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int height);

    // The tabs' rectangles in the control's coordinates, in page order; tabs scrolled out of sight
    // in one-row mode lie outside the strip.
    QList<QRect> TabRects() const;
    QRect TabStripRect() const;

signals:
    void Changed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Vertical() const;
    void Relayout();

    QStackedWidget* stack_;
    bool multiLine_ = true;
    TTabPosition position_ = TTabPosition::tpTop;
    int tabHeight_ = 20;
    int scroll_ = 0; // one-row mode: how far the row is moved to keep the active tab in sight
    QList<QRect> tabs_;
    QRect strip_;
};

} // namespace platform
