#include "playout/MixerWindow.h"

#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "playout/AudioMixer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QShowEvent>
#include <QSlider>

namespace {

QString SourceEntry(const platform::MixerLine& line)
{
    return line.name + QStringLiteral("  (") + QString::number(line.componentType) + QStringLiteral(", ") +
           QString::number(line.targetType) + u')';
}

} // namespace

TFMixer::TFMixer() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName("FMixer");
    setWindowTitle("Mixer");
    platform::RegisterWindow(this, "TFMixer");
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);

    CBDevices = Named(new QComboBox(this), "CBDevices");
    CBDestination = Named(new QComboBox(this), "CBDestination");
    CBSources = Named(new QComboBox(this), "CBSources");
    LVolume = Named(new QLabel("Volume:", this), "LVolume");
    TB = Named(new QSlider(Qt::Horizontal, this), "TB");
    TB->setRange(0, 65535);
    TB->setTickPosition(QSlider::NoTicks);
    TB->setPageStep(4096);
    LCannotsetvolume = Named(new QLabel("Cannot set volume", this), "LCannotsetvolume");
    LCannotsetvolume->hide();
    LMuteSelect = Named(new QLabel("Mute/Select", this), "LMuteSelect");
    CB = Named(new QCheckBox(this), "CB");
    LCannotsetMuteSelect = Named(new QLabel("Cannot set mute/select", this), "LCannotsetMuteSelect");
    LCannotsetMuteSelect->hide();
    for (QComboBox* combo : {CBDevices, CBDestination, CBSources})
        combo->setMinimumWidth(260);

    auto* grid = new QGridLayout(this);
    grid->addWidget(CBDevices, 0, 0, 1, 2);
    grid->addWidget(CBDestination, 1, 0, 1, 2);
    grid->addWidget(CBSources, 2, 0, 1, 2);
    grid->addWidget(LVolume, 3, 0);
    grid->addWidget(TB, 3, 1);
    grid->addWidget(LCannotsetvolume, 3, 1);
    grid->addWidget(LMuteSelect, 4, 0);
    grid->addWidget(CB, 4, 1);
    grid->addWidget(LCannotsetMuteSelect, 4, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    for (const char* path : {"FMixer.LVolume.Caption", "FMixer.LCannotsetMuteSelect.Caption",
                             "FMixer.LMuteSelect.Caption", "FMixer.LCannotsetvolume.Caption"})
        LangMixer.Properties.append(QLatin1String(path));
    connect(CBDevices, &QComboBox::activated, this, &TFMixer::CBDevicesChange);
    ConnectLineHandlers();
    CloseOnEscape(this);
}

TFMixer::~TFMixer() = default;

void TFMixer::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) // the window system showing it again, not a new showing
        return;
    CentreOnScreen(this);
    if (firstShow_) {
        firstShow_ = false;
        FirstShow();
    }
}

void TFMixer::FirstShow()
{
    LangMixer.LanguageFile = AppDir + StationOptions.Language + ".lng";
    LangMixer.Translate();
    mixer_ = std::make_unique<TAudioMixer>();
    // Every change of the open device, also one made by another program, is shown.
    connect(mixer_.get(), &TAudioMixer::OnControlChange, this, [this] { CBSourcesChange(); });
    for (int id = 0; id < mixer_->MixerCount(); ++id) {
        mixer_->SetMixerId(id);
        CBDevices->addItem(mixer_->ProductName());
    }
    CBDevices->setCurrentIndex(0);
    CBDevicesChange();
}

void TFMixer::ConnectLineHandlers()
{
    connect(CBDestination, &QComboBox::activated, this, &TFMixer::CBDestinationChange);
    connect(CBSources, &QComboBox::activated, this, &TFMixer::CBSourcesChange);
    connect(TB, &QSlider::valueChanged, this, &TFMixer::TBChange);
    connect(CB, &QCheckBox::toggled, this, &TFMixer::CBClick);
}

void TFMixer::DetachLineHandlers()
{
    CBDestination->disconnect(this);
    CBSources->disconnect(this);
    TB->disconnect(this);
    CB->disconnect(this);
}

void TFMixer::CBDevicesChange()
{
    if (mixer_ == nullptr)
        return;
    const int device = CBDevices->currentIndex();
    if (device >= 0 && device < mixer_->MixerCount())
        mixer_->SetMixerId(device);
    CBDestination->clear();
    if (mixer_->MixerCount() == 0) {
        DetachLineHandlers();
        platform::MessageBox("Error", "No mixer present in the system !", QMessageBox::Critical);
    } else {
        const TMixerDestinations& destinations = mixer_->Destinations();
        for (int d = 0; d < destinations.Count(); ++d)
            CBDestination->addItem(destinations.Item(d)->Data.name);
        CBDestination->setCurrentIndex(0);
        CBDestinationChange();
    }
    updating_ = false;
}

void TFMixer::CBDestinationChange()
{
    if (mixer_ == nullptr)
        return;
    CBSources->clear();
    if (const TMixerDestination* destination = mixer_->Destinations().Item(CBDestination->currentIndex())) {
        CBSources->addItem(destination->Data.name);
        for (int c = 0; c < destination->Connections.Count(); ++c)
            CBSources->addItem(SourceEntry(destination->Connections.Item(c)->Data));
    }
    CBSources->setCurrentIndex(0);
    CBSourcesChange();
}

void TFMixer::CBSourcesChange()
{
    if (mixer_ == nullptr)
        return;
    TMixerVolume volume;
    // The first entry is the destination itself.
    mixer_->GetVolume(CBDestination->currentIndex(), CBSources->currentIndex() - 1, volume);
    updating_ = true;
    TB->setVisible(!volume.VolumeDisabled);
    LVolume->setVisible(!volume.VolumeDisabled);
    LCannotsetvolume->setVisible(volume.VolumeDisabled);
    TB->setValue(volume.Left);
    CB->setVisible(!volume.MuteDisabled);
    LMuteSelect->setVisible(!volume.MuteDisabled);
    LCannotsetMuteSelect->setVisible(volume.MuteDisabled);
    CB->setChecked(volume.Mute != 0);
    updating_ = false;
}

void TFMixer::TBChange()
{
    if (mixer_ == nullptr || updating_)
        return;
    updating_ = true;
    mixer_->SetVolume(CBDestination->currentIndex(), CBSources->currentIndex() - 1, CB->isChecked() ? 1 : 0,
                      TB->value(), TB->value());
    updating_ = false;
}

void TFMixer::CBClick()
{
    if (!updating_)
        TBChange();
}
