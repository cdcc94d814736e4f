#include "shell/Clock.h"

#include "controls/LXButton.h"
#include "controls/LXLEDLabel.h"
#include "controls/LXWaveComp.h"
#include "controls/LbButton.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/SntpClient.h"
#include "platform_gui/Color.h"
#include "platform_gui/Dialogs.h"
#include "playout/ThreadedTimer.h"
#include "shell/HourSignals.h"

#include <QCheckBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

constexpr platform::TColor ClockColor = 0xC3F8;
constexpr platform::TColor SegmentColor = 0xFF0000; // blue
constexpr int ClientWidth = 237;
constexpr int ClientHeight = 158;
constexpr int TopHeight = 30;
constexpr int BottomHeight = 124;
constexpr int LogModule = 11;
constexpr int LogEventClockSet = 104;

// What moved the clock, for the log: the step's size and the times on both sides of it.
QString StepText(const platform::SntpResult& result)
{
    const auto local = [](int64_t unixNs) {
        return QDateTime::fromMSecsSinceEpoch(unixNs / 1'000'000)
            .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    };
    return QStringLiteral("PC clock stepped by %1 s, from %2 to %3")
        .arg(QString::asprintf("%+.3f", double(result.OffsetNs) / 1e9), local(result.FromNs),
             local(result.FromNs + result.OffsetNs));
}

void Paint(QWidget& widget)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, platform::ToQColor(ClockColor));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

template <typename Widget> Widget* Named(const char* name, QWidget* parent)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

TFClock::TFClock() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FClock"));
    setWindowTitle(QStringLiteral("Clock"));
    platform::RegisterWindow(this, QStringLiteral("TFClock"));
    CreateControls();
}

TFClock::~TFClock()
{
    // No tick and no late answer reaches a window that is going.
    delete TimerDate;
    TimerDate = nullptr;
    SNTPClient1->Cancel();
}

void TFClock::CreateControls()
{
    Paint(*this);
    resize(ClientWidth, ClientHeight);

    PTop = Named<QWidget>("PTop", this);
    PTop->setGeometry(0, 0, ClientWidth, TopHeight);
    Paint(*PTop);
    LEDClock = Named<TLXLEDLabel>("LEDClock", PTop);
    LEDClock->LED().SetActiveColor(SegmentColor);
    // Cells of 10 x 21 pixels: the 20 characters of time and date fit beside the options button.
    LEDClock->LED().SetHorzsize(5);
    LEDClock->LED().SetVertsize(7);
    LEDClock->LED().SetThickness(1);
    LEDClock->SetColor(ClockColor);
    LEDClock->SetCaption(QStringLiteral("-- : -- : --"));
    BClockOptions = Named<TLbButton>("BClockOptions", PTop);
    BClockOptions->setFixedWidth(20);
    auto* top = new QHBoxLayout(PTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(LEDClock, 1);
    top->addWidget(BClockOptions);

    PBottom = Named<QWidget>("PBottom", this);
    PBottom->setGeometry(0, TopHeight, ClientWidth, BottomHeight);
    Paint(*PBottom);
    LMinutesSH = Named<QLabel>("LMinutesSH", PBottom);
    LMinutesSH->setText(QStringLiteral("Minutos para señales horarias: "));
    // Two lines beside the spin edit: the English caption is wider than the room left of it.
    LMinutesSH->setWordWrap(true);
    LMinutesSH->setGeometry(8, 4, 160, 34);
    SESHMinutos = Named<QSpinBox>("SESHMinutos", PBottom);
    SESHMinutos->setRange(BeepMinutesRange.Min, BeepMinutesRange.Max);
    SESHMinutos->setSingleStep(15);
    SESHMinutos->setValue(60);
    SESHMinutos->setGeometry(172, 8, 56, 22);
    CBSHActivadas = Named<QCheckBox>("CBSHActivadas", PBottom);
    CBSHActivadas->setText(QStringLiteral("Señales horarias activadas"));
    CBSHActivadas->setGeometry(8, 40, 220, 20);
    LXBGetSNTPTime = Named<TLXButton>("LXBGetSNTPTime", PBottom);
    LXBGetSNTPTime->SetCaption(QStringLiteral("Set PC datetime from Internet"));
    LXBGetSNTPTime->setGeometry(8, 76, 220, 30);

    LXWaveComp1 = new TLXWaveComp(this);
    LXWaveComp1->SetName(QStringLiteral("LXWaveComp1"));
    SNTPClient1 = new platform::SntpClient(this);
    SNTPClient1->setObjectName(QStringLiteral("SNTPClient1"));
    LangClock.Properties = {QStringLiteral("FClock.LMinutesSH.Caption"),
                            QStringLiteral("FClock.CBSHActivadas.Caption"),
                            QStringLiteral("FClock.LXBGetSNTPTime.Caption")};

    connect(CBSHActivadas, &QCheckBox::toggled, this,
            [](bool checked) { StationOptions.BeepActive = checked; });
    connect(SESHMinutos, &QSpinBox::valueChanged, this, [this] { SESHMinutosChange(); });
    connect(BClockOptions, &TLbButton::OnClick, this, [this] { Folded() ? Unfold() : Fold(); });
    connect(LXBGetSNTPTime, &TLXButton::OnClick, this, [this] { SyncTimeAndShow(); });
    LEDClock->installEventFilter(this);
    PBottom->installEventFilter(this);

    TimerDate = new TThreadedTimer(this);
    TimerDate->SetInterval(1000);
    TimerDate->SetThreadPriority(platform::ThreadPriority::Higher);
    TimerDate->OnTimer = [this](QObject*) { TimerDateTimer(); };
    TimerDate->SetEnabled(true);
}

void TFClock::DoFirstShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    LangClock.LanguageFile = AppDir + StationOptions.Language + QStringLiteral(".lng");
    LangClock.Translate();
    SNTPClient1->Host = StationOptions.SntpServer;
    SNTPClient1->Port = StationOptions.SntpPort;
    SNTPClient1->TimeoutMs = StationOptions.SntpTimeout;
    if (StationOptions.SetPCDatetimeAtStartup)
        SyncTimeAndLog(); // started, not waited for
    {
        // The handler runs once below, also when the stored value equals the one shown.
        const QSignalBlocker blocker(SESHMinutos);
        SESHMinutos->setValue(StationOptions.BeepMinutes);
    }
    SESHMinutosChange();
    CBSHActivadas->setChecked(StationOptions.BeepActive);
    Fold();
    LoadHourSignal();
}

void TFClock::LoadHourSignal()
{
    // A missing file means a station without hour signals; a broken one is logged, never boxed, as
    // nobody may be there to close the box.
    beepLoaded_ = false;
    if (!QFile::exists(StationOptions.BeepFile))
        return;
    try {
        LXWaveComp1->LoadFromFile(StationOptions.BeepFile);
        beepLoaded_ = true;
    } catch (const std::exception& error) {
        WriteLog(1, 1, LogModule, -1, -1,
                 QStringLiteral("hour signal \"%1\" not loaded: %2")
                     .arg(StationOptions.BeepFile, QString::fromLocal8Bit(error.what())));
    }
}

void TFClock::SESHMinutosChange()
{
    int minutes = SESHMinutos->value();
    if (!ValidBeepMinutes(minutes)) {
        minutes = 60;
        {
            const QSignalBlocker blocker(SESHMinutos);
            SESHMinutos->setValue(minutes);
        }
        platform::ShowMessage(LangClock.GetText(QStringLiteral("valores validos")));
    }
    StationOptions.BeepMinutes = minutes;
}

void TFClock::SetHourSignalsMuted(bool muted)
{
    CBSHActivadas->setChecked(!muted);
}

bool TFClock::Folded() const
{
    return height() <= PTop->height();
}

void TFClock::Fold()
{
    resize(width(), PTop->height());
}

void TFClock::Unfold()
{
    resize(width(), PTop->height() + PBottom->height());
    update();
}

void TFClock::TimerDateTimer()
{
    const QDateTime now = platform::Now();
    LEDClock->SetCaption(QLocale::system().toString(now, QStringLiteral("HH:mm:ss dd-MMM-yyyy")));
    if (StationOptions.BeepActive && beepLoaded_ &&
        HourSignalDue(StationOptions.BeepMinutes, StationOptions.BeepNumber, lastTick_, now))
        LXWaveComp1->Play(1);
    lastTick_ = now;
}

void TFClock::SyncTimeAndLog()
{
    SyncTime(&TFClock::LogSyncResult);
}

void TFClock::SyncTimeAndShow()
{
    SyncTime(&TFClock::ShowSyncResult);
}

void TFClock::SyncTime(void (TFClock::*report)(const platform::SntpResult&))
{
    const bool started = SNTPClient1->SyncTime([this, report](const platform::SntpResult& result) {
        LXBGetSNTPTime->setEnabled(true);
        (this->*report)(result);
    });
    if (started)
        LXBGetSNTPTime->setEnabled(false);
}

void TFClock::LogSyncResult(const platform::SntpResult& result)
{
    if (result.Ok) {
        WriteLog(1, 0, LogModule, LogEventClockSet, -1,
                 LangClock.GetText(QStringLiteral("ok: pc datetime changed")));
        WriteLog(1, 0, LogModule, LogEventClockSet, -1, StepText(result));
        return;
    }
    WriteLog(1, 1, LogModule, LogEventClockSet, -1,
             LangClock.GetText(QStringLiteral("error: setting pc datetime")));
    WriteLog(1, 1, LogModule, LogEventClockSet, -1, result.Reason);
}

void TFClock::ShowSyncResult(const platform::SntpResult& result)
{
    if (result.Ok) {
        // Every step is on record, whoever asked for it.
        WriteLog(1, 0, LogModule, LogEventClockSet, -1, StepText(result));
        platform::ShowMessage(LangClock.GetText(QStringLiteral("ok: pc datetime changed")));
    } else
        platform::ShowMessage(LangClock.GetText(QStringLiteral("error: setting pc datetime")) +
                              QLatin1Char('\n') + result.Reason);
}

void TFClock::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QWidget::showEvent(event);
}

bool TFClock::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == LEDClock || watched == PBottom) && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        DragMoveWindow(this);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
