// The class maps of the skin components name classes of this system under the names they really carry:
// a class renamed without its map line would quietly lose its skin.
#include "controls/Knob.h"
#include "controls/LXButton.h"
#include "controls/LXLabel.h"
#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "controls/LXTrackBar.h"
#include "controls/LbButton.h"
#include "controls/LbSpeedButton.h"
#include "controls/NKScrollLabel.h"
#include "shell/Main.h"
#include "skin/ControlDiscovery.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(SkinClassMap, EveryMappedNameIsAClassOfTheSystem)
{
    // The controls library's and the program's own control classes.
    const std::vector<const QMetaObject*> classes = {
        &TLXButton::staticMetaObject,        &TLXTrackBar::staticMetaObject,
        &TLXListBox::staticMetaObject,       &TLXMyListBox::staticMetaObject,
        &TLXHeaderControl::staticMetaObject, &TLXLabel::staticMetaObject,
        &TLXSpeedButton::staticMetaObject,   &TLbButton::staticMetaObject,
        &TLbSpeedButton::staticMetaObject,   &TKnob::staticMetaObject,
        &TNKScrollLabel::staticMetaObject};
    for (const QStringList& map : {BuiltInClassMap(), TFMain::StoredSkinClassMap()}) {
        ASSERT_FALSE(map.isEmpty());
        for (const QString& line : map) {
            const QString name = line.section(u'=', 0, 0);
            const auto real = std::find_if(classes.begin(), classes.end(), [&name](const QMetaObject* meta) {
                return QString::fromLatin1(meta->className()) == name;
            });
            ASSERT_NE(real, classes.end()) << qPrintable(line);
            // The map finds the line by the class's own name.
            EXPECT_EQ(ClassMapKind(map, QString::fromLatin1((*real)->className())),
                      line.section(u'=', 1).toLower())
                << qPrintable(line);
        }
    }
}

TEST(SkinClassMap, TheSettingsWindowsMapLeavesTheLibrarysButtonToThePushButtonTest)
{
    EXPECT_EQ(ClassMapKind(BuiltInClassMap(), "TLXButton"), QStringLiteral("bitbtn"));
    EXPECT_EQ(ClassMapKind(TFMain::StoredSkinClassMap(), "TLXButton"), std::nullopt);
    EXPECT_EQ(ClassMapKind(TFMain::StoredSkinClassMap(), "TLXTrackBar"), QStringLiteral("panel"));
}
