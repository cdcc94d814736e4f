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
#include <QDir>
#include <QFile>

#include <sys/stat.h>

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
        // Inside the quoted path "][" is part of the name.
        {R"([Open("/Song [Live][Remix].mp3")])", {R"([Open("/Song [Live][Remix].mp3")])"}},
        {R"([Open("/a][b.mp3")][Open("/c.mp3")])", {R"([Open("/a][b.mp3")])", R"([Open("/c.mp3")])"}},
        {"", {}},
        {" \x01 ", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TDDEHandler::SplitMacros(QString::fromUtf8(c.line)), c.macros) << c.line;
}

// Files that exist, in a folder of the test's own, and the Open macros naming them.
class Songs {
public:
    Songs() { EXPECT_TRUE(folder_.IsValid()); }
    QString Path(const QString& name) const
    {
        const QString path = folder_.File(name);
        if (QFile file(path); !file.exists()) {
            EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
        }
        return path;
    }
    QString Macro(const QString& name) const { return OpenMacro(Path(name)); }
    QString Missing(const QString& name) const { return folder_.File(name); }

private:
    TempFolder folder_;
};

TEST(DDEHandler, MacrosWaitForTheConsumerAndGoOverInOneCall)
{
    const Songs songs;
    const QString a = songs.Macro("a.mp3"), b = songs.Macro("b.mp3"), c = songs.Macro("c.mp3"),
                  d = songs.Macro("d.mp3"), e = songs.Macro("e.mp3");
    TDDEHandler handler("DispatchTest");
    std::vector<QStringList> calls;
    EXPECT_EQ(handler.ExecuteMacro({a + b}), "");
    EXPECT_EQ(handler.ExecuteMacro({c, "", d}), "");
    handler.SetHandler([&](TDDEHandler* sender, const QStringList& macros) {
        EXPECT_EQ(sender, &handler);
        calls.push_back(macros);
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (QStringList{a, b, c, d}));
    EXPECT_TRUE(handler.Pending.isEmpty());
    handler.ExecuteMacro({});
    handler.ExecuteMacro({"", " "});
    EXPECT_EQ(calls.size(), 1u) << "no lines, no call";
    handler.ExecuteMacro({e});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1], QStringList{e});
}

TEST(DDEHandler, OnlyWhatWaitsForAConsumerIsCappedAndARequestPastTheCapIsRefusedWhole)
{
    const Songs songs;
    const QString macro = songs.Macro("song.mp3");
    // A quarter of what may wait, in macros.
    const int quarter = int(TDDEHandler::MaxPendingCharacters / macro.size() / 4);
    struct Case {
        const char* name;
        bool consumer;             // connected before the requests
        std::vector<int> quarters; // the requests
        std::vector<bool> refused; // each request
        int handedOver;            // in quarters, once a consumer is connected
    };
    const Case cases[] = {
        {"a consumer takes more than would wait", true, {3, 3}, {false, false}, 6},
        {"the first request to a starting station fits", false, {4}, {false}, 4},
        {"a request past the cap waits for nothing", false, {3, 2, 1}, {false, true, false}, 4},
    };
    for (const Case& c : cases) {
        TDDEHandler handler("CapTest");
        int handedOver = 0;
        const auto consumer = [&](TDDEHandler*, const QStringList& macros) {
            handedOver += int(macros.size());
        };
        if (c.consumer)
            handler.SetHandler(consumer);
        for (size_t i = 0; i < c.quarters.size(); ++i) {
            const int macros = c.quarters[i] * quarter;
            const qsizetype waiting = handler.Pending.size();
            const QString refusal =
                QString("%1 file(s) not queued: %2 file(s) already wait for the station to start")
                    .arg(macros)
                    .arg(waiting);
            EXPECT_EQ(handler.ExecuteMacro({macro.repeated(macros)}), c.refused[i] ? refusal : QString())
                << c.name << " " << i;
        }
        handler.SetHandler(consumer);
        EXPECT_EQ(handedOver, c.handedOver * quarter) << c.name;
    }
}

TEST(DDEHandler, MacrosThatOpenNoRegularFileAreRefusedAndTheRestKept)
{
    const Songs songs;
    const QString a = songs.Macro("a.mp3"), c = songs.Macro("c.mp3");
    const QString fifo = songs.Missing("evil.mp3");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = songs.Missing("folder.mp3");
    ASSERT_TRUE(QDir().mkpath(folder));
    TDDEHandler handler("RefuseTest");
    const QString answer = handler.ExecuteMacro({a + "[LABEL x]", "[Open(\"b.mp3\")]", "", " " + c + " ",
                                                 OpenMacro(songs.Missing("gone.mp3")), "[Open(/d.mp3)]",
                                                 OpenMacro(fifo), OpenMacro(folder)});
    EXPECT_EQ(answer, "3 macro(s) that open no file, the first: [LABEL x]; 3 file(s) missing or not regular "
                      "files, the first: " +
                          songs.Missing("gone.mp3"));
    EXPECT_EQ(handler.Pending, (QStringList{a, c}));
    // A long refused macro is named by its beginning.
    EXPECT_EQ(handler.ExecuteMacro({"[Run(" + QString(200, 'x') + ")]"}),
              "1 macro(s) that open no file, the first: [Run(" + QString(95, 'x'));
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

// Through the station's conversation, as the desktop's client sends it: the answer says what was refused,
// and every file it took is queued.
TEST_F(DdeConsumerTest, TheAnswerNamesWhatWasRefusedAndEveryFileTakenIsQueued)
{
    WriteProgramFile("nologin.txt", "");
    const QString one = folder.File("one.wav");
    const QString two = folder.File("two.wav");
    const QString song = folder.File("Song [Live][Remix].wav");
    ASSERT_TRUE(QFile::copy(one, song));
    const QString noise = folder.File("noise.wav");
    ASSERT_TRUE(QFile(noise).open(QIODevice::WriteOnly));
    QString manyText;
    QStringList many;
    for (int i = 0; i < 1500; ++i) {
        many.append(i % 2 == 0 ? one : two);
        manyText += OpenMacro(many.last());
    }
    struct Case {
        const char* name;
        QString text;
        QString refused; // empty: acknowledged
        QStringList queued;
    };
    const Case cases[] = {
        {"no macro", "", "", {}},
        {"1500 files", manyText, "", many},
        {"a name holding ][", OpenMacro(song), "", {song}},
        {"two files and refused macros",
         OpenMacro(one) + "\n[LABEL x]\n[Open(/x.wav)]\n[Open(\"x.wav\")]\n" + OpenMacro(two),
         "3 macro(s) that open no file, the first: [LABEL x]",
         {one, two}},
        {"a refused macro holding control characters",
         "[Open(\"x\x1b[2J\r.wav\")]",
         R"(1 macro(s) that open no file, the first: [Open("x\x1B[2J\x0D.wav")])",
         {}},
        {"a missing file",
         "[Open(\"/nonexistent/x.wav\")]",
         "1 file(s) missing or not regular files, the first: /nonexistent/x.wav",
         {}},
        {"a file that is no sound", OpenMacro(noise), "", {}},
    };
    RunStation({{"S11", [&] {
                     // Paused on an entry, so the queue stays as the cases leave it.
                     FChannel1->AddItem(one, 1);
                     FChannel1->Playback().PlayItemAt(0);
                     QCoreApplication::sendPostedEvents(&FChannel1->Playback());
                     FChannel1->Playback().PlayPauseClick(true);
                     const QString service =
                         platform::DdeServiceName(QCoreApplication::applicationFilePath());
                     for (const Case& c : cases) {
                         const QStringList before = QueuedFiles();
                         const platform::DdeReply reply = ServeWhile([&] {
                             return platform::DdeExecute(service, MacrosTopic, c.text.toUtf8(), 5000);
                         });
                         EXPECT_EQ(reply.result,
                                   c.refused.isEmpty() ? platform::DdeResult::Ack : platform::DdeResult::Nack)
                             << c.name;
                         EXPECT_EQ(reply.reason, c.refused) << c.name;
                         FinishHandOver();
                         EXPECT_EQ(QueuedFiles().mid(before.size()), c.queued) << c.name;
                         if (!c.refused.isEmpty()) {
                             EXPECT_TRUE(LogText().contains("DDE request refused: " + c.refused + "\r\n"))
                                 << c.name << qPrintable(LogText());
                         }
                     }
                     CloseSettingsWindow();
                 }}});
}

// The enqueue starts channel 1 only when nothing plays or waits paused there; else the entry on air
// keeps its place and the files follow it.
TEST_F(DdeConsumerTest, AnEnqueueStartsOnlyAnIdleChannel)
{
    WriteProgramFile("nologin.txt", "");
    const QString one = folder.File("one.wav");
    const QString longer = folder.File("long.wav");
    ASSERT_TRUE(testing_support::WriteWav(longer, {}, 30 * 44100, testing_support::Sine(440, 0.5, 44100)));
    const auto start = [&] {
        FChannel1->AddItem(longer, 1);
        FChannel1->Playback().PlayItemAt(0);
        QCoreApplication::sendPostedEvents(&FChannel1->Playback());
    };
    struct Case {
        const char* name;
        std::function<void()> before;
        QString file; // enqueued
        int posts;
        int index; // the current entry afterwards
    };
    const Case cases[] = {
        {"an empty queue", [] {}, one, 1, 0},
        {"an empty queue, a file that cannot be read", [] {}, "/nonexistent/x.wav", 0, -1},
        {"a stopped channel",
         [&] {
             start();
             FChannel1->Playback().StopAll();
         },
         one, 1, 0},
        {"an entry playing", start, one, 0, 0},
        {"an entry paused",
         [&] {
             start();
             FChannel1->Playback().PlayPauseClick(true);
         },
         one, 0, 0},
    };
    PlayNextCounter counter;
    RunStation({{"S11", [&] {
                     FChannel1->installEventFilter(&counter);
                     for (const Case& c : cases) {
                         FChannel1->Playback().StopAll();
                         FChannel1->Queue().ResetChannel();
                         c.before();
                         const bool paused = FChannel1->Queue().Paused;
                         counter.posts = 0;
                         FMain->TEDDdeServerExecuteMacro(DDEHandler, {OpenMacro(c.file)});
                         FinishHandOver();
                         QCoreApplication::sendPostedEvents(&FChannel1->Playback());
                         EXPECT_EQ(counter.posts, c.posts) << c.name;
                         EXPECT_EQ(FChannel1->Queue().ItemIndex(), c.index) << c.name;
                         EXPECT_EQ(FChannel1->Queue().Paused, paused) << c.name;
                     }
                     FChannel1->Playback().StopAll();
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
