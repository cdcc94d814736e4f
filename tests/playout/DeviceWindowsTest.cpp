// What the three device windows share: their captions translated from the station's language file
// at the first showing, and not before.
#include "FakeMixer.h"
#include "TempFolder.h"
#include "controls/LXButton.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "playout/DeviceInformation.h"
#include "playout/MixerWindow.h"
#include "playout/SelectDevice.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

TEST(DeviceWindows, CaptionsAreTranslatedAtTheFirstShowing)
{
    TempFolder folder;
    const QString savedAppDir = AppDir;
    const QString savedLanguage = StationOptions.Language;
    AppDir = folder.Path();
    StationOptions.Language = "castellano";
    QFile file(folder.File("castellano.lng"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[translations]\n"
               "FSelectDevice.BApply.Caption=Aplicar\n"
               "FMixer.LCannotsetvolume.Caption=No se puede\n"
               "FDeviceInformation.LXBSave.Caption=Guardar\n");
    file.close();
    FakeMixer fake;
    fake.AddDevice("Card A");

    TFSelectDevice select;
    TFMixer mixer;
    TFDeviceInformation information;
    const struct {
        QWidget* window;
        std::function<QString()> caption;
        const char* designed;
        const char* translated;
    } cases[] = {
        {&select, [&] { return select.BApply->text(); }, "Apply", "Aplicar"},
        {&mixer, [&] { return mixer.LCannotsetvolume->text(); }, "Cannot set volume", "No se puede"},
        {&information, [&] { return information.LXBSave->Caption(); }, "Save", "Guardar"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.caption(), c.designed) << c.window->objectName().toStdString();
        c.window->show();
        EXPECT_EQ(c.caption(), c.translated) << c.window->objectName().toStdString();
        c.window->hide();
    }
    AppDir = savedAppDir;
    StationOptions.Language = savedLanguage;
}
