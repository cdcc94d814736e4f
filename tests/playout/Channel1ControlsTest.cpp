// Channel 1's window playing on device 0's manual clock: the position bar, the pitch, the visualiser
// switch, muting, the list's pre-listen, information and combination items, and the window's set-up
// and end.
#include "DialogAnswerer.h"
#include "FakeMixer.h"
#include "QueueFixture.h"
#include "WavWriter.h"
#include "audioinfo/OFileData.h"
#include "audiolib/AudioLib.h"
#include "controls/Knob.h"
#include "controls/LXLEDLabel.h"
#include "controls/LXTrackBar.h"
#include "controls/LbButton.h"
#include "controls/LbSpeedButton.h"
#include "foundation/General.h"
#include "foundation/QueueEntryText.h"
#include "menus/PMEditItem.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceTables.h"
#include "playout/QueueMimeTypes.h"
#include "playout/StationIdMenu.h"
#include "playout/VisualBox.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QSlider>
#include <QTest>

#include <memory>

namespace {

constexpr int64_t Second = 44100;

class Channel1ControlsTest : public QueueFixture {
protected:
    std::unique_ptr<TFChannel1> window = std::make_unique<TFChannel1>();

    Channel1ControlsTest()
    {
        StationOptions.ChannelVolume[1] = 100;
        window->resize(500, 600);
        window->DoFirstShow();
    }

    void TearDown() override
    {
        if (window) {
            window->Playback().NextEntry().Drop();
            window->Playback().NextEntry().WaitIdle();
        }
        window.reset();
        QueueFixture::TearDown();
    }

    // A 44.1 kHz (or `rate`) stereo file of `frames` frames.
    QString Frames(const QString& name, int64_t frames, int rate = 44100)
    {
        const QString path = folder.File(name);
        EXPECT_TRUE(
            testing_support::WriteWav(path, {rate, 2, 16}, frames, testing_support::Sine(440, 0.5, rate)));
        return path;
    }

    // The files queued, and started by a click on Play.
    void Start(const QStringList& paths)
    {
        for (const QString& path : paths)
            ASSERT_GE(window->Queue().AddItem(path, 1), 0);
        window->show();
        QTest::mouseClick(window->BPlayPause, Qt::LeftButton);
        Deliver();
        ASSERT_TRUE(ChannelIsPlaying(1));
    }

    void Deliver()
    {
        for (int round = 0; round < 10; ++round) {
            QCoreApplication::sendPostedEvents(&window->Playback(), 0);
            QCoreApplication::sendPostedEvents(window.get(), 0);
            window->Playback().NextEntry().WaitIdle();
        }
    }

    void Advance(int64_t frames)
    {
        ASSERT_TRUE(audiolib::NullAdvance(frames));
        Deliver();
    }

    static int64_t Heard() { return audiolib::ChannelGetPosition(ChannelStream(1)); }
    static int Frequency()
    {
        int frequency = 0;
        audiolib::ChannelGetAttributes(ChannelStream(1), &frequency, nullptr, nullptr);
        return frequency;
    }
};

} // namespace

TEST_F(Channel1ControlsTest, TicksFollowThePlayAndOnlyTheOperatorSeeks)
{
    Start({Frames("ten.wav", 10 * Second)});
    QSlider* bar = window->TB;
    Advance(3 * Second);
    const int64_t remaining = window->Queue().RemainingMs();
    window->TSongTimer();
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(window->LEDTiempoCuentaAtras->Caption(), "00:07");
    EXPECT_EQ(window->Queue().RemainingMs(), remaining - 500);

    // A tick that leaves the bar where it was seeks nothing, and the operator's next move is taken.
    const int64_t heard = Heard();
    window->TSongTimer();
    EXPECT_EQ(Heard(), heard);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(ChannelPositionSeconds(1), 4);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_NEAR(audiolib::ChannelBytes2Seconds(ChannelStream(1), Heard()), 4.1, 0.001);

    // The thumb held: the ticks leave it, the drag seeks nothing, letting go seeks once.
    bar->setSliderDown(true);
    Advance(2 * Second);
    window->TSongTimer();
    EXPECT_EQ(bar->sliderPosition(), 41);
    EXPECT_EQ(window->LEDTiempoCuentaAtras->Caption(), "00:04");
    const int64_t beforeDrag = Heard();
    for (const int place : {50, 60, 70})
        bar->setSliderPosition(place);
    EXPECT_EQ(Heard(), beforeDrag);
    bar->setSliderDown(false);
    EXPECT_EQ(ChannelPositionSeconds(1), 7);
    window->TSongTimer();
    EXPECT_EQ(bar->value(), 70);
}

TEST_F(Channel1ControlsTest, PausedOrShortEntriesKeepTheBarAndTheQueueTime)
{
    // Shorter than a second: its length in whole seconds is 0, and the bar stays.
    Start({Frames("short.wav", Second / 2), Frames("long.wav", 10 * Second)});
    window->TB->setValue(12);
    Advance(Second / 4);
    window->TSongTimer();
    EXPECT_EQ(window->TB->value(), 12);

    window->PlayItemAt(1);
    Deliver();
    Advance(2 * Second);
    window->TSongTimer();
    EXPECT_EQ(window->TB->value(), 20);
    // Paused, the entry is not heard: the queue's remaining time does not run down.
    QTest::mouseClick(window->BPlayPause, Qt::LeftButton);
    ASSERT_TRUE(window->Queue().Paused);
    const int64_t remaining = window->Queue().RemainingMs();
    for (int tick = 0; tick < 4; ++tick)
        window->TSongTimer();
    EXPECT_EQ(window->Queue().RemainingMs(), remaining);
    EXPECT_EQ(window->LEDTiempoCuentaAtras->Caption(), "00:08");
}

TEST_F(Channel1ControlsTest, PitchStepsClampShowAndApplyAtTheStreamsOwnRate)
{
    struct Step {
        const char* action; // "-", "+", "reset", or a number of "+" clicks
        int clicks;
        int position;
        const char* label;
        int at44100;
        int at48000;
    };
    const Step steps[] = {
        {"+", 1, 1, "Pitch: 2x", 44541, 48480},      {"-", 2, -1, "Pitch: -2x", 43659, 47520},
        {"reset", 1, 0, "Pitch: 0x", 44100, 48000},  {"+", 59, 59, "Pitch: 98x", 70119, 76320},
        {"+", 2, 60, "Pitch: 100x", 70560, 76800},   {"-", 120, -60, "Pitch: -100x", 17640, 19200},
        {"-", 1, -60, "Pitch: -100x", 17640, 19200}, {"+", 30, -30, "Pitch: -50x", 30870, 33600},
    };
    const QString files[] = {Frames("cd.wav", 20 * Second), Frames("dat.wav", 20 * 48000, 48000)};
    Start({files[0], files[1]});
    for (int file = 0; file < 2; ++file) {
        SCOPED_TRACE(file);
        if (file == 1) {
            window->PlayItemAt(1);
            Deliver();
        }
        for (const Step& step : steps) {
            SCOPED_TRACE(QString("%1 x%2").arg(step.action).arg(step.clicks).toStdString());
            for (int click = 0; click < step.clicks; ++click) {
                if (QString(step.action) == "reset")
                    QTest::mouseClick(window->LPitch, Qt::LeftButton);
                else
                    (QString(step.action) == "+" ? window->BMas : window->BMenos)->Click();
            }
            EXPECT_EQ(window->Pitch().Position(), step.position);
            EXPECT_EQ(window->TBPitchShift->Position(), step.position);
            EXPECT_EQ(window->LPitch->text(), step.label);
            EXPECT_EQ(Frequency(), file == 0 ? step.at44100 : step.at48000);
        }
    }
    // The next entry starts at its own rate, and the window says so.
    window->PlayItemAt(0);
    Deliver();
    EXPECT_EQ(Frequency(), 44100);
    EXPECT_EQ(window->Pitch().Position(), 0);
    EXPECT_EQ(window->TBPitchShift->Position(), 0);
    EXPECT_EQ(window->LPitch->text(), "Pitch: 0x");
}

TEST_F(Channel1ControlsTest, MutingKeepsTheKnobToRestore)
{
    struct Case {
        const char* name;
        std::vector<bool> calls;
        int knob;
        int saved;
    };
    const Case cases[] = {
        {"mute", {true}, 0, 70},
        {"mute and unmute", {true, false}, 70, 0},
        {"mute twice", {true, true}, 0, 0},
        {"mute twice and unmute", {true, true, false}, 0, 0},
    };
    Start({Frames("a.wav", 10 * Second)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->VolumeCtrl->SetPosition(70);
        window->LineIn().SavedVolume = 0;
        for (const bool on : c.calls)
            window->SetMuted(on);
        EXPECT_EQ(window->VolumeCtrl->Position(), c.knob);
        EXPECT_EQ(window->LVol2->text(), QString::number(c.knob) + " ");
        EXPECT_EQ(window->Playback().Volume(), c.knob);
        EXPECT_EQ(window->LineIn().SavedVolume, c.saved);
        float volume = -1;
        audiolib::ChannelGetAttributes(ChannelStream(1), nullptr, &volume, nullptr);
        EXPECT_FLOAT_EQ(volume, static_cast<float>(c.knob)); // the library counts 0..100
    }
}

TEST_F(Channel1ControlsTest, TheRealControlsDriveTheChannel)
{
    // Play was clicked by Start; the knob sets the stream's volume; Stop comes down at the end.
    Start({Frames("a.wav", Second)});
    EXPECT_TRUE(window->BPlayPause->Down());
    EXPECT_FALSE(window->BStop->Down());
    QTest::keyClick(window->VolumeCtrl, Qt::Key_Home);
    float volume = -1;
    audiolib::ChannelGetAttributes(ChannelStream(1), nullptr, &volume, nullptr);
    EXPECT_EQ(volume, 0.0f);
    Advance(Second + Second / 10);
    EXPECT_FALSE(ChannelIsActive(1));
    EXPECT_TRUE(window->BStop->Down());
    EXPECT_FALSE(window->BPlayPause->Down());
}

TEST_F(Channel1ControlsTest, TheBoxShowsWhatPlaysOnlyWhenSeenAndSwitchesOnClicks)
{
    const auto greenPixels = [&] {
        const QImage& frame = window->PSound->Frame();
        int count = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                count += frame.pixel(x, y) == QColor(0, 128, 0).rgb() ? 1 : 0;
        return count;
    };
    // Stopped: nothing is drawn.
    window->show();
    window->TDrawSoundTimer();
    EXPECT_TRUE(window->PSound->Frame().isNull());

    Start({Frames("a.wav", 10 * Second)});
    Advance(Second / 2);
    window->hide();
    window->TDrawSoundTimer();
    EXPECT_TRUE(window->PSound->Frame().isNull()) << "hidden";
    window->show();
    window->setWindowState(Qt::WindowMinimized);
    window->TDrawSoundTimer();
    EXPECT_TRUE(window->PSound->Frame().isNull()) << "minimised";
    window->setWindowState(Qt::WindowNoState);
    window->TDrawSoundTimer();
    ASSERT_FALSE(window->PSound->Frame().isNull());
    EXPECT_EQ(window->PSound->Frame().size(), window->PSound->size());

    // Spectrum, circle, oscilloscope, spectrum: each draws the sine in green.
    EXPECT_EQ(window->VisualMode(), 2);
    for (const int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        QTest::mouseClick(window->PSound, Qt::LeftButton);
        EXPECT_EQ(window->VisualMode(), mode);
        window->TDrawSoundTimer();
        EXPECT_GT(greenPixels(), 10);
    }

    // Paused, the last picture stays; stopped, the box is black again.
    QTest::mouseClick(window->BPlayPause, Qt::LeftButton);
    window->TDrawSoundTimer();
    EXPECT_FALSE(window->PSound->Frame().isNull());
    QTest::mouseClick(window->BStop, Qt::LeftButton);
    EXPECT_TRUE(window->PSound->Frame().isNull());
}

TEST_F(Channel1ControlsTest, PreListenAndInformationTakeTheFocusItemOfASelection)
{
    TFCUEPlayer cue;
    FCUEPlayer = &cue;
    Channels[CueSlot].SetItemIndex(0);
    const QString good = Frames("good.wav", Second);
    const QString other = Frames("other.wav", Second);
    const QString broken = folder.File("broken.wav");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF----WAVEjunk");
    }
    TChannelQueue& queue = window->Queue();
    for (const QString& path : {good, other})
        ASSERT_GE(queue.AddItem(path, 1), 0);
    // Refused by an append, so dropped as from a folder page, which does not read the file.
    QMimeData mime;
    EncodeFolderFiles(mime, {TTemaData{"broken.wav", broken, 3, 128, 1, ItemKindFile}});
    queue.Drop(mime, queue.Count());
    ASSERT_EQ(queue.Count(), 3);
    QStringList shown;
    window->Calls.ShowFileData = [&](const TOFileData& data) { shown.append(data.FileName); };

    // No selection: nothing, whatever has the focus.
    queue.Selection().setCurrentIndex(queue.index(0), QItemSelectionModel::NoUpdate);
    window->PMThemeCUE->trigger();
    window->PMThemeInformation->trigger();
    EXPECT_FALSE(ChannelIsActive(CueSlot));
    EXPECT_TRUE(shown.isEmpty());

    // Another item selected: the focus item counts.
    queue.Selection().select(queue.index(1), QItemSelectionModel::Select);
    window->PMThemeCUE->trigger();
    EXPECT_EQ(cue.Playback().LastFile(), good);
    EXPECT_TRUE(ChannelIsPlaying(CueSlot));
    window->PMThemeInformation->trigger();
    EXPECT_EQ(shown, QStringList{good});

    // A file that cannot be read: its record's text in a box, no information window.
    queue.Selection().setCurrentIndex(queue.index(2), QItemSelectionModel::NoUpdate);
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    window->PMThemeInformation->trigger();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    const QString reason = TOFileData::Create(broken, true)->ErrorText;
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(dialogs.Shown()[0].text, reason);
    EXPECT_EQ(shown.size(), 1);

    // A label or a line-in entry names no file: CUE stops the pre-listen, the information is a box.
    for (const char* entry : {"[LABEL News ]", "[LINEIN 30 Studio ]"}) {
        SCOPED_TRACE(entry);
        ASSERT_GE(queue.AddItem(entry, 1), 0);
        queue.Selection().setCurrentIndex(queue.index(queue.Count() - 1), QItemSelectionModel::NoUpdate);
        window->PMThemeCUE->trigger();
        EXPECT_FALSE(ChannelIsActive(CueSlot));
        ScriptedDialogAnswerer boxes;
        boxes.ExpectButton(QMessageBox::Ok);
        window->PMThemeInformation->trigger();
        ASSERT_EQ(boxes.Shown().size(), 1);
        EXPECT_EQ(boxes.Shown()[0].text, "File empty");
        EXPECT_EQ(shown.size(), 1);
        queue.Selection().setCurrentIndex(queue.index(1), QItemSelectionModel::NoUpdate);
        window->PMThemeCUE->trigger(); // the good file again, for the next entry's stop
        ASSERT_TRUE(ChannelIsPlaying(CueSlot));
    }

    cue.Playback().StopPlayer();
    FCUEPlayer = nullptr;
}

TEST_F(Channel1ControlsTest, SaveListAsCombinationAsksForANameAndAboutASecondOne)
{
    TChannelQueue& queue = window->Queue();
    const QString song = Frames("song.wav", Second);
    ASSERT_GE(queue.AddItem(song, 1), 0);
    queue.AddItem("[LABEL News ]", 1);
    QStringList existing{"Morning"};
    QStringList created;
    QList<QList<TTemaData>> lists;
    window->Calls.CombinationExists = [&](const QString& name) { return existing.contains(name); };
    window->Calls.AddCombinationFromList = [&](const QString& name, const QList<TTemaData>& entries) {
        created.append(name);
        lists.append(entries);
    };

    struct Case {
        const char* name;
        const char* answer;
        QMessageBox::StandardButton confirm; // NoButton: no question expected
        QStringList created;
    };
    const Case cases[] = {
        {"empty name", "", QMessageBox::NoButton, {}},
        {"existing, No", "Morning", QMessageBox::No, {}},
        {"existing, Yes", "Morning", QMessageBox::Yes, {"Morning"}},
        {"new", "Evening", QMessageBox::NoButton, {"Evening"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        created.clear();
        ScriptedDialogAnswerer dialogs;
        dialogs.ExpectInput(c.answer);
        if (c.confirm != QMessageBox::NoButton)
            dialogs.ExpectButton(c.confirm);
        window->PMSaveListAsCombination->trigger();
        EXPECT_EQ(dialogs.Shown()[0].caption, "Combination");
        EXPECT_EQ(dialogs.Shown()[0].text, "Name for new combination");
        EXPECT_EQ(dialogs.Shown()[0].value, "");
        if (c.confirm != QMessageBox::NoButton) {
            EXPECT_EQ(dialogs.Shown()[1].text,
                      "That combination already exists. Ok to create other with the same name?");
        }
        EXPECT_EQ(created, c.created);
    }
    // Every entry in queue order, with the text the list shows.
    ASSERT_EQ(lists.size(), 2);
    ASSERT_EQ(lists[0].size(), 2);
    EXPECT_EQ(lists[0][0].FileName, song);
    EXPECT_EQ(lists[0][0].Title, "song.wav");
    EXPECT_EQ(lists[0][1].Title, "[LABEL News ]");
    EXPECT_EQ(lists[0][1].Kind, ItemKindLabel);
}

TEST_F(Channel1ControlsTest, SetUpTranslatesResetsAndTheEndClosesMicThenLineThenStops)
{
    const QString savedAppDir = AppDir;
    const QString savedTitle = MainTitle;
    AppDir = folder.Path();
    MainTitle = "Station";
    StationOptions.Language = "test";
    QFile language(folder.File("test.lng"));
    ASSERT_TRUE(language.open(QIODevice::WriteOnly));
    language.write(
        "[translations]\nFChannel1.LTotal.Caption=Gesamt:\nFChannel1.PMThemeSearch.Caption=Suchen\n"
        "FChannel1.PMInsertIndicativosEverySeconds.EditCaption=Alle # Sekunden:\n"
        "[Messages]\nchannel=Kanal\n");
    language.close();
    StationOptions.ChannelVolume[1] = 64;

    FakeMixer fake;
    const int card = fake.AddDevice(GetDeviceName(OutputDevices, SlotDeviceIndex(1)));
    const uint32_t speakers = fake.AddDestination(card, "Playback", platform::MixerLineSpeakers);
    const uint32_t line =
        fake.AddControl(card, fake.AddSource(card, speakers, "Line", platform::MixerSourceLine),
                        platform::MixerControlMute, {0});
    const uint32_t mic =
        fake.AddControl(card, fake.AddSource(card, speakers, "Mic", platform::MixerSourceMicrophone),
                        platform::MixerControlMute, {0});

    window = std::make_unique<TFChannel1>();
    const qsizetype atStart = fake.Writes().size();
    window->Queue().AddItem(Frames("left.wav", Second), 1);
    window->VolumeCtrl->SetPosition(5);
    window->DoFirstShow();
    EXPECT_EQ(window->windowTitle(), "Station - Kanal 1");
    EXPECT_EQ(window->STCanal->text(), " Kanal 1 ");
    EXPECT_EQ(window->LTotal->text(), "Gesamt:");
    EXPECT_EQ(window->PMThemeSearch->text(), "Suchen");
    EXPECT_EQ(window->StationIdMenu->PMInsertIndicativosEverySeconds->EditCaption(), "Alle # Sekunden:");
    EXPECT_EQ(window->Queue().Count(), 0);
    EXPECT_EQ(window->VolumeCtrl->Position(), 64);
    EXPECT_EQ(window->Playback().Volume(), 64);
    EXPECT_EQ(window->LineIn().SavedVolume, 64);
    EXPECT_FALSE(window->Queue().OnAir());
    // The set-up closes the line, then the microphone; later showings do nothing of it.
    const auto writes = [&] {
        QList<uint32_t> controls;
        for (const FakeMixer::Write& write : fake.Writes())
            controls.append(write.controlId);
        return controls;
    };
    EXPECT_EQ(writes().mid(atStart), (QList<uint32_t>{line, mic}));
    window->VolumeCtrl->SetPosition(30);
    window->show();
    EXPECT_EQ(window->VolumeCtrl->Position(), 30);

    Start({Frames("a.wav", 10 * Second)});
    QTest::mouseClick(window->BMic, Qt::LeftButton);
    QTest::mouseClick(window->BLinein, Qt::LeftButton);
    const qsizetype before = fake.Writes().size();
    logLines.clear();
    window.reset();
    EXPECT_EQ(writes().mid(before), (QList<uint32_t>{mic, line}));
    EXPECT_EQ(fake.Values(card, mic).at(0), 1);
    EXPECT_EQ(fake.Values(card, line).at(0), 1);
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
    EXPECT_EQ(logLines.filter("stopping").size(), 1);

    AppDir = savedAppDir;
    MainTitle = savedTitle;
}
