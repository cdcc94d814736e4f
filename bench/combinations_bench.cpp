// The combinations file: saving and loading a station's tree (the root, combinations of 99 themes each,
// paths of 60 to 90 characters, some accented), and encoding and decoding alone. Args: combinations.
#include "OffscreenMain.h"
#include "library/CombinationsFile.h"
#include "library/CombinationsNodes.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

using namespace library;

void Fill(QTreeWidgetItem& holder, int combinations)
{
    auto node = [](const QString& name, int kind, int64_t duration) {
        auto* item = new TCombiItem({name, kind, kind, duration});
        item->ImageIndex = kind;
        item->setText(0, name);
        return item;
    };
    TCombiItem* root = node("COMBINACIONES", 0, 0);
    holder.addChild(root);
    for (int c = 0; c < combinations; ++c) {
        TCombiItem* combination = node(QStringLiteral("Combination %1").arg(c), 1, 0);
        root->addChild(combination);
        for (int t = 0; t < 99; ++t) {
            const QString folder =
                (t % 7 == 0) ? QStringLiteral("/srv/música/canción") : QStringLiteral("/srv/music/songs");
            const QString path = QStringLiteral("%1/%2/%3 - ").arg(folder).arg(c).arg(t) +
                                 QString(40 + (c * 99 + t) % 30, u'x') + QStringLiteral(".mp3");
            combination->addChild(node(path, 2, 180 + t));
        }
    }
}

void BM_Encode(benchmark::State& state)
{
    QTreeWidgetItem holder;
    Fill(holder, int(state.range(0)));
    qsizetype size = 0;
    for (auto _ : state)
        size = EncodeTree(holder).size();
    state.counters["bytes"] = double(size);
}

void BM_Decode(benchmark::State& state)
{
    QTreeWidgetItem holder;
    Fill(holder, int(state.range(0)));
    const QByteArray bytes = EncodeTree(holder);
    std::vector<CombiRecord> records;
    DecodeError error;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeCombinations(bytes, records, error));
}

void BM_Save(benchmark::State& state)
{
    QTemporaryDir dir;
    QTreeWidget tree;
    Fill(*tree.invisibleRootItem(), int(state.range(0)));
    const QString path = dir.filePath("combinations.dat");
    for (auto _ : state) {
        if (!SaveTreeToFile(&tree, path).ok)
            state.SkipWithError("save failed");
    }
}

void BM_Load(benchmark::State& state)
{
    QTemporaryDir dir;
    QTreeWidget tree;
    Fill(*tree.invisibleRootItem(), int(state.range(0)));
    const QString path = dir.filePath("combinations.dat");
    SaveTreeToFile(&tree, path);
    for (auto _ : state) {
        if (LoadTreeFromFile(&tree, path).status != LoadStatus::Loaded)
            state.SkipWithError("load failed");
    }
}

BENCHMARK(BM_Encode)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunOffscreen<QApplication>(argc, argv);
}
