#pragma once
// The windows bar: a thin stay-on-top strip docked at one screen edge that lays the main station
// windows out on the rest of the screen. Its buttons, menu and first showing are not built yet; the
// docking and the two layouts are.
#include <QRect>
#include <QSize>
#include <QWidget>

// Where tiling puts the four large windows: the main window, the other two large windows, channel 1.
struct TileRects {
    QRect Main;
    QRect A;
    QRect B;
    QRect Channel1;
};

// The tile of a screen with the bar (of that size) docked at the edge (1 top, 2 bottom, 3 left,
// 4 right; another value lays out as the top).
TileRects TileLayout(const QSize& screen, int edge, const QSize& bar);

class TFWindowsBar : public QWidget {
    Q_OBJECT
public:
    TFWindowsBar();

    // 1 top, 2 bottom, 3 left, 4 right.
    int Position() const { return barPosition_; }
    // What SetPosition does with the windows: 0 tile, 1 cascade, 2 nothing.
    int Arrangement() const { return arrangement_; }
    void SetArrangement(int arrangement) { arrangement_ = arrangement; }
    // Docks the bar at the edge (another value keeps the bar where it is), then applies the
    // arrangement.
    void SetPosition(int position);

    // The main window (TOptions.MainWindow) takes the left half and three quarters of the height,
    // the other two large windows a quarter each below it, channel 1 the right half.
    void TileWindows();
    void CascadeWindows();

private:
    int barPosition_ = 1;
    int arrangement_ = 2;
    int thickness_ = 28;
};

inline TFWindowsBar* FWindowsBar = nullptr;
