#include "playout/DeviceInformation.h"

#include "controls/LXButton.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/FileReplace.h"
#include "platform/Messages.h"
#include "platform_gui/Dialogs.h"
#include "playout/AudioMixer.h"
#include "playout/MixerReport.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>

TFDeviceInformation::TFDeviceInformation() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName("FDeviceInformation");
    setWindowTitle("Device information");
    platform::RegisterWindow(this, "TFDeviceInformation");
    resize(520, 420);

    LBMemo = Named(new QListWidget(this), "LBMemo");
    LBMemo->setStyleSheet("QListWidget { background: black; color: white; }");
    LBMemo->setUniformItemSizes(true);
    LXBSave = Named(new TLXButton(this), "LXBSave");
    LXBSave->SetCaption("Save");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LBMemo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(LXBSave);
    layout->addLayout(buttons);

    LangDeviceInformation.Properties.append("FDeviceInformation.LXBSave.Caption");
    connect(LXBSave, &TLXButton::OnClick, this, &TFDeviceInformation::LXBSaveClick);
    CloseOnEscape(this);
}

void TFDeviceInformation::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) // the window system showing it again, not a new showing
        return;
    if (firstShow_) {
        firstShow_ = false;
        LangDeviceInformation.LanguageFile = AppDir + StationOptions.Language + ".lng";
        LangDeviceInformation.Translate();
    }
    BuildReport();
    CentreOnScreen(this);
}

void TFDeviceInformation::BuildReport()
{
    TAudioMixer mixer;
    LBMemo->clear();
    LBMemo->addItems(MixerReport(mixer));
}

void TFDeviceInformation::LXBSaveClick()
{
    platform::FileDialogOptions options;
    options.filter = "Text files|*.txt|All files|*.*";
    options.defaultExtension = "txt";
    options.promptOverwrite = true;
    const QString path = platform::SaveFile(options);
    if (path.isEmpty())
        return;
    QString text;
    for (int row = 0; row < LBMemo->count(); ++row)
        text += LBMemo->item(row)->text() + u'\n';
    QString error;
    if (!platform::ReplaceFile(path, text.toUtf8(), error))
        platform::MessageBox("Error", "Cannot write " + path + ": " + error, QMessageBox::Critical);
}
