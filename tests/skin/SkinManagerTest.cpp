// The skin component and the manager with the builder's package: which windows are taken over and
// when, giving them back, the pending actions, and packages that fail.
#include "skin/SkinManager.h"
#include "DialogAnswerer.h"
#include "SkinKit.h"
#include "skin/WindowSkinner.h"

#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

using Window = PlainWindow;

TEST(SkinManager, ActiveSkinsTheShownWindowsAndAWindowShownLater)
{
    SkinKit kit;
    Window shown;
    SkinKit::ShowActive(&shown);
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    ASSERT_NE(SkinKit::SkinnerOf(&shown), nullptr);
    EXPECT_TRUE(shown.windowFlags().testFlag(Qt::FramelessWindowHint));

    Window hidden;
    EXPECT_EQ(SkinKit::SkinnerOf(&hidden), nullptr);
    hidden.show();
    EXPECT_NE(SkinKit::SkinnerOf(&hidden), nullptr); // at its showing, before it is mapped
}

TEST(SkinManager, SwitchedOffEveryWindowIsPlainAgainWithItsSizes)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    const QPoint place = window.pos();
    kit.Load(kit.Write(skinbuilder::StandardFixture()));
    ASSERT_NE(SkinKit::SkinnerOf(&window), nullptr);
    EXPECT_EQ(window.contentsRect().size(), QSize(300, 200)); // the client keeps its size
    EXPECT_EQ(window.size(), QSize(300 + 6 + 6, 200 + 24 + 6));

    kit.data->SetActive(false);
    kit.RunPending();
    EXPECT_TRUE(SkinManager->Skinners().empty());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(window.contentsRect().size(), QSize(300, 200));
    EXPECT_EQ(window.pos(), place);
    EXPECT_TRUE(window.mask().isEmpty());

    Window later; // stays plain
    later.show();
    EXPECT_EQ(SkinKit::SkinnerOf(&later), nullptr);
}

TEST(SkinManager, RefusesTag99PopupsAndPreviewsButTakesMessageBoxes)
{
    SkinKit kit;
    Window running;
    SkinKit::ShowActive(&running);
    kit.data->DisableTag = 5; // the window test uses the literal 99
    kit.Load(kit.Write(skinbuilder::StandardFixture()));

    Window tagged;
    tagged.setProperty("Tag", 99);
    tagged.show();
    EXPECT_EQ(SkinKit::SkinnerOf(&tagged), nullptr);

    QWidget popup(nullptr, Qt::Popup);
    popup.resize(50, 50);
    popup.show();
    EXPECT_EQ(SkinKit::SkinnerOf(&popup), nullptr);

    QMessageBox box(QMessageBox::Information, "Sonvela Zodu", "Skinned?");
    box.show();
    TWndSkinForm* skinner = SkinKit::SkinnerOf(&box);
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->BorderKind(), bkDialog);
    const QImage picture = box.grab().toImage();
    EXPECT_EQ(ObjectAt(picture, QPoint(2, picture.height() / 2)), LeftId);
}

TEST(SkinManager, OneActionPendsAndAPendingActivationAbsorbsASkinChange)
{
    SkinKit kit;
    Window running;
    SkinKit::ShowActive(&running);
    SkinManager->SetCurrent(kit.data.get());
    SkinManager->PostAction(saSkinChanged, 1000);
    SkinManager->PostAction(saActivate, 1000);
    EXPECT_EQ(SkinManager->PendingAction(), saActivate);
    // A skin switched right after activation: still an activation, or no window would be skinned.
    SkinManager->PostAction(saSkinChanged, 1000);
    EXPECT_EQ(SkinManager->PendingAction(), saActivate);
    SkinManager->PostAction(saDeactivate, 1000);
    EXPECT_EQ(SkinManager->PendingAction(), saDeactivate);
}

TEST(SkinManager, AfterAStartWithoutUsableSkinLoadSkinStillSkins)
{
    SkinKit kit;
    Window window;
    SkinKit::ShowActive(&window);
    // A fresh station: the saved skin is empty, so SkinFile names the folder.
    kit.data->SetSkinFile(kit.dir.path() + "/");
    kit.data->SetActive(true);
    kit.RunPending();
    EXPECT_TRUE(kit.data->Active());
    EXPECT_EQ(SkinKit::SkinnerOf(&window), nullptr);

    kit.Load(kit.Write(skinbuilder::StandardFixture())); // "Load skin": Active is already true
    EXPECT_NE(SkinKit::SkinnerOf(&window), nullptr);
}

// A package that does not load leaves the skin in use as it was: its name, every skinned window,
// and windows shown later. Only the out-of-date package shows its box; the rest is for the caller.
TEST(SkinManager, APackageThatDoesNotLoadKeepsTheSkinInUse)
{
    skinbuilder::SkinFixture old = skinbuilder::StandardFixture();
    old.version = 19999;
    QByteArray truncated = skinbuilder::StandardFixture().Package();
    truncated.truncate(truncated.size() / 3);
    const struct {
        const char* name;
        QByteArray package;
        bool box;
    } cases[] = {
        {"an old version", old.Package(), true},
        {"a truncated package", truncated, false},
        {"no skin description", skinbuilder::SkinPackage({{"title.bmp", "x"}}), false},
    };
    for (const auto& c : cases) {
        SkinKit kit;
        Window window;
        SkinKit::ShowActive(&window);
        const QString good = kit.Write(skinbuilder::StandardFixture());
        kit.Load(good);
        ASSERT_NE(SkinKit::SkinnerOf(&window), nullptr) << c.name;

        ScriptedDialogAnswerer boxes;
        if (c.box)
            boxes.ExpectButton(QMessageBox::Ok);
        EXPECT_FALSE(kit.data->SetSkinFile(kit.WriteBytes(c.package, "bad.skn"))) << c.name;
        kit.RunPending();
        if (c.box) {
            ASSERT_EQ(boxes.Shown().size(), 1) << c.name;
            EXPECT_EQ(boxes.Shown()[0].text, "This is Older Skin File\rPlease update to new version !");
            EXPECT_TRUE(kit.data->LoadError().isEmpty()) << c.name;
        } else {
            EXPECT_TRUE(boxes.Shown().isEmpty()) << c.name;
            EXPECT_TRUE(kit.data->LoadError().startsWith("Damaged skin package: ")) << c.name;
        }
        EXPECT_EQ(kit.data->SkinFile(), good) << c.name;
        EXPECT_FALSE(kit.data->NoSkin()) << c.name;
        EXPECT_NE(SkinKit::SkinnerOf(&window), nullptr) << c.name;
        EXPECT_EQ(window.contentsRect().size(), QSize(300, 200)) << c.name;

        Window later;
        SkinKit::ShowActive(&later);
        kit.RunPending();
        EXPECT_NE(SkinKit::SkinnerOf(&later), nullptr) << c.name;
    }
}

// The settings window's component goes at the station's end; one made after it (the next run in the
// same program) skins its windows as the first did.
TEST(SkinManager, AComponentMadeAfterTheLastOneWentStartsAfresh)
{
    SkinKit kit;
    const QString package = kit.Write(skinbuilder::StandardFixture());
    {
        Window first;
        SkinKit::ShowActive(&first);
        kit.Load(package);
        ASSERT_NE(SkinKit::SkinnerOf(&first), nullptr);
        kit.data = std::make_unique<TSkinData>();
    }
    kit.data->finishLoading();
    Window second;
    SkinKit::ShowActive(&second);
    // A start without a saved skin, then "Load skin".
    kit.data->SetSkinFile(kit.dir.path() + "/");
    kit.data->SetActive(true);
    kit.Load(package);
    EXPECT_NE(SkinKit::SkinnerOf(&second), nullptr);
}

TEST(SkinManager, DefaultSkinControlsAfterLoading)
{
    SkinKit kit;
    const TSkinControlTypes controls = kit.data->SkinControls;
    EXPECT_TRUE(controls.testFlag(xcMainMenu));
    EXPECT_TRUE(controls.testFlag(xcSystemMenu));
    EXPECT_TRUE(controls.testFlag(xcScrollbar));
    EXPECT_FALSE(controls.testFlag(xcMenuItem));
    EXPECT_FALSE(controls.testFlag(xcReportWindows));
    EXPECT_EQ(kit.data->Options, TSkinOptions(xoPreview | xoToolbarBK));
    EXPECT_EQ(kit.data->SkinStore(), "(none)");
}
