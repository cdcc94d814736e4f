#pragma once
// The windows bar: a thin stay-on-top strip docked at one screen edge. One button per station window
// shows or hides it; the others tile or cascade the large windows, save the settings, reload the
// folder pages, minimise the station or close it. Its menu moves it to another edge.
#include "foundation_gui/Language.h"
#include "foundation_gui/MinimizedGroup.h"

#include <QRect>
#include <QSize>
#include <QWidget>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class TLXLabel;

// Where a layout puts the four large windows: the main window, the other two large windows, channel 1.
struct WindowRects {
    QRect Main;
    QRect A;
    QRect B;
    QRect Channel1;
};

// The tile of a screen with the bar (of that size) docked at the edge (1 top, 2 bottom, 3 left,
// 4 right; another value lays out as the top).
WindowRects TileLayout(const QSize& screen, int edge, const QSize& bar);
// The cascade from the top-left corner, whatever the edge: each window a quarter of the screen, each
// three bar thicknesses further down and right.
WindowRects CascadeLayout(const QSize& screen, const QSize& bar);

class TFWindowsBar : public QWidget {
    Q_OBJECT
public:
    TFWindowsBar();

    QFrame* PMain;
    QLabel* LMenu;
    QMenu* PM;
    TLXLabel* LXLLogo;
    TLXLabel* LXLUser;
    QToolButton* BFolders;
    QToolButton* BCombinations;
    QToolButton* BProgramation;
    QToolButton* BChannel1;
    QToolButton* BChannel2;
    QToolButton* BChannel3;
    QToolButton* BClock;
    QToolButton* BLogo;
    QToolButton* BMain;
    QToolButton* BSearch;
    QToolButton* BWindowsOrganizationCascade;
    QToolButton* BWindowsOrganizationTile;
    QToolButton* BSave;
    QToolButton* BReloadFilesInFolders;
    QToolButton* BReloadFilesInOneFolder;
    QToolButton* BMinimize;
    QToolButton* BClose;
    TLanguage LangWindowsBar;

    // 1 top, 2 bottom, 3 left, 4 right.
    int Position() const { return barPosition_; }
    // What SetPosition does with the windows: 0 tile, 1 cascade, 2 nothing.
    int Arrangement() const { return arrangement_; }
    void SetArrangement(int arrangement) { arrangement_ = arrangement; }
    // The bar's height when horizontal, its width when vertical.
    int Thickness() const;
    // Docks the bar at the edge and lays its controls along it (another value changes neither), then
    // applies the arrangement.
    void SetPosition(int position);

    // The main window (TOptions.MainWindow) takes the left half and three quarters of the height,
    // the other two large windows a quarter each below it, channel 1 the right half.
    void TileWindows();
    void CascadeWindows();

    // The language file of TOptions.Language, then the hints and menu captions translated.
    void SetLanguage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* AddButton(const char* name, const QString& caption, const QString& hint);
    QAction* AddEdge(const char* name, const QString& caption, int edge);
    void LayOut(const QSize& bar, bool horizontal);
    void DoFirstShow();
    void MinimizeStation();
    void ReloadAllFolders();

    int barPosition_ = 1;
    int arrangement_ = 2;
    bool firstShow_ = true;
    TMinimizedGroup minimized_;
};

inline TFWindowsBar* FWindowsBar = nullptr;
