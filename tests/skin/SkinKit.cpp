#include "SkinKit.h"
#include "ControlsFound.h"

#include "Drawing.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

SkinKit::SkinKit()
{
    TSkinManage::SetActionDelay(0);
    TWndSkinForm::SetCaptionFont(PinnedFont(13).ToQFont());
    TWndSkinForm::SetMenuPresenter(
        [this](QWidget* window, const std::vector<platform::WindowMenuItem>& items, QPoint point) {
            QStringList texts;
            for (const platform::WindowMenuItem& item : items)
                texts.append(item.Text);
            menus.append({window, point, texts});
        });
    data = std::make_unique<TSkinData>();
    data->finishLoading();
}

SkinKit::~SkinKit()
{
    TWndSkinForm::SetMenuPresenter({});
    data.reset();
    delete SkinManager;
}

QString SkinKit::Write(const skinbuilder::SkinFixture& fixture, const QString& name)
{
    return WriteBytes(fixture.Package(), name);
}

QString SkinKit::WriteBytes(const QByteArray& bytes, const QString& name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

void SkinKit::Load(const QString& path)
{
    data->SetSkinFile(path);
    if (!data->Active())
        data->SetActive(true);
    RunPending();
}

void SkinKit::RunPending()
{
    SkinManager->RunPendingAction();
}

void SkinKit::ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void SkinKit::ShowSkinned(QWidget& window, const skinbuilder::SkinFixture& fixture)
{
    ShowActive(&window);
    Load(Write(fixture));
    EXPECT_TRUE(WaitForControlsFound(&window));
}

TWndSkinForm* SkinKit::SkinnerOf(const QWidget* window)
{
    return SkinManager ? SkinManager->FindSkinner(window) : nullptr;
}

int ObjectAt(const QImage& image, QPoint point)
{
    return qRed(image.pixel(point)) / 6;
}

int CellAt(const QImage& image, QPoint point)
{
    return qGreen(image.pixel(point)) / 10;
}
