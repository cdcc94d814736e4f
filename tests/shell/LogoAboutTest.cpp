// The logo window's picture and its path, and the about window's key to the author window.
#include "DialogAnswerer.h"
#include "TempFolder.h"

#include "foundation/General.h"
#include "foundation_gui/Settings.h"
#include "platform/IniFile.h"
#include "platform_gui/PageControl.h"
#include "shell/About.h"
#include "shell/Logo.h"
#include "shell/MyAbout.h"
#include "shell/Pictures.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

enum class Content { None, Good, Garbage, Metafile };

struct LogoCase {
    const char* name;
    const char* logoFile;     // the stored path, relative to the station folder
    Content stored;           // what that file holds
    Content fallback;         // what "logo.bmp" of the station folder holds
    QSize expectedSize;       // the picture's and the window's size
    const char* expectedPath; // what the next save writes, relative to the station folder
};

const QSize BuiltIn(-1, -1); // the built-in picture's size, known once the application runs
const QSize Stored(64, 48);
const QSize Fallback(50, 30);

void Write(const QString& path, Content content, QSize size)
{
    switch (content) {
    case Content::None:
        return;
    case Content::Good: {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        ASSERT_TRUE(image.save(path, path.endsWith(".png") ? "PNG" : "BMP"));
        return;
    }
    case Content::Garbage:
    case Content::Metafile: {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // A placeable metafile's header, which the picture reader does not know.
        file.write(content == Content::Metafile
                       ? QByteArray::fromHex("d7cdc69a000000000000e803e80360") + QByteArray(64, 1)
                       : QByteArray("BM this is not a bitmap at all"));
        return;
    }
    }
}

class LogoTest : public ::testing::TestWithParam<LogoCase> {
protected:
    void SetUp() override
    {
        savedAppDir = AppDir;
        savedLogo = LogoFile;
        AppDir = folder.Path();
    }
    void TearDown() override
    {
        AppDir = savedAppDir;
        LogoFile = savedLogo;
        SettingsIni.reset();
    }

    TempFolder folder;
    QString savedAppDir;
    QString savedLogo;
};

TEST_P(LogoTest, PictureSizeAndSavedPath)
{
    const LogoCase& c = GetParam();
    Write(folder.File(c.logoFile), c.stored, Stored);
    Write(folder.File("logo.bmp"), c.fallback, Fallback);
    TFLogo logo;
    LogoFile = folder.File(c.logoFile);
    logo.LoadLogo();

    const QSize expected = c.expectedSize == BuiltIn ? BuiltInLogo().size() : c.expectedSize;
    EXPECT_EQ(logo.Image1->pixmap().size(), expected);
    EXPECT_EQ(logo.size(), expected);
    EXPECT_EQ(LogoFile, folder.File(c.expectedPath));

    SettingsIni = std::make_unique<platform::IniFile>(folder.File("Sonvelazodu.ini"));
    SaveSettings({});
    EXPECT_EQ(platform::IniFile(folder.File("Sonvelazodu.ini")).ReadString("logo", "file", {}),
              folder.File(c.expectedPath));
}

INSTANTIATE_TEST_SUITE_P(Files, LogoTest,
                         ::testing::Values(LogoCase{"MissingFallsBackToBuiltIn", "gone.bmp", Content::None,
                                                    Content::None, BuiltIn, "logo.bmp"},
                                           LogoCase{"MissingFallsBackToStationLogo", "gone.bmp",
                                                    Content::None, Content::Good, Fallback, "logo.bmp"},
                                           LogoCase{"GoodBitmap", "station.bmp", Content::Good, Content::Good,
                                                    Stored, "station.bmp"},
                                           LogoCase{"GoodPng", "station.png", Content::Good, Content::None,
                                                    Stored, "station.png"},
                                           LogoCase{"BadFileKeepsPicture", "station.bmp", Content::Garbage,
                                                    Content::Good, BuiltIn, "station.bmp"},
                                           LogoCase{"MetafileKeepsPicture", "station.wmf", Content::Metafile,
                                                    Content::None, BuiltIn, "station.wmf"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogoTest, BadFileKeepsThePreviousPicture)
{
    Write(folder.File("first.bmp"), Content::Good, Stored);
    Write(folder.File("bad.bmp"), Content::Garbage, {});
    TFLogo logo;
    LogoFile = folder.File("first.bmp");
    logo.LoadLogo();
    LogoFile = folder.File("bad.bmp");
    logo.LoadLogo();
    EXPECT_EQ(logo.Image1->pixmap().size(), Stored);
    EXPECT_EQ(logo.size(), Stored);
}

TEST_F(LogoTest, FirstShowingReadsTheSettings)
{
    Write(folder.File("station.bmp"), Content::Good, Stored);
    platform::IniFile(folder.File("Sonvelazodu.ini")).WriteString("logo", "file", folder.File("station.bmp"));
    SettingsIni = std::make_unique<platform::IniFile>(folder.File("Sonvelazodu.ini"));
    TFLogo logo;
    logo.show();
    EXPECT_EQ(LogoFile, folder.File("station.bmp"));
    EXPECT_EQ(logo.size(), Stored);
    // Later showings keep what was loaded.
    logo.hide();
    SettingsIni->WriteString("logo", "file", folder.File("gone.bmp"));
    logo.show();
    EXPECT_EQ(LogoFile, folder.File("station.bmp"));
}

struct KeyCase {
    const char* name;
    Qt::KeyboardModifiers modifiers;
    bool opens;
};

class AboutKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AboutKeyTest, CtrlAltAOpensTheAuthorWindow)
{
    const KeyCase& c = GetParam();
    TFAbout about;
    TFMyAbout author;
    FMyAbout = &author;
    {
        ScriptedDialogAnswerer answerer;
        if (c.opens)
            answerer.ExpectWindow(QMessageBox::Ok, {});
        QTest::keyClick(&about, Qt::Key_A, c.modifiers);
        if (c.opens) {
            ASSERT_EQ(answerer.Shown().size(), 1);
            EXPECT_EQ(answerer.Shown()[0].caption, "About");
        }
    }
    FMyAbout = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AboutKeyTest,
    ::testing::Values(
        KeyCase{"CtrlAlt", Qt::ControlModifier | Qt::AltModifier, true},
        KeyCase{"CtrlAltKeypad", Qt::ControlModifier | Qt::AltModifier | Qt::KeypadModifier, true},
        KeyCase{"CtrlAltShift", Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, false},
        KeyCase{"CtrlOnly", Qt::ControlModifier, false}, KeyCase{"AltOnly", Qt::AltModifier, false},
        KeyCase{"None", Qt::NoModifier, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AboutTest, ReleaseCaptionAndClientSize)
{
    TFAbout about;
    EXPECT_EQ(about.windowTitle(), "About of");
    EXPECT_EQ(about.LRelease->text(), "Sonvela 1.5");
    EXPECT_EQ(about.size(), about.IAbout->pixmap().size());
}

TEST(MyAboutTest, EveryShowingSelectsTheAuthorPage)
{
    TFMyAbout author;
    EXPECT_EQ(author.windowTitle(), "About");
    EXPECT_EQ(author.OKButton->text(), "&Close");
    for (int showing = 0; showing < 2; ++showing) {
        author.PC->SetActivePageIndex(1);
        author.show();
        EXPECT_EQ(author.PC->ActivePage(), author.TSAuthor);
        QTest::mouseClick(author.OKButton, Qt::LeftButton);
        EXPECT_FALSE(author.isVisible());
    }
}

} // namespace
