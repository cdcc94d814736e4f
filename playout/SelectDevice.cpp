#include "playout/SelectDevice.h"

#include "controls/LXLabel.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/Messages.h"
#include "playout/AudioLayer.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceTables.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

bool IsSlot(int slot)
{
    return slot >= 1 && slot <= SlotCount;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFSelectDevice::TFSelectDevice() : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName("FSelectDevice");
    setWindowTitle("Select device");
    platform::RegisterWindow(this, "TFSelectDevice");

    LInfo = Named(new TLXLabel(this), "LInfo");
    LInfo->SetAlignment(agTopCenter);
    LInfo->SetCaption("Device");
    CBOutputDevices = Named(new QComboBox(this), "CBOutputDevices");
    CBOutputDevices->setMinimumWidth(300);
    BOk = Button(this, "BOk", "OK");
    BOk->setDefault(true);
    BCancel = Button(this, "BCancel", "Cancel");
    BApply = Button(this, "BApply", "Apply");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LInfo, 0, Qt::AlignHCenter);
    layout->addWidget(CBOutputDevices);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BOk);
    buttons->addWidget(BCancel);
    buttons->addWidget(BApply);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (const char* path :
         {"FSelectDevice.BOk.Caption", "FSelectDevice.BCancel.Caption", "FSelectDevice.BApply.Caption"})
        LangSelectDevice.Properties.append(QLatin1String(path));
    connect(BOk, &QPushButton::clicked, this, &TFSelectDevice::BOkClick);
    connect(BCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BApply, &QPushButton::clicked, this, &TFSelectDevice::BApplyClick);
}

void TFSelectDevice::SetSlot(int slot)
{
    slot_ = slot;
    static const char* const captions[] = {"Channel 1", "Channel 2", "Channel 3", "CUE (prelisten)"};
    if (IsSlot(slot))
        LInfo->SetCaption(QLatin1String(captions[slot - 1]));
}

void TFSelectDevice::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) // the window system showing it again, not a new showing
        return;
    if (firstShow_) {
        firstShow_ = false;
        LangSelectDevice.LanguageFile = AppDir + StationOptions.Language + ".lng";
        LangSelectDevice.Translate();
        FillDeviceList(OutputDevices, names_);
        CBOutputDevices->addItems(names_);
    }
    // A name the list lacks (an empty one, as a rule) selects nothing.
    const int index = IsSlot(slot_) ? GetDeviceIndex(OutputDevices, Channels[slot_].Device) : -1;
    CBOutputDevices->setCurrentIndex(index < CBOutputDevices->count() ? index : -1);
}

void TFSelectDevice::StoreChoice()
{
    if (IsSlot(slot_) && CBOutputDevices->currentIndex() >= 0)
        Channels[slot_].Device = CBOutputDevices->currentText();
}

void TFSelectDevice::BOkClick()
{
    StoreChoice();
    accept();
}

void TFSelectDevice::BApplyClick()
{
    StoreChoice();
    if (slot_ == 1 && FChannel1 != nullptr)
        FChannel1->InitOutputDevice();
    else if (slot_ == CueSlot && FCUEPlayer != nullptr)
        FCUEPlayer->InitOutputDevice();
}
