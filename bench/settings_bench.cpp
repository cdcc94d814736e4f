// Loading and saving a large settings file: every setting of the station plus 30 folder pages of 1,000
// folders each (about 1.1 MB), read and written as the station's start-up and exit do. The folder pages
// are read and written the way the folders window keeps them: a section "Folder" + N with the page's
// name and a section "FolderDirs" + N with one key per folder path. Then the list of users that the
// login window reads at start-up, from a users file of 20,000 and of 100,000 users. And the start-up's
// language lookups with a 20 MB language file.
// Run by hand, not by ctest:
//   cmake --build build --target settings_bench && build/bench/settings_bench
#include "OffscreenMain.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/Language.h"
#include "foundation_gui/Settings.h"
#include "platform/IniFile.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int PageCount = 30;
constexpr int FoldersPerPage = 1000;

// The folder lists of the pages, as the folders window holds them.
const QList<QStringList>& FolderLists()
{
    static const QList<QStringList> lists = [] {
        QList<QStringList> pages;
        for (int page = 0; page < PageCount; ++page) {
            QStringList folders;
            for (int folder = 0; folder < FoldersPerPage; ++folder)
                folders.append(QStringLiteral("/srv/station/music/page%1/folder %2").arg(page).arg(folder));
            pages.append(folders);
        }
        return pages;
    }();
    return lists;
}

// The folders window's loading: pages from 0 on until a page without a name, in one look at the disk.
qsizetype ReadFolderPages(const platform::IniFile& ini)
{
    const platform::IniReadPass pass(ini);
    qsizetype folders = 0;
    for (int page = 0;; ++page) {
        if (ini.ReadString(QStringLiteral("Folder%1").arg(page), "name", QString()).isEmpty())
            return folders;
        folders += ini.ReadSection(QStringLiteral("FolderDirs%1").arg(page)).size();
    }
}

// The folders window's saving, in the batch of the rest of a save.
void WriteFolderPages(platform::IniFile& ini)
{
    for (int page = 0; page < PageCount; ++page) {
        ini.WriteString(QStringLiteral("Folder%1").arg(page), "name", QStringLiteral("PAGE %1").arg(page));
        const QString dirs = QStringLiteral("FolderDirs%1").arg(page);
        ini.EraseSection(dirs);
        for (const QString& folder : FolderLists()[page])
            ini.WriteString(dirs, folder, QString());
    }
}

class StationFolder {
public:
    StationFolder()
    {
        AppDir = dir_.path() + "/";
        SettingsPath = AppDir + "Sonvelazodu.ini";
        LoadSettings();
        SaveSettings(StationWindows{});
        SettingsIni->BeginBatch();
        WriteFolderPages(*SettingsIni);
        SettingsIni->EndBatch();
        SettingsIni.reset();
        // Saved at the last exit, long before this start.
        QFile file(SettingsPath);
        if (!file.open(QIODevice::ReadWrite) ||
            !file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(12, 0), QTimeZone::utc()),
                              QFileDevice::FileModificationTime))
            std::abort();
    }

private:
    QTemporaryDir dir_;
};

void BM_LoadSettings(benchmark::State& state)
{
    const StationFolder folder;
    qsizetype folders = 0;
    for (auto _ : state) {
        SettingsIni.reset(); // each round is a fresh start of the program
        LoadSettings();
        folders = ReadFolderPages(*SettingsIni);
    }
    if (folders != PageCount * FoldersPerPage)
        state.SkipWithError("the folder pages did not read back whole");
    state.counters["bytes"] = double(QFile(SettingsPath).size());
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state)
{
    const StationFolder folder;
    LoadSettings();
    for (auto _ : state) {
        ++StationOptions.Volume; // a value that changed, so every round replaces the file
        SettingsIni->BeginBatch();
        WriteFolderPages(*SettingsIni);
        SaveSettings(StationWindows{});
        SettingsIni->EndBatch();
    }
    SettingsIni.reset();
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_ListUsers(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/users.dat";
    QByteArray text;
    for (int64_t user = 0; user < state.range(0); ++user)
        text += "[user" + QByteArray::number(user) + "]\npassword=x\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        state.SkipWithError("cannot write the users file");
    file.close();
    qsizetype users = 0;
    for (auto _ : state)
        users = platform::IniFile(path).ReadSections().size();
    if (users != state.range(0))
        state.SkipWithError("the users did not read back whole");
}
BENCHMARK(BM_ListUsers)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The start-up's language lookups with a 20 MB language file: twenty windows' components translate
// their captions and look up two messages each. Arg 0 reads the file the way each lookup did before
// (opened and parsed per lookup), arg 1 through the components as they are now (parsed once).
void BM_LanguageLookupsAtStartUp(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/english.lng";
    QByteArray text = "[translations]\nFMain.Caption=Settings\n";
    for (int key = 0; text.size() < 20 * 1024 * 1024; ++key)
        text += "FMain.Control" + QByteArray::number(key) + ".Caption=Some translated caption text\n";
    text += "[Messages]\nset as main window=Set as main window\nsoskeypressed=Emergency key\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        state.SkipWithError("cannot write the language file");
    file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
    file.close();
    constexpr int Windows = 20;
    const bool once = state.range(0) == 1;
    for (auto _ : state) {
        for (int window = 0; window < Windows; ++window) {
            TLanguage language;
            language.LanguageFile = path;
            language.Properties = QStringList{"FMain.Caption"};
            if (once) {
                language.Translate();
                benchmark::DoNotOptimize(language.GetText("set as main window") +
                                         language.GetText("soskeypressed"));
            } else {
                for (const char* key : {"set as main window", "soskeypressed"})
                    benchmark::DoNotOptimize(platform::IniFile(path).ReadString("Messages", key, key));
                benchmark::DoNotOptimize(
                    platform::IniFile(path).ReadString("translations", "FMain.Caption", ""));
            }
        }
    }
}
BENCHMARK(BM_LanguageLookupsAtStartUp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreen<QApplication>(argc, argv);
}
