// The settings window's menu and pages: the controls with their names, captions and ranges.
#include "controls/LXButton.h"
#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "controls/LXTrackBar.h"
#include "controls/LbButton.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation_gui/LogViewer.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/SearchFiles.h"
#include "platform/Process.h"
#include "platform_gui/Desktop.h"
#include "playout/DeviceInformation.h"
#include "playout/MixerWindow.h"
#include "shell/About.h"
#include "shell/FontsColorsChoose.h"
#include "shell/Main.h"
#include "shell/VolumeController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The log page keeps this many of the latest lines.
constexpr int MemoLogLines = 10000;
// Room left beside a button's caption.
constexpr int CaptionMargin = 16;

// Shown application-modal without waiting for it: the station's events go on meanwhile.
void ShowModal(QWidget* window)
{
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

QWidget* AddPage(QTabWidget* tabs, const QString& name, const QString& caption)
{
    auto* page = new QWidget(tabs);
    page->setObjectName(name);
    tabs->addTab(page, caption);
    return page;
}

// A page that scrolls its controls, so the window can be tiled smaller than the largest page; the
// controls go on the returned body.
QWidget* AddScrolledPage(QTabWidget* tabs, QWidget*& page, const QString& name, const QString& caption)
{
    auto* scroll = new QScrollArea(tabs);
    scroll->setObjectName(name);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* body = new QWidget(scroll);
    scroll->setWidget(body);
    tabs->addTab(scroll, caption);
    page = scroll;
    return body;
}

template <typename Widget> Widget* Captioned(Widget* widget, const char* name, const QString& caption)
{
    widget->setObjectName(QLatin1String(name));
    widget->setText(caption);
    return widget;
}

// The library's buttons give a layout no size of their own: each keeps at least its design size,
// widened to its caption.
template <typename Button> Button* LibraryButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = Named(new Button(parent), name);
    button->SetCaption(caption);
    button->setMinimumSize(
        std::max(button->width(), button->fontMetrics().size(0, caption).width() + CaptionMargin),
        button->height());
    return button;
}

QCheckBox* MuteBox(QWidget* parent, const char* name, const QString& caption, int tag)
{
    auto* box = Captioned(new QCheckBox(parent), name, caption);
    box->setProperty("Tag", tag);
    return box;
}

// A horizontal track bar over the range, with a tick every tickGap values.
TLXTrackBar* TrackBar(QWidget* parent, const char* name, int min, int max, int tickGap)
{
    auto* bar = Named(new TLXTrackBar(parent), name);
    bar->SetRange(min, max);
    bar->SetTickGap(tickGap);
    bar->setMinimumSize(bar->size());
    return bar;
}

// A list of names: no header and no columns, so a long name is drawn whole across the list.
TLXListBox* NameList(QWidget* parent, const char* name)
{
    auto* list = Named(new TLXListBox(parent), name);
    list->SetHeaderVisible(false);
    list->Header().ClearSections();
    return list;
}

QSpinBox* SpinEdit(QWidget* parent, const QString& name, SpinRange range, int designValue)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(range.Min, range.Max);
    spin->setValue(designValue);
    return spin;
}

} // namespace

void TFMain::BuildMenu()
{
    MMenu = Named(new QMenuBar(this), "MMenu");
    MMain = Named(MMenu->addMenu("Main"), "MMain");
    MExit = Named(MMain->addAction("E&xit"), "MExit");
    MUtils = Named(MMenu->addMenu("Utils"), "MUtils");
    MSearchFiles = Named(MUtils->addAction("Search files"), "MSearchFiles");
    MHelp = Named(MMenu->addMenu("Help"), "MHelp");
    MHomePage = Named(MHelp->addAction("Home Page"), "MHomePage");
    MHelp->addSeparator();
    MAbout = Named(MHelp->addAction("About"), "MAbout");
    connect(MSearchFiles, &QAction::triggered, this, [] { FSearchFiles->show(); });
    connect(MHomePage, &QAction::triggered, this, [] { platform::OpenWithDesktop(HomePage()); });
    connect(MAbout, &QAction::triggered, this, [] { ShowModal(FAbout); });
}

void TFMain::BuildMainPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSMain, "TSMain", "Main");
    CBPlayAtStartup = Captioned(new QCheckBox(body), "CBPlayAtStartup", "Play at startup");
    connect(CBPlayAtStartup, &QCheckBox::clicked, this,
            [](bool checked) { StationOptions.PlayAtStartup = checked; });
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(CBPlayAtStartup);
    layout->addStretch();
}

void TFMain::BuildSoundPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSSound, "TSSound", "Sound");
    PSonido = Named(new QWidget(body), "PSonido");
    LVolume = Captioned(new QLabel(PSonido), "LVolume", "Volume");
    LBalance = Captioned(new QLabel(PSonido), "LBalance", "Balance");
    TBMainVolumen = TrackBar(PSonido, "TBMainVolumen", 0, 100, 10);
    TBMainBalance = TrackBar(PSonido, "TBMainBalance", -100, 100, 20);
    for (QLabel* label : {LVolume, LBalance})
        label->installEventFilter(this);
    connect(TBMainVolumen, &TLXTrackBar::OnChange, this,
            [this] { ssMainVolumeController1->SetVolume(TBMainVolumen->Position()); });
    // The bar's right end lowers the right channel: the stored balance keeps its meaning.
    connect(TBMainBalance, &TLXTrackBar::OnChange, this,
            [this] { ssMainVolumeController1->SetBalance(-TBMainBalance->Position()); });
    auto* controls = new QGridLayout(PSonido);
    controls->addWidget(LVolume, 0, 0);
    controls->addWidget(TBMainVolumen, 0, 1);
    controls->addWidget(LBalance, 1, 0);
    controls->addWidget(TBMainBalance, 1, 1);

    GBMuteChannels = Named(new QGroupBox("Silenciar canales:", body), "GBMuteChannels");
    CBAll = MuteBox(GBMuteChannels, "CBAll", "All", -1);
    CB1 = MuteBox(GBMuteChannels, "CB1", "1", 1);
    CB2 = MuteBox(GBMuteChannels, "CB2", "2", 2);
    CB3 = MuteBox(GBMuteChannels, "CB3", "3", 3);
    CBHourSignals = MuteBox(GBMuteChannels, "CBHourSignals", "Hour signals", 0);
    CBCUE = MuteBox(GBMuteChannels, "CBCUE", "CUE", 4);
    auto* boxes = new QHBoxLayout(GBMuteChannels);
    for (QCheckBox* box : {CBAll, CB1, CB2, CB3, CBHourSignals, CBCUE}) {
        boxes->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, box](bool checked) {
            CBSilenciarCanalesClick(box->property("Tag").toInt(), checked);
        });
    }
    // The layout keeps the panel in the middle of the page at every size of the window.
    auto* layout = new QVBoxLayout(body);
    layout->addStretch();
    layout->addWidget(PSonido, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(GBMuteChannels);
}

bool TFMain::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == LVolume || watched == LBalance) && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            if (watched == LVolume)
                TBMainVolumen->SetPosition((TBMainVolumen->MaxValue() + TBMainVolumen->MinValue()) / 2);
            else
                TBMainBalance->SetPosition(0);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFMain::BuildLanguagesPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSLanguages, "TSLanguages", "Languages");
    LBLanguages = NameList(body, "LBLanguages");
    LBLanguages->SetItems({"bable", "catala", "english", "espanol", "francais"});
    BLanguageSet = LibraryButton<TLbButton>(body, "BLanguageSet", "Set language");
    connect(BLanguageSet, &TLbButton::OnClick, this, &TFMain::SetLanguage);
    auto* layout = new QHBoxLayout(body);
    layout->addWidget(LBLanguages, 1);
    layout->addWidget(BLanguageSet, 0, Qt::AlignTop);
}

void TFMain::BuildLogPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSLog, "TSLog", "Log");
    MemoLog = Named(new QPlainTextEdit(body), "MemoLog");
    MemoLog->setReadOnly(true);
    MemoLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The station runs for days: the oldest lines go.
    MemoLog->setMaximumBlockCount(MemoLogLines);
    BViewLog = LibraryButton<TLbButton>(body, "BViewLog", "Ver fichero de log");
    BClearLog = LibraryButton<TLbButton>(body, "BClearLog", "Borrar fichero de log");
    connect(BViewLog, &TLbButton::OnClick, this, [] { ViewLogFile(Log); });
    connect(BClearLog, &TLbButton::OnClick, this, &TFMain::BClearLogClick);
    RGLogLevel = Named(new QGroupBox("Log level", body), "RGLogLevel");
    RGLogLevelItems = new QButtonGroup(RGLogLevel);
    auto* items = new QVBoxLayout(RGLogLevel);
    const QStringList captions{"None", "Simple", "Complex"};
    for (int index = 0; index < captions.size(); ++index) {
        auto* item = new QRadioButton(captions[index], RGLogLevel);
        item->setObjectName(QStringLiteral("RGLogLevel%1").arg(index));
        RGLogLevelItems->addButton(item, index);
        items->addWidget(item);
    }
    connect(RGLogLevelItems, &QButtonGroup::idClicked, this, [](int index) { Log.Level = index; });
    auto* side = new QVBoxLayout;
    side->addWidget(BViewLog);
    side->addWidget(BClearLog);
    side->addWidget(RGLogLevel);
    side->addStretch();
    auto* layout = new QHBoxLayout(body);
    layout->addWidget(MemoLog, 1);
    layout->addLayout(side);
}

void TFMain::BuildSkinPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSSkin, "TSSkin", "Skins");
    LBSkin = NameList(body, "LBSkin");
    BSkinLoad = LibraryButton<TLXSpeedButton>(body, "BSkinLoad", "Load skin");
    BSkinLoad->setMinimumSize(80, 24);
    connect(BSkinLoad, &TLXSpeedButton::OnClick, this, &TFMain::BSkinLoadClick);
    auto* layout = new QHBoxLayout(body);
    layout->addWidget(LBSkin, 1);
    layout->addWidget(BSkinLoad, 0, Qt::AlignTop);
}

void TFMain::BuildLaunchersPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSLaunchers, "TSLaunchers", "Launchers");
    auto* layout = new QGridLayout(body);
    for (int n = 1; n <= static_cast<int>(BCmd.size()); ++n) {
        const QString name = QStringLiteral("BCmd%1").arg(n);
        auto* button = new QPushButton(name, body);
        button->setObjectName(name);
        button->setProperty("Tag", n);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, n] { BCmdClick(n); });
        BCmd[n - 1] = button;
        layout->addWidget(button, (n - 1) / 4, (n - 1) % 4);
    }
    layout->setRowStretch(3, 1);
}

void TFMain::BuildUtilsPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSUtils, "TSUtils", "Utils");
    LXBSetLogo = LibraryButton<TLXButton>(body, "LXBSetLogo", "Logo");
    LXBSetFonts = LibraryButton<TLXButton>(body, "LXBSetFonts", "Colors / fonts");
    CBSetPCDatetimeAtStartup =
        Captioned(new QCheckBox(body), "CBSetPCDatetimeAtStartup", "Set PC date time at startup");
    connect(LXBSetLogo, &TLXButton::OnClick, this, &TFMain::LXBSetLogoClick);
    connect(LXBSetFonts, &TLXButton::OnClick, this, [] { ShowModal(FFontsColorsChoose); });
    connect(CBSetPCDatetimeAtStartup, &QCheckBox::clicked, this,
            [](bool checked) { StationOptions.SetPCDatetimeAtStartup = checked; });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(LXBSetLogo);
    buttons->addWidget(LXBSetFonts);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(body);
    layout->addLayout(buttons);
    layout->addWidget(CBSetPCDatetimeAtStartup);
    layout->addStretch();
}

void TFMain::BuildDevicesPage()
{
    QWidget* body = AddScrolledPage(PCMain, TSDevices, "TSDevices", "Devices");
    BChannel1Device = Captioned(new QPushButton(body), "BChannel1Device", "Channel 1");
    BChannel2Device = Captioned(new QPushButton(body), "BChannel2Device", "Channel 2");
    BChannel3Device = Captioned(new QPushButton(body), "BChannel3Device", "Channel 3");
    BCUEDevice = Captioned(new QPushButton(body), "BCUEDevice", "CUE");
    // This button starts the desktop's own volume control.
    LXBWindowsMixer = LibraryButton<TLXButton>(body, "LXBWindowsMixer", "System\nMixer");
    LXBMixer = LibraryButton<TLXButton>(body, "LXBMixer", "Mixer");
    LXBDevInfo = LibraryButton<TLXButton>(body, "LXBDevInfo", "Device\nInfo");
    for (TLXButton* button : {LXBWindowsMixer, LXBDevInfo})
        button->SetMultiLine(true);
    const std::array<std::pair<QPushButton*, int>, 4> deviceButtons{
        {{BChannel1Device, 1}, {BChannel2Device, 2}, {BChannel3Device, 3}, {BCUEDevice, CueSlot}}};
    for (const auto& [button, slot] : deviceButtons)
        connect(button, &QPushButton::clicked, this, [this, slot = slot] { ShowDeviceWindow(slot); });
    connect(LXBWindowsMixer, &TLXButton::OnClick, this, [] { platform::OpenSystemMixer(); });
    connect(LXBMixer, &TLXButton::OnClick, this, [] { FMixer->show(); });
    connect(LXBDevInfo, &TLXButton::OnClick, this, [] { ShowModal(FDeviceInformation); });
    auto* devices = new QVBoxLayout;
    auto* tools = new QVBoxLayout;
    for (QPushButton* button : {BChannel1Device, BChannel2Device, BChannel3Device, BCUEDevice}) {
        button->hide();
        devices->addWidget(button);
    }
    for (TLXButton* button : {LXBWindowsMixer, LXBMixer, LXBDevInfo}) {
        button->setMinimumSize(72, 40);
        tools->addWidget(button);
    }
    devices->addStretch();
    tools->addStretch();
    auto* layout = new QHBoxLayout(body);
    layout->addLayout(devices);
    layout->addLayout(tools);
    layout->addStretch();
}

void TFMain::BuildFadePage()
{
    QWidget* body = AddScrolledPage(PCMain, TSFade, "TSFade", "Fade");
    PCFade = Named(new QTabWidget(body), "PCFade");
    for (int n = 1; n <= PlayoutChannelCount; ++n) {
        TFadePage& fade = FadePages[n - 1];
        fade.TSFadeChannel =
            AddPage(PCFade, QStringLiteral("TSFadeChannel%1").arg(n), QStringLiteral("Channel %1").arg(n));
        QWidget* page = fade.TSFadeChannel;
        fade.SEFadeInterval = SpinEdit(page, QStringLiteral("SEFadeInterval%1").arg(n), FadeIntervalRange, 5);
        fade.CBCrossfadeEnabled = new QCheckBox("Enabled", page);
        fade.CBCrossfadeEnabled->setObjectName(QStringLiteral("CBCrossfadeEnabled%1").arg(n));
        fade.SECrossfadeinterval =
            SpinEdit(page, QStringLiteral("SECrossfadeinterval%1").arg(n), CrossfadeIntervalRange, 5);
        fade.SECrossfademin =
            SpinEdit(page, QStringLiteral("SECrossfademin%1").arg(n), CrossfadeMinRange, 60);
        connect(fade.SEFadeInterval, &QSpinBox::valueChanged, this,
                [n](int value) { StationOptions.FadeInterval[n] = value; });
        connect(fade.CBCrossfadeEnabled, &QCheckBox::clicked, this,
                [n](bool checked) { StationOptions.CrossfadeEnabled[n] = checked; });
        connect(fade.SECrossfadeinterval, &QSpinBox::valueChanged, this,
                [n](int value) { StationOptions.CrossfadeInterval[n] = value; });
        connect(fade.SECrossfademin, &QSpinBox::valueChanged, this,
                [n](int value) { StationOptions.CrossfadeMin[n] = value; });
        auto* fadeout = new QGroupBox("Fadeout", page);
        auto* fadeoutForm = new QFormLayout(fadeout);
        fadeoutForm->addRow("Length (in sec.)", fade.SEFadeInterval);
        auto* crossfade = new QGroupBox("Crossfade", page);
        auto* crossfadeForm = new QFormLayout(crossfade);
        crossfadeForm->addRow(fade.CBCrossfadeEnabled);
        crossfadeForm->addRow("Length (in sec.)", fade.SECrossfadeinterval);
        crossfadeForm->addRow("Min. song length (in sec.)", fade.SECrossfademin);
        auto* layout = new QHBoxLayout(page);
        layout->addWidget(fadeout, 0, Qt::AlignTop);
        layout->addWidget(crossfade, 0, Qt::AlignTop);
    }
    auto* layout = new QVBoxLayout(body);
    layout->addWidget(PCFade);
}

void TFMain::ListTranslatedCaptions()
{
    static const char* const captioned[] = {"MMain",
                                            "MExit",
                                            "MUtils",
                                            "MSearchFiles",
                                            "MHelp",
                                            "MHomePage",
                                            "MAbout",
                                            "CBPlayAtStartup",
                                            "LVolume",
                                            "LBalance",
                                            "GBMuteChannels",
                                            "CBAll",
                                            "CB1",
                                            "CB2",
                                            "CB3",
                                            "CBHourSignals",
                                            "CBCUE",
                                            "BLanguageSet",
                                            "BViewLog",
                                            "BClearLog",
                                            "RGLogLevel",
                                            "BSkinLoad",
                                            "LXBSetLogo",
                                            "LXBSetFonts",
                                            "CBSetPCDatetimeAtStartup",
                                            "BChannel1Device",
                                            "BChannel2Device",
                                            "BChannel3Device",
                                            "BCUEDevice",
                                            "LXBWindowsMixer",
                                            "LXBMixer",
                                            "LXBDevInfo"};
    for (const char* name : captioned)
        LangMain.Properties.append(QStringLiteral("FMain.%1.Caption").arg(QLatin1String(name)));
    LangMain.Properties.append(QStringLiteral("FMain.RGLogLevel.Items"));
    for (int page = 0; page < PCMain->count(); ++page)
        LangMain.Properties.append(
            QStringLiteral("FMain.%1.Caption").arg(PCMain->widget(page)->objectName()));
    for (const TFadePage& fade : FadePages) {
        LangMain.Properties.append(QStringLiteral("FMain.%1.Caption").arg(fade.TSFadeChannel->objectName()));
        LangMain.Properties.append(
            QStringLiteral("FMain.%1.Caption").arg(fade.CBCrossfadeEnabled->objectName()));
    }
}
