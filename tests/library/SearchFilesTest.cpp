#include "library/SearchFiles.h"

#include "TempFolder.h"
#include "foundation/General.h"
#include "foundation/Options.h"
#include "playout/QueueMimeTypes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

class SearchFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.IsValid());
        for (const char* name : {"a.mp3", "b.mp3", "c.wav"}) {
            QFile file(tree.File(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    void TearDown() override { StationOptions = saved; }

    TempFolder tree;
    TOptions saved = StationOptions;
};

TEST_F(SearchFilesTest, InitialPathComesFromTheSettingsOrTheProgramFolder)
{
    for (const QString& stored : {tree.Path(), QString()}) {
        StationOptions.LastSearchDir = stored;
        TFSearchFiles window;
        EXPECT_EQ(window.GetInitialPath(), stored) << "before the first showing";
        window.show();
        EXPECT_EQ(window.EInitialPath->text(), stored.isEmpty() ? ProgramFolder() : stored);
        EXPECT_EQ(window.windowTitle(), MainTitle + " - searching files");
    }
}

TEST_F(SearchFilesTest, SearchFillsTheListAndDragsTheSelectedHitsInListOrder)
{
    StationOptions.LastSearchDir = tree.Path();
    auto window = std::make_unique<TFSearchFiles>();
    window->show();
    EXPECT_FALSE(window->BStop->isEnabled());
    window->BSearch->click();
    EXPECT_FALSE(window->BSearch->isEnabled());
    EXPECT_TRUE(window->BStop->isEnabled());
    QDeadlineTimer deadline(20000);
    while (!window->BSearch->isEnabled() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    EXPECT_EQ(window->SB->currentMessage(), "End of search - Files found: 3");
    EXPECT_FALSE(window->BStop->isEnabled());

    QAbstractItemModel* model = window->LBSearchFiles->model();
    ASSERT_EQ(model->rowCount(), 3);
    std::unique_ptr<QMimeData> mime(model->mimeData({model->index(2, 0), model->index(0, 0)}));
    EXPECT_EQ(DecodeSearchFiles(*mime), (QStringList{tree.File("a.mp3"), tree.File("c.wav")}));

    // Stop while a search of a missing folder may still run: the window is idle at once.
    window->EInitialPath->setText(tree.File("missing"));
    window->BSearch->click();
    window->BStop->click();
    EXPECT_EQ(window->SB->currentMessage(), "stop");
    EXPECT_TRUE(window->BSearch->isEnabled());
    window.reset(); // destroyed with a worker possibly still winding down
    deadline = QDeadlineTimer(20000);
    while (TmFileScan::RunningWorkers() != 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(TmFileScan::RunningWorkers(), 0);
}

TEST_F(SearchFilesTest, TheStatusTextShowsOnItsBar)
{
    TFSearchFiles window;
    window.show();
    window.BStop->setEnabled(true);
    window.BStop->click();
    ASSERT_EQ(window.SB->currentMessage(), "stop");
    // The bar as the window paints it: its text must differ from what lies behind it.
    const QImage bar = window.grab().toImage().copy(window.SB->geometry());
    std::set<QRgb> colours;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            colours.insert(bar.pixel(x, y));
    EXPECT_GT(colours.size(), 1u);
}

} // namespace
