#include "playout/CUEPlayer.h"

#include "platform/Messages.h"
#include "playout/ThreadedTimer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TFCUEPlayer* FCUEPlayer = nullptr;

namespace {

constexpr uint32_t PositionIntervalMs = 500;

QToolButton* FlatButton(const char* name, QStyle::StandardPixmap glyph, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(glyph));
    button->setToolTip(hint);
    return button;
}

QSlider* TrackBar(const char* name, int min, int max, int position, QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(min, max);
    bar->setValue(position);
    return bar;
}

} // namespace

TFCUEPlayer::TFCUEPlayer(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FCUEPlayer"));
    setWindowTitle(QStringLiteral("CUE Player"));
    CreateControls();
    ConnectPlayback();
    resize(320, 110);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    platform::RegisterWindow(this, QStringLiteral("TFCUEPlayer"));
}

TFCUEPlayer::~TFCUEPlayer()
{
    // The timer's handler reaches the player, which goes before the window's children.
    delete TSong;
    if (FCUEPlayer == this)
        FCUEPlayer = nullptr;
}

void TFCUEPlayer::CreateControls()
{
    TB =
        TrackBar("TB", TCUEPlayback::PositionMin, TCUEPlayback::PositionMax, TCUEPlayback::PositionMin, this);
    SBStop = FlatButton("SBStop", QStyle::SP_MediaStop, QStringLiteral("Stop"), this);
    SBReload = FlatButton("SBReload", QStyle::SP_BrowserReload, QStringLiteral("Restart"), this);
    VolumeCtrl = TrackBar("VolumeCtrl", 0, 100, TCUEPlayback::DesignVolume, this);
    VolumeCtrl->setTickInterval(10);
    VolumeCtrl->setTickPosition(QSlider::TicksBelow);
    SB = new QStatusBar(this);
    SB->setObjectName(QStringLiteral("SB"));
    SB->setToolTip(QStringLiteral("Stop"));
    SB->setSizeGripEnabled(false);
    SB->showMessage(QStringLiteral("CUE Player"));

    TSong = new TThreadedTimer(this);
    TSong->setObjectName(QStringLiteral("TSong"));
    TSong->SetInterval(PositionIntervalMs);
    TSong->SetEnabled(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(SBStop);
    controls->addWidget(SBReload);
    controls->addWidget(VolumeCtrl, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TB);
    layout->addLayout(controls);
    layout->addWidget(SB);
}

void TFCUEPlayer::ConnectPlayback()
{
    connect(SBStop, &QToolButton::clicked, &playback_, &TCUEPlayback::StopPlayer);
    connect(SBReload, &QToolButton::clicked, &playback_, &TCUEPlayback::Restart);
    connect(VolumeCtrl, &QSlider::valueChanged, &playback_, &TCUEPlayback::SetVolume);
    // Only the user's moves arrive here: the player's own moves are made with the signal blocked.
    connect(TB, &QSlider::valueChanged, &playback_, &TCUEPlayback::Seek);
    TSong->OnTimer = [this](QObject*) { playback_.PositionTick(); };

    connect(&playback_, &TCUEPlayback::StatusShown, SB,
            [this](const QString& text) { SB->showMessage(text); });
    connect(&playback_, &TCUEPlayback::PositionShown, TB, [this](int position) {
        const QSignalBlocker blocker(TB);
        TB->setValue(position);
    });
    connect(&playback_, &TCUEPlayback::VolumeShown, VolumeCtrl, [this](int volume) {
        const QSignalBlocker blocker(VolumeCtrl);
        VolumeCtrl->setValue(volume);
    });
    connect(&playback_, &TCUEPlayback::ShowRequested, this, [this] {
        show();
        raise();
        activateWindow();
    });
}

void TFCUEPlayer::DoFirstShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    playback_.SetUp();
}

bool TFCUEPlayer::event(QEvent* event)
{
    if (const auto* message = platform::AsMessage(event);
        message != nullptr && playback_.HandleMessage(*message))
        return true;
    return QWidget::event(event);
}

void TFCUEPlayer::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QWidget::showEvent(event);
}

void TFCUEPlayer::closeEvent(QCloseEvent* event)
{
    playback_.StopPlayer();
    QWidget::closeEvent(event);
}
