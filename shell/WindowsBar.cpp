#include "shell/WindowsBar.h"

#include "controls/LXLabel.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "library/TabFolder.h"
#include "platform/Messages.h"
#include "platform_gui/WindowFrame.h"
#include "playout/Channel1.h"
#include "shell/BarGlyphs.h"
#include "shell/Clock.h"
#include "shell/Logo.h"
#include "shell/Main.h"
#include "shell/UserPassword.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace {

// The window's own margin around the panel.
constexpr int BorderWidth = 3;
constexpr int ButtonSize = 22;

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
    // The place is the outer rectangle, whichever frame the window wears (the window system's or a
    // skin's), so the layout is the same with and without a skin. Shown first: a window that was
    // hidden gets its frame then.
    window->show();
    platform::SetOuterGeometry(window, place);
}

void Place(const WindowRects& rects)
{
    const auto [main, a, b] = LargeWindows();
    Place(main, rects.Main);
    Place(a, rects.A);
    Place(b, rects.B);
    Place(FChannel1, rects.Channel1);
}

// A plain label that reports where the mouse went down on it.
class TMenuLabel : public QLabel {
public:
    TMenuLabel(const QString& caption, QWidget* parent, std::function<void(QPoint)> pressed)
        : QLabel(caption, parent), pressed_(std::move(pressed))
    {
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        pressed_(event->position().toPoint());
        event->accept();
    }

private:
    std::function<void(QPoint)> pressed_;
};

TLXLabel* AddLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new TLXLabel(parent);
    label->setObjectName(name);
    label->SetCaption(caption);
    label->SetTransparent(true);
    return label;
}

} // namespace

WindowRects TileLayout(const QSize& screen, int edge, const QSize& bar)
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

WindowRects CascadeLayout(const QSize& screen, const QSize& bar)
{
    const int step = 3 * std::min(bar.width(), bar.height());
    const QSize size(screen.width() / 2, screen.height() / 2);
    const auto at = [&](int i) { return QRect(QPoint(10 + i * step, 10 + i * step), size); };
    return {at(0), at(1), at(2), at(3)};
}

TFWindowsBar::TFWindowsBar()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("FWindowsBar");
    setProperty("Tag", 99); // left unskinned
    platform::RegisterWindow(this, "TFWindowsBar");

    PMain = new QFrame(this);
    PMain->setObjectName("PMain");
    PMain->setFrameStyle(QFrame::Panel | QFrame::Raised);

    PM = new QMenu(this);
    PM->setObjectName("PM");
    AddEdge("PMTop", "Top", 1);
    AddEdge("PMBottom", "Bottom", 2);
    AddEdge("PMLeft", "Left", 3);
    AddEdge("PMRight", "Right", 4);
    LMenu = new TMenuLabel("X", PMain, [this](QPoint at) { PM->popup(pos() + at); });
    LMenu->setObjectName("LMenu");
    LMenu->setAlignment(Qt::AlignCenter);

    LXLLogo = AddLabel(PMain, "LXLLogo", "Sonvela");
    LXLLogo->SetAutoSize(false);
    // A turned caption in a label of fixed size is placed only when aligned; centred, it stays inside.
    LXLLogo->SetAlignment(agCenter);
    LXLUser = AddLabel(PMain, "LXLUser", "Defaults");
    LXLUser->FontFX().SetStyle(tdRaised);

    BFolders = AddButton("BFolders", {}, "Folders");
    BCombinations = AddButton("BCombinations", {}, "Combinations");
    BProgramation = AddButton("BProgramation", {}, "Programation");
    BChannel1 = AddButton("BChannel1", "1", "Channel 1");
    BChannel2 = AddButton("BChannel2", "2", "Channel 2");
    BChannel3 = AddButton("BChannel3", "3", "Channel 3");
    BClock = AddButton("BClock", {}, "Clock");
    BLogo = AddButton("BLogo", {}, "Logo");
    BMain = AddButton("BMain", "SZ", "Main");
    BSearch = AddButton("BSearch", {}, "Search");
    BWindowsOrganizationCascade = AddButton("BWindowsOrganizationCascade", {}, "Cascade");
    BWindowsOrganizationTile = AddButton("BWindowsOrganizationTile", {}, "Tile");
    BSave = AddButton("BSave", {}, "Save");
    BReloadFilesInFolders = AddButton("BReloadFilesInFolders", {}, "Reload files in all folders");
    BReloadFilesInOneFolder = AddButton("BReloadFilesInOneFolder", {}, "Reload files in this folder");
    BMinimize = AddButton("BMinimize", "-", "Minimize");
    BClose = AddButton("BClose", {}, "Close program");

    // The windows are looked up at each click: they may come and go while the bar lives.
    connect(BFolders, &QToolButton::clicked, this, [] { ToggleWindow(FFolders); });
    connect(BCombinations, &QToolButton::clicked, this, [] { ToggleWindow(FCombinations); });
    connect(BChannel1, &QToolButton::clicked, this, [] { ToggleWindow(FChannel1); });
    connect(BClock, &QToolButton::clicked, this, [] { ToggleWindow(FClock); });
    connect(BLogo, &QToolButton::clicked, this, [] { ToggleWindow(FLogo); });
    connect(BMain, &QToolButton::clicked, this, [] { ToggleWindow(FMain); });
    connect(BSearch, &QToolButton::clicked, this, [] { ToggleWindow(FSearchFiles); });
    connect(BWindowsOrganizationCascade, &QToolButton::clicked, this, [this] {
        SetArrangement(1);
        CascadeWindows();
    });
    connect(BWindowsOrganizationTile, &QToolButton::clicked, this, [this] {
        SetArrangement(0);
        TileWindows();
    });
    connect(BSave, &QToolButton::clicked, this, [] {
        if (FMain)
            FMain->SaveSettings();
    });
    connect(BReloadFilesInFolders, &QToolButton::clicked, this, [this] { ReloadAllFolders(); });
    connect(BReloadFilesInOneFolder, &QToolButton::clicked, this, [] {
        if (FFolders)
            FFolders->ReloadActiveFolder();
    });
    connect(BMinimize, &QToolButton::clicked, this, [this] { MinimizeStation(); });
    connect(BClose, &QToolButton::clicked, this,
            [] { platform::PostMessage(platform::FindWindow("TFUserPassword"), platform::WM_CLOSE); });

    for (QObject* control : PMain->children())
        if (qobject_cast<QToolButton*>(control))
            LangWindowsBar.Properties.append("FWindowsBar." + control->objectName() + ".Hint");
    for (const QAction* item : PM->actions())
        LangWindowsBar.Properties.append("FWindowsBar." + item->objectName() + ".Caption");
}

QToolButton* TFWindowsBar::AddButton(const char* name, const QString& caption, const QString& hint)
{
    auto* button = new QToolButton(PMain);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(BarGlyph(name));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->resize(ButtonSize, ButtonSize);
    return button;
}

QAction* TFWindowsBar::AddEdge(const char* name, const QString& caption, int edge)
{
    QAction* item = PM->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [this, edge] { SetPosition(edge); });
    return item;
}

int TFWindowsBar::Thickness() const
{
    return BFolders->height() + 2 * BorderWidth;
}

void TFWindowsBar::SetPosition(int position)
{
    barPosition_ = position;
    const QRect s = ScreenRect();
    const int t = Thickness();
    const std::array<QRect, 4> bounds{QRect(1, 1, s.width(), t), QRect(1, s.height() - t, s.width(), t),
                                      QRect(1, 1, t, s.height()), QRect(s.width() - t, 1, t, s.height())};
    if (position >= 1 && position <= 4) {
        const QRect& bar = bounds[position - 1];
        setGeometry(bar);
        LayOut(bar.size(), position <= 2);
    }
    if (arrangement_ == 1)
        CascadeWindows();
    else if (arrangement_ != 2)
        TileWindows();
}

void TFWindowsBar::LayOut(const QSize& bar, bool horizontal)
{
    const QSize panel = bar - QSize(2 * BorderWidth, 2 * BorderWidth);
    PMain->setGeometry(QRect(QPoint(BorderWidth, BorderWidth), panel));
    // Sizes are given for the horizontal bar; the vertical one turns them.
    const auto place = [horizontal](QWidget* control, int along, QSize size) {
        control->setGeometry(horizontal ? QRect(QPoint(along, 1), size)
                                        : QRect(QPoint(1, along), size.transposed()));
    };
    place(LMenu, 1, {16, 24});
    LXLLogo->FontFX().SetAngle(horizontal ? 1 : 270);
    place(LXLLogo, 17, {88, 20});
    const int logo = horizontal ? LXLLogo->width() : LXLLogo->height();
    // Hidden buttons keep their slots.
    const std::array windowButtons{BFolders,  BCombinations, BProgramation, BChannel1,
                                   BChannel2, BChannel3,     BClock,        BLogo};
    for (int i = 0; i < int(windowButtons.size()); ++i)
        place(windowButtons[i], logo + i * ButtonSize + 10, {ButtonSize, ButtonSize});
    const std::array tools{BMain,
                           BSearch,
                           BWindowsOrganizationCascade,
                           BWindowsOrganizationTile,
                           BSave,
                           BReloadFilesInFolders,
                           BReloadFilesInOneFolder};
    for (int i = 0; i < int(tools.size()); ++i)
        place(tools[i], logo + 186 + i * ButtonSize, {ButtonSize, ButtonSize});
    LXLUser->FontFX().SetAngle(horizontal ? 0 : 90);
    LXLUser->FontFX().SetOrientation(horizontal ? toTopLeft : toBottomLeft);
    LXLUser->move(horizontal ? QPoint(logo + 340, 1) : QPoint(1, logo + 340));
    const int length = horizontal ? panel.width() : panel.height();
    place(BMinimize, length - 2 * ButtonSize, {ButtonSize, ButtonSize});
    place(BClose, length - ButtonSize, {ButtonSize, ButtonSize});
}

void TFWindowsBar::TileWindows()
{
    Place(TileLayout(ScreenRect().size(), barPosition_, size()));
}

void TFWindowsBar::CascadeWindows()
{
    Place(CascadeLayout(ScreenRect().size(), size()));
}

void TFWindowsBar::SetLanguage()
{
    LangWindowsBar.LanguageFile = AppDir + StationOptions.Language + ".lng";
    LangWindowsBar.Translate();
}

void TFWindowsBar::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QWidget::showEvent(event);
}

void TFWindowsBar::DoFirstShow()
{
    if (!std::exchange(firstShow_, false))
        return;
    BChannel2->hide();
    BChannel3->hide();
    BProgramation->hide();
    LXLUser->SetCaption(" " + (FUserPassword ? FUserPassword->GetUserName() : QString()) + " ");
    SetLanguage();
}

void TFWindowsBar::MinimizeStation()
{
    // The bar goes down too; it keeps its taskbar entry, so the station can always be brought back.
    QList<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool)
            windows.append(window);
    }
    minimized_.Minimize(windows);
}

void TFWindowsBar::ReloadAllFolders()
{
    if (!FFolders)
        return;
    FFolders->ClearFolders();
    FFolders->LoadFolders();
    // Loading makes the pages only; their columns and fonts are the caller's.
    for (int i = 0; i < FFolders->PageCount(); ++i)
        FFolders->Page(i)->SetColumns(StationOptions.FolderColumns);
    FFolders->ApplyFonts();
}
