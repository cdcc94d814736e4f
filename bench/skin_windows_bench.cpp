// The skin on the station's windows: skinning and unskinning fifteen shown top-level windows at once
// (the manager's activate and deactivate actions), and repainting the frame of a skinned 1280 x 1024
// window, on the offscreen platform with the test builder's package.
#include "OffscreenMain.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"
#include "skinbuilder/SkinFixture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int StationWindows = 15;

struct SkinnedStation {
    SkinnedStation()
    {
        TSkinManage::SetActionDelay(0);
        data = std::make_unique<TSkinData>();
        data->finishLoading();
        for (int i = 0; i < StationWindows; ++i) {
            auto window = std::make_unique<QWidget>();
            auto* layout = new QVBoxLayout(window.get());
            layout->addWidget(new QLabel(QStringLiteral("Window %1").arg(i)));
            layout->addWidget(new QPushButton(QStringLiteral("Button")));
            window->setWindowTitle(QStringLiteral("Sonvela Zodu - window %1").arg(i));
            window->resize(400, 300);
            window->show();
            windows.push_back(std::move(window));
        }
        windows.front()->activateWindow();
        QApplication::processEvents();
        const QString path = dir.filePath("fixture.skn");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(skinbuilder::StandardFixture().Package());
        file.close();
        data->SetSkinFile(path);
        SkinManager->MarkActivated();
    }
    ~SkinnedStation()
    {
        data.reset();
        delete SkinManager;
    }
    void Post(TSkinAction action)
    {
        SkinManager->SetCurrent(data.get());
        SkinManager->PostAction(action, 0);
        SkinManager->RunPendingAction();
    }

    QTemporaryDir dir;
    std::unique_ptr<TSkinData> data;
    std::vector<std::unique_ptr<QWidget>> windows;
};

void BM_SkinFifteenWindows(benchmark::State& state)
{
    SkinnedStation station;
    for (auto _ : state) {
        station.Post(saActivate);
        state.PauseTiming();
        station.Post(saDeactivate);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SkinFifteenWindows)->Unit(benchmark::kMillisecond);

void BM_UnskinFifteenWindows(benchmark::State& state)
{
    SkinnedStation station;
    for (auto _ : state) {
        state.PauseTiming();
        station.Post(saActivate);
        state.ResumeTiming();
        station.Post(saDeactivate);
    }
}
BENCHMARK(BM_UnskinFifteenWindows)->Unit(benchmark::kMillisecond);

// What a resize repaints around the client area: borders, caption, title and buttons.
void BM_FrameRepaint1280x1024(benchmark::State& state)
{
    SkinnedStation station;
    station.Post(saActivate);
    QWidget* window = station.windows.front().get();
    window->resize(1280 - 12, 1024 - 30);
    TWndSkinForm* skinner = SkinManager->FindSkinner(window);
    QImage target(window->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        skinner->PaintFrame(painter);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_FrameRepaint1280x1024)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreen<QApplication>(argc, argv);
}
