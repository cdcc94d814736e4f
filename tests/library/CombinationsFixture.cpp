#include "CombinationsFixture.h"

#include "Fixtures.h"
#include "WavWriter.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "library/CombinationsFile.h"
#include "library/CombinationsTree.h"

#include <QTreeWidget>

using library::TCombiItem;
using library::testing::Node;

CombinationsFixture::CombinationsFixture()
    : savedAppDir_(AppDir), savedPath_(CombinationsPath), savedLogDir_(LogDir), savedTitle_(MainTitle)
{
    AppDir = station.Path();
    CombinationsPath = station.File("combinations.dat");
    MainTitle = "Sonvela Zodu";
    LogDir = station.Path() + "logs/";
    Log.Level = -1;
    Log.FileName = Log.DailyLogFileName();
    Log.OpenLogFile();
    Log.Memo = [this](const QString& line) { logLines.append(line); };
    window = std::make_unique<TFCombinations>();
    // Tests run the check themselves.
    window->TimerReloadFile.stop();
}

CombinationsFixture::~CombinationsFixture()
{
    window.reset();
    Log.Memo = nullptr;
    Log.CloseLogFile();
    Log.Closed = true;
    std::tie(AppDir, CombinationsPath, LogDir, MainTitle) =
        std::tie(savedAppDir_, savedPath_, savedLogDir_, savedTitle_);
    StationOptions = savedOptions_;
}

void CombinationsFixture::WriteTree(const QString& path, const QString& layout)
{
    QTreeWidget tree;
    auto* root = Node("COMBINACIONES", 0);
    tree.addTopLevelItem(root);
    for (const QString& part : layout.split(';', Qt::SkipEmptyParts)) {
        const QString name = part.section(':', 0, 0).trimmed();
        auto* combination = Node(name, 1);
        root->addChild(combination);
        for (const QString& theme : part.section(':', 1).split(' ', Qt::SkipEmptyParts))
            combination->addChild(Node(theme, 2, 60));
    }
    ASSERT_TRUE(library::SaveTreeToFile(&tree, path).ok);
}

QString CombinationsFixture::LayoutOf(const TFCombinations& combinations)
{
    QStringList parts;
    const QTreeWidgetItem* root = combinations.TVCombinaciones->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i) {
        QString part = root->child(i)->text(0) + ':';
        for (int t = 0; t < root->child(i)->childCount(); ++t)
            part += ' ' + root->child(i)->child(t)->text(0);
        parts.append(part);
    }
    return parts.join("; ");
}

TCombiItem* CombinationsFixture::Find(const QString& name) const
{
    const QList<QTreeWidgetItem*> found =
        window->TVCombinaciones->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : library::CombiItem(found.first());
}

void CombinationsFixture::Select(const QStringList& names)
{
    window->TVCombinaciones->clearSelection();
    for (const QString& name : names) {
        TCombiItem* node = Find(name);
        ASSERT_NE(node, nullptr) << name.toStdString();
        window->TVCombinaciones->setCurrentItem(node, 0, QItemSelectionModel::Select);
    }
}

QString CombinationsFixture::Wav(const QString& name) const
{
    const QString path = station.File(name);
    EXPECT_TRUE(testing_support::WriteWav(path, {8000, 1, 8}, 8000, [](int64_t, int) { return 0.0; }));
    return path;
}

QStringList CombinationsFixture::ErrorLines() const
{
    QStringList errors;
    for (const QString& line : logLines)
        if (line.section(' ', 2, 2) == "1")
            errors.append(line);
    return errors;
}

void CombinationsFixture::Show()
{
    window->DoFirstShow();
}
