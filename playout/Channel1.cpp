#include "playout/Channel1.h"

#include "audioinfo/OFileData.h"
#include "controls/Knob.h"
#include "controls/LXLEDLabel.h"
#include "controls/LXTrackBar.h"
#include "controls/LbButton.h"
#include "controls/LbSpeedButton.h"
#include "controls/NKScrollLabel.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation/QueueEntryText.h"
#include "foundation_gui/DisplayRoles.h"
#include "platform/Messages.h"
#include "platform_gui/Color.h"
#include "platform_gui/Dialogs.h"
#include "playout/AudioLayer.h"
#include "playout/CUEPlayer.h"
#include "playout/FX.h"
#include "playout/LineInEvent.h"
#include "playout/QueueDelegate.h"
#include "playout/QueueListView.h"
#include "playout/StationIdMenu.h"
#include "playout/ThreadedTimer.h"
#include "playout/VisualBox.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

TFChannel1* FChannel1 = nullptr;

namespace {

constexpr int ChannelNumber = 1;
constexpr uint32_t PositionIntervalMs = 500;
constexpr int VisualIntervalMs = 33;
constexpr int VisualWidth = 300; // the box's size before the window is laid out
constexpr int VisualHeight = 40;

const QString MediaFilter = QStringLiteral(
    "All media files (*.mp3,*.wav,*.ogg,*.wma)|*.mp3;*.wav;*.ogg;*.wma|MP3 files (*.mp3)|*.mp3|"
    "WAV files (*.wav)|*.wav|OGG files (*.ogg)|*.ogg|WMA files (*.wma)|*.wma|All files (*.*)|*.*");

constexpr platform::TColor OnAirColor = 0x0000FF;      // red
constexpr platform::TColor OnAirTextColor = 0xFFFFFF;  // white
constexpr platform::TColor OffAirColor = 0xFFFFFF;     // white
constexpr platform::TColor OffAirTextColor = 0xC0C0C0; // silver

template <typename Widget, typename... Args> Widget* Named(const char* name, QWidget* parent, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* Label(const char* name, const QString& caption, QWidget* parent)
{
    return Named<QLabel>(name, parent, caption);
}

// A time display: lime segments on a dark green checker over black, cells of 10 x 17 pixels with
// all sixteen segments, sized to its text.
TLXLEDLabel* LedLabel(const char* name, const QString& caption, QWidget* parent)
{
    auto* led = Named<TLXLEDLabel>(name, parent);
    led->LED().SetHorzsize(5);
    led->LED().SetVertsize(5);
    led->LED().SetThickness(1);
    led->SetCaption(caption);
    led->SetAutoSize(true);
    return led;
}

// A speed button in its own group: down means on. With allowAllUp it toggles on its own.
TLbSpeedButton* SpeedButton(const char* name, const QString& caption, int group, bool allowAllUp,
                            QWidget* parent)
{
    auto* button = Named<TLbSpeedButton>(name, parent);
    button->SetCaption(caption);
    button->SetGroupIndex(group);
    button->SetAllowAllUp(allowAllUp);
    // The design width when there is room, narrower in a narrow window.
    button->setFixedHeight(23);
    button->setMinimumWidth(46);
    button->setMaximumWidth(64);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return button;
}

TLbButton* PushButton(const char* name, const QString& caption, int width, QWidget* parent)
{
    auto* button = Named<TLbButton>(name, parent);
    button->SetCaption(caption);
    button->setFixedSize(width, 23);
    return button;
}

void SetColors(QWidget& widget, platform::TColor background, platform::TColor text)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, platform::ToQColor(background));
    palette.setColor(QPalette::WindowText, platform::ToQColor(text));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QAction* MenuItem(QMenu& menu, const char* name, const QString& caption)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TFChannel1::TFChannel1(QWidget* parent)
    : QWidget(parent), queue_(ChannelNumber), visual_(VisualWidth, VisualHeight)
{
    setObjectName(QStringLiteral("FChannel1"));
    CreateControls();
    CreateMenu();
    ConnectQueue();
    ConnectPlayback();
    ConnectControls();
    // Files dropped from the desktop anywhere on the window join the queue.
    setAcceptDrops(true);
    platform::RegisterWindow(this, QStringLiteral("TFChannel1"));
}

TFChannel1::~TFChannel1()
{
    // The timer's handler reaches the channel, which goes before the window's children.
    delete TSong;
    // The card's inputs are left closed, and nothing of the channel goes on sounding.
    lineIn_.MicOff();
    lineIn_.CloseLineIn();
    queue_.StopPlayback();
    // The list goes before the queue it shows.
    delete LB;
    if (FChannel1 == this)
        FChannel1 = nullptr;
}

void TFChannel1::CreateControls()
{
    STCanal = Label("STCanal", QStringLiteral(" Channel   "), this);
    STOnAir = Label("STOnAir", QStringLiteral(" ON AIR "), this);
    QFont bold = STOnAir->font();
    bold.setBold(true);
    STOnAir->setFont(bold);
    LInfo = Named<TNKScrollLabel>("LInfo", this);
    LInfo->SetText(QString());
    LInfo->SetSpeed(50);
    LInfo->SetJump(2);
    LInfo->SetDirection(sdRightToLeft);
    LInfo->SetBackGround(platform::clBlack);
    LInfo->Font().SetColor(platform::clYellow);
    LInfo->SetFillStyle(bfFull);
    LInfo->setFixedHeight(18);
    ShowOnAir(false);
    LBitRate = Label("LBitRate", QString(), this);
    LBitRate->setFont(bold);

    LTotal = Label("LTotal", QStringLiteral("Total: "), this);
    LEDTheTiempoTotal = LedLabel("LEDTheTiempoTotal", QStringLiteral("00:00:00"), this);
    LEDTiempoTotal = LedLabel("LEDTiempoTotal", QStringLiteral("00:00:00"), this);
    LParcial = Label("LParcial", QStringLiteral("Partial:"), this);
    LEDTiempoCuentaAtras = LedLabel("LEDTiempoCuentaAtras", QStringLiteral("00:00"), this);

    TB = Named<QSlider>("TB", this, Qt::Horizontal);
    TB->setRange(0, 100);
    TB->setTickInterval(5);
    TB->setTickPosition(QSlider::TicksBelow);
    TBPitchShift = Named<TLXTrackBar>("TBPitchShift", this);
    TBPitchShift->SetRange(-60, 60);
    TBPitchShift->hide();
    BMenos = PushButton("BMenos", QStringLiteral("-"), 23, this);
    BMas = PushButton("BMas", QStringLiteral("+"), 23, this);
    LPitch = Label("LPitch", QStringLiteral("Pitch: 1x"), this);
    BFx = PushButton("BFx", QStringLiteral("Fx"), 40, this);
    BInsert = PushButton("BInsert", QStringLiteral("Insert"), 50, this);

    // Play/Pause and Stop: one of the two is always down.
    BPlayPause = SpeedButton("BPlayPause", QStringLiteral("Play"), 1, false, this);
    BStop = SpeedButton("BStop", QStringLiteral("Stop"), 1, false, this);
    BStop->SetDown(true);
    BFadeOut = SpeedButton("BFadeOut", QStringLiteral("Fade out"), 4, true, this);
    BRepeat = SpeedButton("BRepeat", QStringLiteral("Repeat"), 2, true, this);
    BRnd = SpeedButton("BRnd", QStringLiteral("Random"), 3, true, this);
    BMic = SpeedButton("BMic", QStringLiteral("Mic"), 5, true, this);
    BLinein = SpeedButton("BLinein", QStringLiteral("Line-in"), 6, true, this);

    LVol = Label("LVol", QStringLiteral("Vol"), this);
    LVol2 = Label("LVol2", QString(), this);
    VolumeCtrl = Named<TKnob>("VolumeCtrl", this);
    VolumeCtrl->setFixedSize(40, 40);
    VolumeCtrl->SetMax(100);
    VolumeCtrl->SetPageSize(100);
    VolumeCtrl->SetCaption(QStringLiteral("%"));
    VolumeCtrl->SetPositionLabel(LVol2);
    PSound = Named<TVisualBox>("PSound", this);
    PSound->setMinimumHeight(VisualHeight);
    TSong = Named<TThreadedTimer>("TSong", this);
    TSong->SetInterval(PositionIntervalMs);
    TSong->SetEnabled(true);
    TDrawSound = Named<QTimer>("TDrawSound", this);
    TDrawSound->setInterval(VisualIntervalMs);

    LB = new TQueueListView(queue_, this);
    LB->setObjectName(QStringLiteral("LB"));

    auto* title = new QHBoxLayout;
    title->addWidget(STCanal);
    title->addWidget(STOnAir);
    title->addWidget(LInfo, 1);
    title->addWidget(LBitRate);
    // The rows share the controls out so that the window fits half of an 800-pixel screen, the tiled
    // layout's share for channel 1: Fx, Insert and the volume beside the pitch.
    auto* times = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(LTotal), static_cast<QWidget*>(LEDTheTiempoTotal),
                            static_cast<QWidget*>(LEDTiempoTotal), static_cast<QWidget*>(LParcial),
                            static_cast<QWidget*>(LEDTiempoCuentaAtras)})
        times->addWidget(widget);
    times->addStretch(1);
    auto* position = new QHBoxLayout;
    position->addWidget(TB, 1);
    position->addWidget(TBPitchShift);
    position->addWidget(BMenos);
    position->addWidget(LPitch);
    position->addWidget(BMas);
    position->addWidget(BFx);
    position->addWidget(BInsert);
    position->addWidget(LVol);
    position->addWidget(VolumeCtrl);
    position->addWidget(LVol2);
    auto* buttons = new QHBoxLayout;
    // Every button takes a share of the room up to its design width; the rest stays on the right.
    for (QWidget* widget : {BPlayPause, BStop, BFadeOut, BRepeat, BRnd, BMic, BLinein})
        buttons->addWidget(widget, 1);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addLayout(times);
    layout->addLayout(position);
    layout->addLayout(buttons);
    layout->addWidget(PSound);
    layout->addWidget(LB, 1);
}

void TFChannel1::CreateMenu()
{
    PMCanal = new QMenu(this);
    PMCanal->setObjectName(QStringLiteral("PMCanal"));
    PMInsert = PMCanal->addMenu(QStringLiteral("Insert"));
    PMInsert->setObjectName(QStringLiteral("PMInsert"));
    PMInsertFile = MenuItem(*PMInsert, "PMInsertFile", QStringLiteral("File"));
    PMInsertLabel = MenuItem(*PMInsert, "PMInsertLabel", QStringLiteral("Label"));
    PMInsertLinein = MenuItem(*PMInsert, "PMInsertLinein", QStringLiteral("Line-in"));
    PMDelThemes = MenuItem(*PMCanal, "PMDelThemes", QStringLiteral("Delete selected themes"));
    PMDelAllThemes = MenuItem(*PMCanal, "PMDelAllThemes", QStringLiteral("Delete full list"));
    PMCanal->addSeparator();
    PMRandomizeSelection = MenuItem(*PMCanal, "PMRandomizeSelection", QStringLiteral("Randomize selection"));
    PMSelectAll = MenuItem(*PMCanal, "PMSelectAll", QStringLiteral("Select all"));
    PMRemoveSelection = MenuItem(*PMCanal, "PMRemoveSelection", QStringLiteral("Remove selection"));
    PMCanal->addSeparator();
    PMStopAll = MenuItem(*PMCanal, "PMStopAll", QStringLiteral("Stop full playing"));
    PMCanal->addSeparator();
    PMThemeCUE = MenuItem(*PMCanal, "PMThemeCUE", QStringLiteral("CUE"));
    PMThemeInformation = MenuItem(*PMCanal, "PMThemeInformation", QStringLiteral("Theme information"));
    PMThemeSearch = MenuItem(*PMCanal, "PMThemeSearch", QStringLiteral("Search"));
    PMSaveListAsCombination =
        MenuItem(*PMCanal, "PMSaveListAsCombination", QStringLiteral("Save list as combination"));

    connect(PMInsertFile, &QAction::triggered, this, &TFChannel1::PMInsertFileClick);
    connect(PMInsertLabel, &QAction::triggered, this, &TFChannel1::PMInsertLabelClick);
    connect(PMInsertLinein, &QAction::triggered, this, &TFChannel1::PMInsertLineinClick);
    connect(PMDelThemes, &QAction::triggered, this, &TFChannel1::PMDelThemesClick);
    connect(PMDelAllThemes, &QAction::triggered, this, &TFChannel1::PMDelAllThemesClick);
    connect(PMRandomizeSelection, &QAction::triggered, this, &TFChannel1::PMRandomizeSelectionClick);
    connect(PMSelectAll, &QAction::triggered, this, &TFChannel1::PMSelectAllClick);
    connect(PMRemoveSelection, &QAction::triggered, this, &TFChannel1::PMRemoveSelectionClick);
    connect(PMStopAll, &QAction::triggered, this, &TFChannel1::PMStopAllClick);
    StationIdMenu = new TStationIdMenu(queue_, this);
    StationIdMenu->OpenFrom(BInsert);
    connect(PMThemeCUE, &QAction::triggered, this, &TFChannel1::PMThemeCUEClick);
    connect(PMThemeInformation, &QAction::triggered, this, &TFChannel1::PMThemeInformationClick);
    connect(PMThemeSearch, &QAction::triggered, this, &TFChannel1::PMThemeSearchClick);
    connect(PMSaveListAsCombination, &QAction::triggered, this, &TFChannel1::PMSaveListAsCombinationClick);
    connect(LB, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { PMCanal->popup(LB->viewport()->mapToGlobal(point)); });
}

void TFChannel1::ConnectQueue()
{
    connect(&queue_, &TChannelQueue::TimesShown, this,
            [this](const QString& remaining, const QString& total) {
                LEDTiempoTotal->SetCaption(remaining);
                LEDTheTiempoTotal->SetCaption(total);
            });
    connect(&queue_, &TChannelQueue::CountdownShown, this, [this](const QString& countdown) {
        // Shown now (an opaque LED label paints at once): an entry's start does not wait for the
        // event loop to paint it.
        LEDTiempoCuentaAtras->SetCaption(countdown);
    });
    connect(&queue_, &TChannelQueue::OnAirChanged, this, &TFChannel1::ShowOnAir);
    connect(&queue_, &TChannelQueue::PlaybackStopped, this, [this] {
        PSound->Clear();
        const QSignalBlocker blocker(TB);
        TB->setValue(1);
    });
    connect(&queue_, &TChannelQueue::ChannelReset, this, [this] {
        LInfo->SetText(QString());
        LBitRate->clear();
    });
}

void TFChannel1::ConnectPlayback()
{
    connect(BPlayPause, &TLbSpeedButton::OnClick, this,
            [this] { playback_.PlayPauseClick(BPlayPause->Down()); });
    connect(BStop, &TLbSpeedButton::OnClick, &playback_, &TChannelPlayback::StopClick);
    connect(BFadeOut, &TLbSpeedButton::OnClick, &playback_, &TChannelPlayback::FadeOut);
    connect(BRepeat, &TLbSpeedButton::OnClick, this, [this] { playback_.Repeat = BRepeat->Down(); });
    connect(BRnd, &TLbSpeedButton::OnClick, this, [this] { playback_.Random = BRnd->Down(); });
    connect(BLinein, &TLbSpeedButton::OnClick, this, [this] { lineIn_.LineInClick(BLinein->Down()); });
    connect(BMic, &TLbSpeedButton::OnClick, this, [this] { lineIn_.MicClick(BMic->Down()); });
    connect(&lineIn_, &TChannelLineIn::LineInButtonChanged, BLinein, &TLbSpeedButton::SetDown);
    connect(VolumeCtrl, &TKnob::OnChange, this, [this] { playback_.SetVolume(VolumeCtrl->Position()); });
    connect(LB, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { PlayItemAt(index.row()); });

    connect(&playback_, &TChannelPlayback::TitleShown, LInfo, &TNKScrollLabel::SetText);
    connect(&playback_, &TChannelPlayback::BitrateShown, LBitRate, &QLabel::setText);
    // The Play button goes up: in its group that puts Stop down.
    connect(&playback_, &TChannelPlayback::PlayButtonRaised, this, [this] { BStop->SetDown(true); });
    connect(&playback_, &TChannelPlayback::ScrollLineDown, this,
            [this] { LB->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); });
    ConnectEffects();
}

void TFChannel1::ConnectEffects()
{
    connect(BFx, &TLbButton::OnClick, this, [] {
        if (FFX != nullptr)
            FFX->ShowForChannel(ChannelNumber);
    });
    connect(&playback_, &TChannelPlayback::ApplyFX, this, [] {
        if (FFX != nullptr)
            FFX->ApplyFX();
    });
}

void TFChannel1::ConnectControls()
{
    TSong->OnTimer = [this](QObject*) { TSongTimer(); };
    connect(&position_, &TChannelPosition::PositionShown, this, [this](int percent) {
        // The thumb under the operator's hand stays where it is held.
        if (TB->isSliderDown())
            return;
        const QSignalBlocker blocker(TB);
        TB->setValue(percent);
    });
    // Only the operator's actions seek, once each: letting go of the thumb, a click beside it, a key
    // or the wheel. The pixels of a drag do not: each seek decodes up to its exact frame.
    connect(TB, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove || !TB->isSliderDown())
            position_.Seek(TB->sliderPosition());
    });
    connect(TB, &QSlider::sliderReleased, this, [this] { position_.Seek(TB->sliderPosition()); });
    connect(&lineIn_, &TChannelLineIn::PositionTimerEnabled, TSong, &TThreadedTimer::SetEnabled);

    connect(BMenos, &TLbButton::OnClick, this, [this] { pitch_.Step(-1); });
    connect(BMas, &TLbButton::OnClick, this, [this] { pitch_.Step(1); });
    LPitch->installEventFilter(this);
    connect(&pitch_, &TChannelPitch::PitchShown, this, [this](int position, const QString& label) {
        TBPitchShift->SetPosition(position);
        LPitch->setText(label);
    });

    PSound->installEventFilter(this);
    connect(TDrawSound, &QTimer::timeout, this, &TFChannel1::TDrawSoundTimer);
    connect(&lineIn_, &TChannelLineIn::VisualiserCleared, PSound, &TVisualBox::Clear);
    TDrawSound->start();

    connect(&lineIn_, &TChannelLineIn::KnobMoved, this, [this](int position) {
        // The channel has its volume already.
        const QSignalBlocker blocker(VolumeCtrl);
        VolumeCtrl->SetPosition(position);
    });
}

bool TFChannel1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PSound && event->type() == QEvent::Resize)
        visual_.SetSize(PSound->width(), PSound->height());
    if (event->type() == QEvent::MouseButtonPress && (watched == LPitch || watched == PSound)) {
        if (watched == LPitch)
            pitch_.Reset();
        else
            PSoundClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFChannel1::ShowOnAir(bool on)
{
    SetColors(*STOnAir, on ? OnAirColor : OffAirColor, on ? OnAirTextColor : OffAirTextColor);
    LInfo->SetActive(on); // the title runs only while on air
    // Shown now: the start of an entry does not wait for the event loop to paint it.
    STOnAir->repaint();
}

void TFChannel1::ApplyListFonts()
{
    LB->setFont(ToQFont(RoleFonts[RoleChannels]));
    QPalette palette = LB->palette();
    palette.setColor(QPalette::Base, platform::ToQColor(RoleColors[RoleChannels]));
    palette.setColor(QPalette::Text, platform::ToQColor(RoleFonts[RoleChannels].Color));
    LB->setPalette(palette);
    LB->Delegate().SetItemHeight(TQueueDelegate::ChannelItemHeight());
    LB->doItemsLayout();
    LB->viewport()->update();
}

void TFChannel1::TranslateWindow()
{
    TLanguage& language = queue_.LangChannel;
    language.LanguageFile = AppDir + StationOptions.Language + QStringLiteral(".lng");
    language.Properties.clear();
    for (const char* name : {"STCanal",
                             "STOnAir",
                             "LTotal",
                             "LParcial",
                             "LVol",
                             "PMDelThemes",
                             "PMDelAllThemes",
                             "PMStopAll",
                             "PMRandomizeSelection",
                             "PMSelectAll",
                             "PMRemoveSelection",
                             "PMThemeInformation",
                             "PMThemeSearch",
                             "PMSaveListAsCombination",
                             "PMInsert",
                             "PMInsertFile",
                             "PMInsertLabel",
                             "PMInsertLinein",
                             "PMInsertIndicativosEverySongs",
                             "PMInsertIndicativosEverySeconds",
                             "PMIndicativoRandom",
                             "PMIndicativoFromSelectedThemes"})
        language.Properties.append(objectName() + u'.' + QLatin1String(name) + QStringLiteral(".Caption"));
    // The station-id items also carry the label drawn left of their edit box.
    for (const char* name : {"PMInsertIndicativosEverySongs", "PMInsertIndicativosEverySeconds"})
        language.Properties.append(objectName() + u'.' + QLatin1String(name) +
                                   QStringLiteral(".EditCaption"));
    language.Translate();
}

void TFChannel1::DoFirstShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    TranslateWindow();
    const QString channel =
        queue_.LangChannel.GetText(QStringLiteral("channel")) + u' ' + QString::number(ChannelNumber);
    setWindowTitle(MainTitle + QStringLiteral(" - ") + channel);
    STCanal->setText(u' ' + channel + u' ');
    queue_.StopPlayback();
    queue_.ResetChannel();
    ApplyListFonts();
    VolumeCtrl->SetPosition(StationOptions.ChannelVolume[ChannelNumber]);
    lineIn_.SavedVolume = StationOptions.ChannelVolume[ChannelNumber];
    playback_.InitOutputDevice();
    lineIn_.CloseLineIn();
    lineIn_.MicOff();
    queue_.SetOnAir(false);
}

bool TFChannel1::event(QEvent* event)
{
    if (const auto* message = platform::AsMessage(event);
        message != nullptr && playback_.HandleMessage(*message))
        return true;
    return QWidget::event(event);
}

void TFChannel1::showEvent(QShowEvent* event)
{
    DoFirstShow();
    QWidget::showEvent(event);
}

void TFChannel1::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFChannel1::dropEvent(QDropEvent* event)
{
    queue_.DropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

void TFChannel1::PMInsertFileClick()
{
    platform::FileDialogOptions options;
    options.caption = QStringLiteral("Insert File");
    options.filter = MediaFilter;
    options.multiSelect = true;
    const QStringList paths = platform::OpenFiles(options);
    // The last chosen first, as the queue has always taken them.
    for (auto path = paths.crbegin(); path != paths.crend(); ++path)
        queue_.AddFileItem(*path, 1);
}

void TFChannel1::PMInsertLabelClick()
{
    QString label;
    if (platform::InputQuery(QStringLiteral("New label"), QStringLiteral("Label"), label) && !label.isEmpty())
        queue_.AddLabelItem(MakeLabelItem(label), 1);
}

void TFChannel1::PMInsertLineinClick()
{
    if (FLineInEvent == nullptr)
        return;
    FLineInEvent->ShowModal();
    if (FLineInEvent->IsCancelled())
        return;
    TLineInEvent event;
    FLineInEvent->GetEvent(event);
    queue_.AddLineInItem(event.Text, 1);
}

void TFChannel1::PMDelThemesClick()
{
    queue_.DeleteSelected();
}

void TFChannel1::PMDelAllThemesClick()
{
    const QMessageBox::StandardButton answer = platform::MessageBox(
        QStringLiteral("Confirm"), queue_.LangChannel.GetText(QStringLiteral("remove_list")),
        QMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No)
        return;
    queue_.StopPlayback();
    queue_.ResetChannel();
}

void TFChannel1::PMRandomizeSelectionClick()
{
    queue_.ShuffleItems(false);
}

void TFChannel1::PMSelectAllClick()
{
    queue_.SelectAll();
}

void TFChannel1::PMRemoveSelectionClick()
{
    queue_.Selection().clearSelection();
}

void TFChannel1::PMStopAllClick()
{
    playback_.StopAll();
}

std::optional<QString> TFChannel1::FocusFile()
{
    const QModelIndex focus = queue_.Selection().currentIndex();
    if (!queue_.Selection().hasSelection() || !focus.isValid() || focus.row() >= queue_.Count())
        return std::nullopt;
    return queue_.Entry(focus.row()).FileName;
}

void TFChannel1::PMThemeCUEClick()
{
    // A label or line-in entry names no file: the pre-listen player only stops.
    if (const std::optional<QString> path = FocusFile(); path && FCUEPlayer != nullptr)
        FCUEPlayer->PlayFile(*path);
}

void TFChannel1::PMThemeInformationClick()
{
    const std::optional<QString> path = FocusFile();
    if (!path)
        return;
    // A label or line-in entry names no file: there is nothing to read, only the empty file's box.
    if (path->isEmpty()) {
        platform::ShowMessage(QStringLiteral("File empty"));
        return;
    }
    const auto file = TOFileData::Create(*path, true);
    if (file->Status != 0)
        platform::ShowMessage(file->ErrorText);
    else if (Calls.ShowFileData)
        Calls.ShowFileData(*file);
}

void TFChannel1::PMThemeSearchClick()
{
    if (Calls.ToggleSearch)
        Calls.ToggleSearch();
}

void TFChannel1::PMSaveListAsCombinationClick()
{
    QString name;
    if (!platform::InputQuery(QStringLiteral("Combination"), QStringLiteral("Name for new combination"),
                              name) ||
        name.isEmpty())
        return;
    if (Calls.CombinationExists && Calls.CombinationExists(name) &&
        !platform::AskYesNo(QStringLiteral("Confirm"),
                            QStringLiteral("That combination already exists. Ok to create other with the "
                                           "same name?")))
        return;
    if (Calls.AddCombinationFromList)
        Calls.AddCombinationFromList(name, queue_.Entries());
}

void TFChannel1::TSongTimer()
{
    position_.Tick();
}

void TFChannel1::TDrawSoundTimer()
{
    // A frame nobody sees is not drawn.
    if (!ChannelIsPlaying(ChannelNumber) || !isVisible() || window()->isMinimized())
        return;
    visual_.DrawFrame(ChannelNumber, *PSound);
}
