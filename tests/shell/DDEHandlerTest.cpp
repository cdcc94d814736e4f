// The station's DDE handler: how execute lines become macros, when they are handed over, and what the
// settings window's consumer queues on channel 1 and when it tells the channel to go on.
#include "ServeWhile.h"
#include "StationFixture.h"
#include "WavWriter.h"

#include "foundation/Log.h"
#include "platform/Messages.h"
#include "playout/Channel1.h"
#include "shell/DDEHandler.h"
#include "shell/Main.h"
#include "shell/ShellNames.h"
#include "shell/UserPassword.h"

#include <QCoreApplication>
#include <QFile>

namespace {

TEST(DDEHandler, LinesAreSplitIntoMacros)
{
    struct Case {
        const char* line;
        QStringList macros;
    };
    const Case cases[] = {
        {R"([Open("/a.mp3")][Open("/b.mp3")])", {R"([Open("/a.mp3")])", R"([Open("/b.mp3")])"}},
        {" \t[Open(\"/a.mp3\")]\r ", {R"([Open("/a.mp3")])"}},
        {"\n[Open(\"/a.mp3\")]\n", {R"([Open("/a.mp3")])"}},
        // Only "][" separates: a blank between two macros keeps them one.
        {R"([Open("/a.mp3")] [Open("/b.mp3")])", {R"([Open("/a.mp3")] [Open("/b.mp3")])"}},
        {R"([A] ][B][C])", {"[A] ]", "[B]", "[C]"}},
        {"", {}},
        {" \x01 ", {}},
    };
    for (const Case& c : cases) {
        TDDEHandler handler("SplitTest");
        handler.SplitMacros(QString::fromUtf8(c.line));
        EXPECT_EQ(handler.Pending, c.macros) << c.line;
    }
}

TEST(DDEHandler, MacrosWaitForTheConsumerAndGoOverInOneCall)
{
    TDDEHandler handler("DispatchTest");
    std::vector<QStringList> calls;
    handler.ExecuteMacro({"[Open(\"/a.mp3\")][Open(\"/b.mp3\")]"});
    handler.ExecuteMacro({"[Open(\"/c.mp3\")]", "", "[Open(\"/d.mp3\")]"});
    handler.SetHandler([&](TDDEHandler* sender, const QStringList& macros) {
        EXPECT_EQ(sender, &handler);
        calls.push_back(macros);
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (QStringList{"[Open(\"/a.mp3\")]", "[Open(\"/b.mp3\")]", "[Open(\"/c.mp3\")]",
                                     "[Open(\"/d.mp3\")]"}));
    EXPECT_TRUE(handler.Pending.isEmpty());
    handler.ExecuteMacro({});
    handler.ExecuteMacro({"", " "});
    EXPECT_EQ(calls.size(), 1u) << "no lines, no call";
    handler.ExecuteMacro({"[Open(\"/e.mp3\")]"});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1], QStringList{"[Open(\"/e.mp3\")]"});
}

TEST(DDEHandler, WithoutAConsumerOnlyTheNewestMacrosWait)
{
    TDDEHandler handler("BoundTest");
    QStringList lines;
    for (int i = 0; i < TDDEHandler::MaxPending + 5; ++i)
        lines.append(QString("[Open(\"/%1.mp3\")]").arg(i));
    handler.ExecuteMacro(lines);
    ASSERT_EQ(handler.Pending.size(), TDDEHandler::MaxPending);
    EXPECT_EQ(handler.Pending.first(), "[Open(\"/5.mp3\")]");
    EXPECT_EQ(handler.Pending.last(), QString("[Open(\"/%1.mp3\")]").arg(TDDEHandler::MaxPending + 4));
}

TEST(DDEHandler, OnlyAnOpenMacroWithAnAbsolutePathOpensAFile)
{
    struct Case {
        const char* macro;
        std::optional<QString> path;
    };
    const Case cases[] = {
        {R"([Open("/music/a b.mp3")])", "/music/a b.mp3"}, {R"([Open("/music/a.mp3"))", "/music/a.mp3"},
        {R"([Open(/music/a.mp3)])", std::nullopt},         {R"([Open("/music/a.mp3)])", std::nullopt},
        {R"([Open("music/a.mp3")])", std::nullopt},        {R"([Open("[LINEIN 5 x ]")])", std::nullopt},
        {"[Open(\"/music/a\tb.mp3\")]", std::nullopt},     {R"( [Open("/music/a.mp3")])", std::nullopt},
        {R"([open("/music/a.mp3")])", std::nullopt},       {R"([Play("/music/a.mp3")])", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenMacroPath(QString::fromUtf8(c.macro)), c.path) << c.macro;
}

// The station up to its settings window, with the posts of WM_PLAYNEXT from outside the channel counted.
class DdeConsumerTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        for (const char* name : {"one.wav", "two.wav"})
            ASSERT_TRUE(testing_support::WriteWav(folder.File(name), {}, 4410,
                                                  testing_support::Sine(440, 0.5, 44100)));
        dialogs.ExpectButton(QMessageBox::Yes);
    }

    // Outside posts carry neither a stream nor a token.
    class PlayNextCounter : public QObject {
    public:
        int posts = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            const auto* message = platform::AsMessage(event);
            if (message && message->Msg() == platform::WM_PLAYNEXT && message->WParamValue() == 0 &&
                message->LParamValue() == 0)
                ++posts;
            return false;
        }
    };

    static QStringList QueuedFiles()
    {
        QStringList files;
        for (int i = 0; i < FChannel1->Queue().Count(); ++i)
            files.append(FChannel1->Queue().Entry(i).FileName);
        return files;
    }

    // Lets the consumer's remaining slices and the posts to the channel run.
    static void FinishHandOver()
    {
        while (FMain->FilesWaitingToEnqueue() > 0)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(FChannel1);
    }

    static QString LogText()
    {
        QFile file(Log.FileName);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(DdeConsumerTest, OnlyAbsoluteFilePathsAreQueuedAndTheChannelGoesOnOnlyWhenOneWas)
{
    WriteProgramFile("nologin.txt", "");
    const QString one = folder.File("one.wav");
    const QString two = folder.File("two.wav");
    struct Case {
        const char* name;
        QStringList macros;
        QStringList queued;
        int posts;
    };
    const Case cases[] = {
        {"no macro", {}, {}, 0},
        {"only refused macros",
         {"[Open(/x.wav)]", "[Open(\"/x.wav)]", "[Open(\"x.wav\")]", "[Open(\"[LINEIN 5 x ]\")]",
          "[Run(\"/x\")]"},
         {},
         0},
        {"an unreadable file", {"[Open(\"/nonexistent/x.wav\")]"}, {}, 0},
        {"two files and a refused macro", {OpenMacro(one), "[LABEL x]", OpenMacro(two)}, {one, two}, 1},
    };
    PlayNextCounter counter;
    RunStation({{"S11", [&] {
                     FChannel1->installEventFilter(&counter);
                     for (const Case& c : cases) {
                         const QStringList before = QueuedFiles();
                         counter.posts = 0;
                         FMain->TEDDdeServerExecuteMacro(DDEHandler, c.macros);
                         FinishHandOver();
                         EXPECT_EQ(QueuedFiles().mid(before.size()), c.queued) << c.name;
                         EXPECT_EQ(counter.posts, c.posts) << c.name;
                     }
                     EXPECT_TRUE(
                         LogText().contains("DDE request refused: 5 macro(s) that open no file, the first: "
                                            "[Open(/x.wav)]"))
                         << qPrintable(LogText());
                     CloseSettingsWindow();
                 }}});
}

TEST_F(DdeConsumerTest, ALongHandOverIsAppendedInSlicesInOrderWithOnePostAfterTheLast)
{
    WriteProgramFile("nologin.txt", "");
    QStringList files;
    for (int i = 0; i < 60; ++i)
        files.append(folder.File(i % 2 == 0 ? "one.wav" : "two.wav"));
    QStringList macros;
    for (const QString& file : files)
        macros.append(OpenMacro(file));
    PlayNextCounter counter;
    RunStation({{"S11", [&] {
                     FChannel1->installEventFilter(&counter);
                     FMain->TEDDdeServerExecuteMacro(DDEHandler, macros);
                     // The channel's own events are served between slices.
                     EXPECT_GT(FMain->FilesWaitingToEnqueue(), 0);
                     EXPECT_LT(FChannel1->Queue().Count(), 60);
                     FinishHandOver();
                     EXPECT_EQ(QueuedFiles(), files);
                     EXPECT_EQ(counter.posts, 1);
                     CloseSettingsWindow();
                 }}});
}

TEST_F(DdeConsumerTest, RequestsWhileTheLoginWaitsAreQueuedAfterItInArrivalOrder)
{
    const QString one = folder.File("one.wav");
    const QString two = folder.File("two.wav");
    PlayNextCounter counter;
    RunStation(
        {{"E4",
          [&] {
              const QString service = platform::DdeServiceName(QCoreApplication::applicationFilePath());
              for (const QString& file : {one, two}) {
                  const platform::DdeReply reply = ServeWhile([&] {
                      return platform::DdeExecute(service, MacrosTopic, OpenMacro(file).toUtf8(), 5000);
                  });
                  EXPECT_EQ(reply.result, platform::DdeResult::Ack) << qPrintable(reply.reason);
              }
              EXPECT_EQ(DDEHandler->Pending, (QStringList{OpenMacro(one), OpenMacro(two)}));
              FChannel1->installEventFilter(&counter);
              FUserPassword->EnterWithoutUser();
          }},
         {"S11", [&] {
              QCoreApplication::sendPostedEvents(FChannel1);
              EXPECT_EQ(QueuedFiles(), (QStringList{one, two}));
              EXPECT_EQ(counter.posts, 1);
              CloseSettingsWindow();
          }}});
}

} // namespace
