#pragma once
// What the skin tests of windows share: the builder's fixture package in a temporary skins folder, one
// skin component as the settings window holds it, the manager acting at once, a pinned caption font,
// and recorded window menus. The manager goes with the kit, giving every window its frame back.
#include "skin/SkinData.h"
#include "skinbuilder/SkinFixture.h"

#include <QList>
#include <QPoint>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class TWndSkinForm;

struct ShownMenu {
    QWidget* window;
    QPoint point;
    QStringList texts;
};

// A sizable plain window at a known place and client size, 300 x 200.
struct PlainWindow : QWidget {
    PlainWindow()
    {
        resize(300, 200);
        move(40, 50);
        setWindowTitle("Folders");
    }
};

class SkinKit {
public:
    SkinKit();
    ~SkinKit();

    // The package written to the skins folder under the name; its path.
    QString Write(const skinbuilder::SkinFixture& fixture,
                  const QString& name = QStringLiteral("fixture.skn"));
    QString WriteBytes(const QByteArray& bytes, const QString& name);
    // SkinFile then Active, the pending action run.
    void Load(const QString& path);
    void RunPending();
    // Shows and activates a window, so the manager runs (its first activation).
    static void ShowActive(QWidget* window);
    // Shows the window, loads the fixture skin and waits until the window's controls were found.
    void ShowSkinned(QWidget& window,
                     const skinbuilder::SkinFixture& fixture = skinbuilder::StandardFixture());
    static TWndSkinForm* SkinnerOf(const QWidget* window);

    QTemporaryDir dir;
    std::unique_ptr<TSkinData> data;
    QList<ShownMenu> menus;
};

// The signature colour of the fixture's objects (red = object id x 6, green = cell x 10).
constexpr int TopId = 1;
constexpr int LeftId = 2;
constexpr int RightId = 3;
constexpr int BottomId = 4;
int ObjectAt(const QImage& image, QPoint point);
int CellAt(const QImage& image, QPoint point);
