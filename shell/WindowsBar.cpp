#include "shell/WindowsBar.h"

#include "foundation/Options.h"
#include "library/Folders.h"
#include "platform/Messages.h"
#include "playout/Channel1.h"
#include "shell/Combinations.h"
#include "shell/Main.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <array>

namespace {

QRect ScreenRect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// The main window, then the two other large windows, by TOptions.MainWindow.
std::array<QWidget*, 3> LargeWindows()
{
    switch (StationOptions.MainWindow) {
    case 1:
        return {FFolders, FCombinations, FMain};
    case 2:
        return {FCombinations, FFolders, FMain};
    default:
        return {FMain, FCombinations, FFolders};
    }
}

void Place(QWidget* window, const QRect& place)
{
    if (!window)
        return;
    window->move(place.topLeft());
    window->resize(place.size());
    window->show();
}

} // namespace

TileRects TileLayout(const QSize& screen, int edge, const QSize& bar)
{
    int w = screen.width();
    int h = screen.height() - bar.height();
    int y0 = bar.height();
    int x0 = 1;
    if (edge == 2) {
        y0 = 1;
    } else if (edge == 3 || edge == 4) {
        w = screen.width() - bar.width();
        h = screen.height();
        y0 = 1;
        if (edge == 3)
            x0 += bar.width();
    }
    const int quarterW = w / 4;
    const int quarterH = h / 4;
    const int half = w / 2;
    const int y1 = 3 * quarterH + (edge == 1 ? bar.height() : 0);
    return {QRect(x0, y0, half, 3 * quarterH), QRect(x0, y1, quarterW, quarterH),
            QRect(x0 + quarterW, y1, quarterW, quarterH),
            QRect(half + (edge == 3 ? bar.width() : 0), y0, half, h)};
}

TFWindowsBar::TFWindowsBar()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("FWindowsBar");
    setProperty("Tag", 99); // left unskinned
    platform::RegisterWindow(this, "TFWindowsBar");
}

void TFWindowsBar::SetPosition(int position)
{
    barPosition_ = position;
    const QRect s = ScreenRect();
    switch (position) {
    case 1:
        setGeometry(1, 1, s.width(), thickness_);
        break;
    case 2:
        setGeometry(1, s.height() - thickness_, s.width(), thickness_);
        break;
    case 3:
        setGeometry(1, 1, thickness_, s.height());
        break;
    case 4:
        setGeometry(s.width() - thickness_, 1, thickness_, s.height());
        break;
    default:
        break;
    }
    if (arrangement_ == 1)
        CascadeWindows();
    else if (arrangement_ != 2)
        TileWindows();
}

void TFWindowsBar::TileWindows()
{
    const TileRects tile = TileLayout(ScreenRect().size(), barPosition_, size());
    const auto [main, a, b] = LargeWindows();
    Place(main, tile.Main);
    Place(a, tile.A);
    Place(b, tile.B);
    Place(FChannel1, tile.Channel1);
}

void TFWindowsBar::CascadeWindows()
{
    const QRect s = ScreenRect();
    const int step = 3 * std::min(width(), height());
    const auto [main, a, b] = LargeWindows();
    const std::array<QWidget*, 4> windows{main, a, b, FChannel1};
    for (int i = 0; i < 4; ++i)
        Place(windows[i], QRect(10 + i * step, 10 + i * step, s.width() / 2, s.height() / 2));
}
