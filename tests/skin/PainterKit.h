#pragma once
// What the control painters' tests share: a fixture skin read to its description, the base style the
// skin style sits on, a paint context, button options and painted controls in the pinned font, and
// probes of what a painter left on an image.
#include "Drawing.h"
#include "skin/SkinPainter.h"
#include "skinbuilder/SkinFixture.h"

#include <QColor>
#include <QImage>
#include <QStyleOptionButton>

#include <functional>

// The fixture's package read back to its description, as the skin component holds it.
TSkinDescription FixtureDescription(const skinbuilder::SkinFixture& fixture = skinbuilder::StandardFixture());

// The style every painter leaves to.
const QStyle& BaseStyle();

// The context of a bound control of a window skinned with the description.
TSkinPaintContext PaintContext(const TSkinDescription& skin, bool transparent = false,
                               TSkinOptions options = {});

// An opaque image of the size in the colour, painted on by the call.
QImage Painted(QSize size, QColor background, const std::function<void(QPainter&)>& paint);

// The painter's drawing of the element onto an opaque image of the option's size in the colour, in the
// pinned 13-pixel font; the painter is expected to draw it.
QImage PaintedControl(const TSkinPainter& painter, const TSkinPaintContext& context,
                      QStyle::ControlElement element, const QStyleOption& option, QColor background);

// The option a button of the class gives in the pinned 13-pixel font, of the size at the origin, with
// the state and the text.
template <typename Button>
QStyleOptionButton PinnedButtonOption(QSize size, QStyle::State state, const QString& text)
{
    static Button button;
    button.setFont(PinnedFont(13).ToQFont());
    QStyleOptionButton option;
    option.initFrom(&button);
    option.rect = QRect(QPoint(0, 0), size);
    option.state = state;
    option.text = text;
    return option;
}

// The signature image id of the fixture's member, or -1.
int ObjectIdOf(const skinbuilder::SkinFixture& fixture, const QString& file);

// A fixture with its description, for tests that look up many of its objects.
struct FixtureSkin {
    explicit FixtureSkin(skinbuilder::SkinFixture skinFixture = skinbuilder::StandardFixture())
        : fixture(std::move(skinFixture)), skin(FixtureDescription(fixture))
    {
    }
    FixtureSkin(const FixtureSkin&) = delete; // contexts refer to the description
    FixtureSkin& operator=(const FixtureSkin&) = delete;

    int Id(const QString& file) const { return ObjectIdOf(fixture, file); }
    TSkinPaintContext Context() const { return PaintContext(skin); }
    // A skin colour as painted.
    static QRgb Colour(platform::TColor colour) { return platform::ToQColor(colour).rgb(); }

    const skinbuilder::SkinFixture fixture;
    const TSkinDescription skin;
};

// A background no fixture image and no fixture colour has.
constexpr QRgb CanvasBackground = 0xFF0A1B2C;

// The rows holding at least one pixel of exactly the colour, as runs of adjacent lines:
// two lines of text in that colour give two runs.
int RowRuns(const QImage& image, QColor colour);
// Pixels of exactly the colour inside the rectangle (the whole image when null).
int CountPixels(const QImage& image, QColor colour, QRect within = QRect());
