// The cost of the skin on the station's painting: the settings window (each of its pages) and the
// folders window with a page of 1,000 files painted whole, and that page scrolled by 100 rows and
// painted, each skinned (argument 1) and unskinned (argument 0), on the offscreen platform with the
// test builder's package. Compare the two lines of each pair: the skinned time over the unskinned one.
// Run by hand, not by ctest:
//   cmake --build build --target skin_paint_bench && build/bench/skin_paint_bench
#include "WavWriter.h"
#include "audioinfo/OFileData.h"
#include "controls/LXApplication.h"
#include "foundation/General.h"
#include "library/Folders.h"
#include "library/TabFolder.h"
#include "platform_gui/PageControl.h"
#include "shell/Main.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/SkinStyle.h"
#include "skin/WindowSkinner.h"
#include "skinbuilder/SkinFixture.h"

#include <QApplication>
#include <QFile>
#include <QLayout>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int PageFiles = 1000;
constexpr int ScrollRows = 100;

// Both windows at the station's first-run sizes, and a skin component with the package.
struct Station {
    Station()
    {
        if (!dir.isValid())
            std::exit(1);
        AppDir = dir.path() + u'/';
        TSkinManage::SetActionDelay(0);
        // The settings window holds the station's skin component.
        settings = std::make_unique<TFMain>();
        data = settings->SkD;
        settings->resize(640, 460);
        folders = std::make_unique<TFFolders>();
        folders->resize(640, 700);
        auto* page = new TTabFolder(0, folders->PC, QStringLiteral("Music"));
        for (int i = 0; i < PageFiles; ++i) {
            const QString path = dir.filePath(QStringLiteral("song %1.wav").arg(i, 4, 10, QLatin1Char('0')));
            // One second of silence at 8 kHz, 8 bits, mono.
            if (!testing_support::WriteWav(path, {8000, 1, 8}, 8000, [](int64_t, int) { return 0.0; }))
                std::exit(1);
            page->AddFileData(TOFileData::Create(path, false));
        }
        list = page->List();
        // Never shown: their first showings would start the station. Laid out as shown ones are.
        for (QWidget* window : Windows()) {
            window->ensurePolished();
            window->layout()->activate();
        }
        const QString package = dir.filePath(QStringLiteral("fixture.skn"));
        QFile file(package);
        if (!file.open(QIODevice::WriteOnly))
            std::exit(1);
        file.write(skinbuilder::StandardFixture().Package());
        file.close();
        data->SetSkinFile(package);
        SkinManager->MarkActivated();
    }
    ~Station()
    {
        folders.reset();
        settings.reset();
        delete SkinManager;
    }
    std::vector<QWidget*> Windows() const { return {settings.get(), folders.get()}; }
    void Skin(bool on)
    {
        SkinManager->SetCurrent(data);
        SkinManager->PostAction(on ? saActivate : saDeactivate, 0);
        SkinManager->RunPendingAction();
        if (on)
            for (QWidget* window : Windows())
                SkinManager->SkinWindow(window);
        // The windows' controls are found from the event queue.
        QApplication::processEvents();
        for (QWidget* window : Windows())
            if ((SkinManager->FindSkinner(window) != nullptr) != on)
                std::exit(3);
    }

    QTemporaryDir dir;
    std::unique_ptr<TFMain> settings;
    TSkinData* data = nullptr;
    std::unique_ptr<TFFolders> folders;
    TFolderListView* list = nullptr;
};

// Made by the first benchmark, gone before the control library and the application.
std::unique_ptr<Station> made;

Station& TheStation()
{
    if (!made)
        made = std::make_unique<Station>();
    return *made;
}

void Paint(QWidget& window, QImage& target)
{
    target.fill(Qt::black);
    window.render(&target);
    benchmark::DoNotOptimize(target.constBits());
}

void BM_PaintSettingsWindowPages(benchmark::State& state)
{
    Station& station = TheStation();
    station.Skin(state.range(0) != 0);
    QImage target(station.settings->size(), QImage::Format_ARGB32_Premultiplied);
    auto* pages = station.settings->PCMain;
    for (auto _ : state)
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            Paint(*station.settings, target);
        }
    pages->setCurrentIndex(0);
}
BENCHMARK(BM_PaintSettingsWindowPages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PaintFoldersWindow(benchmark::State& state)
{
    Station& station = TheStation();
    station.Skin(state.range(0) != 0);
    QImage target(station.folders->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        Paint(*station.folders, target);
}
BENCHMARK(BM_PaintFoldersWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ScrollFolderPage100Rows(benchmark::State& state)
{
    Station& station = TheStation();
    station.Skin(state.range(0) != 0);
    QImage target(station.folders->size(), QImage::Format_ARGB32_Premultiplied);
    QAbstractItemModel* model = station.list->model();
    int row = 0;
    for (auto _ : state) {
        row = (row + ScrollRows) % model->rowCount();
        station.list->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
        Paint(*station.folders, target);
    }
}
BENCHMARK(BM_ScrollFolderPage100Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallSkinStyle();
    ControlLibrary controlLibrary;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    made.reset();
    return 0;
}
