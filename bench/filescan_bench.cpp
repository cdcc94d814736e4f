// The file search against find: a tree of 100,000 empty files (1,000 folders three levels deep, a third
// of the files named "*.mp3" in mixed case, the rest other extensions), made once and walked once to warm
// the cache; then, alternating five times each, `find DIR -iname '*.mp3'` (output to /dev/null) and the
// search component with the filter "*.mp3" and subfolders on, from Start to OnReady, its hits appended
// to a list by a handler on a running event loop; last, the search window filling its list with the
// same search. Prints the medians and the ratio ours / find (the goal is at most 1.5).
// Run by hand, not by ctest:
//   cmake --build build --target filescan_bench && build/bench/filescan_bench
#include "library/FileScan.h"
#include "library/SearchFiles.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int Rounds = 5;

// Makes the tree; returns how many "*.mp3" names it holds.
int MakeTree(const QString& root)
{
    const char* const others[] = {".wav", ".txt", ".ogg", ".jpg"};
    int mp3 = 0;
    int n = 0;
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b)
            for (int c = 0; c < 10; ++c) {
                const QString folder = QStringLiteral("%1/a%2/b%3/c%4").arg(root).arg(a).arg(b).arg(c);
                QDir().mkpath(folder);
                for (int f = 0; f < 100; ++f, ++n) {
                    QString name = QStringLiteral("file %1").arg(n);
                    if (n % 3 == 0) {
                        name += n % 2 ? ".MP3" : ".Mp3";
                        ++mp3;
                    } else {
                        name += others[n % 4];
                    }
                    QFile file(folder + '/' + name);
                    if (!file.open(QIODevice::WriteOnly)) {
                        std::fprintf(stderr, "cannot make %s\n", qPrintable(file.fileName()));
                        std::exit(1);
                    }
                }
            }
    return mp3;
}

double RunFind(const QString& root)
{
    const QByteArray dir = QFile::encodeName(root);
    char* argv[] = {const_cast<char*>("find"), const_cast<char*>(dir.constData()),
                    const_cast<char*>("-iname"), const_cast<char*>("*.mp3"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start find\n");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

double RunScan(const QString& root, int expected)
{
    TmFileScan scan;
    scan.Paths = {root};
    scan.Filters = {"*.mp3"};
    QStringList hits;
    QEventLoop loop;
    scan.OnFileFound = [&](TmFileScan*, const QString& hit) { hits.append(hit); };
    scan.OnReady = [&](TmFileScan*, const QStringList&) { loop.quit(); };
    QElapsedTimer timer;
    timer.start();
    scan.Start();
    loop.exec();
    const double ms = timer.nsecsElapsed() / 1e6;
    if (hits.size() != expected) {
        std::fprintf(stderr, "the search found %lld, not %d\n", static_cast<long long>(hits.size()),
                     expected);
        std::exit(1);
    }
    return ms;
}

double RunWindow(const QString& root, int expected)
{
    TFSearchFiles window;
    window.show();
    window.EInitialPath->setText(root);
    window.EFileMask->setText("*.mp3");
    QEventLoop loop;
    QElapsedTimer timer;
    timer.start();
    window.BSearch->click();
    while (!window.BSearch->isEnabled())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (window.LBSearchFiles->model()->rowCount() != expected) {
        std::fprintf(stderr, "the window listed %d, not %d\n", window.LBSearchFiles->model()->rowCount(),
                     expected);
        std::exit(1);
    }
    return ms;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString root = dir.path() + "/tree";
    const int expected = MakeTree(root);
    RunFind(root); // warms the cache
    std::vector<double> find;
    std::vector<double> ours;
    for (int round = 0; round < Rounds; ++round) {
        find.push_back(RunFind(root));
        ours.push_back(RunScan(root, expected));
    }
    std::vector<double> window;
    for (int round = 0; round < Rounds; ++round)
        window.push_back(RunWindow(root, expected));
    const double findMs = Median(find);
    const double oursMs = Median(ours);
    std::printf("100,000 files, %d hits; medians of %d rounds\n", expected, Rounds);
    std::printf("find -iname:          %8.1f ms\n", findMs);
    std::printf("TmFileScan:           %8.1f ms   ratio ours / find %.2f (goal at most 1.5)\n", oursMs,
                oursMs / findMs);
    std::printf("TFSearchFiles list:   %8.1f ms\n", Median(window));
    return 0;
}
