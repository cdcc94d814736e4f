#include "PainterKit.h"

#include "skin/core/SkinDescriptionReader.h"

#include <QPainter>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include <memory>

TSkinDescription FixtureDescription(const skinbuilder::SkinFixture& fixture)
{
    TSkinLoadResult result = LoadSkinDescription(fixture.Package());
    EXPECT_TRUE(result.description) << result.message.toStdString();
    return result.description ? std::move(*result.description) : TSkinDescription();
}

const QStyle& BaseStyle()
{
    static const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    return *style;
}

TSkinPaintContext PaintContext(const TSkinDescription& skin, bool transparent, TSkinOptions options)
{
    return TSkinPaintContext{skin, options, transparent, BaseStyle()};
}

QImage Painted(QSize size, QColor background, const std::function<void(QPainter&)>& paint)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    paint(painter);
    return image;
}

QImage PaintedControl(const TSkinPainter& painter, const TSkinPaintContext& context,
                      QStyle::ControlElement element, const QStyleOption& option, QColor background)
{
    return Painted(option.rect.size(), background, [&](QPainter& p) {
        p.setFont(PinnedFont(13).ToQFont());
        EXPECT_TRUE(painter.DrawControl(context, element, option, p, nullptr));
    });
}

int ObjectIdOf(const skinbuilder::SkinFixture& fixture, const QString& file)
{
    for (const skinbuilder::ImageLayout& image : fixture.images)
        if (image.file == file)
            return image.objectId;
    return -1;
}

int RowRuns(const QImage& image, QColor colour)
{
    int runs = 0;
    bool inRun = false;
    for (int y = 0; y < image.height(); ++y) {
        bool found = false;
        for (int x = 0; x < image.width() && !found; ++x)
            found = image.pixelColor(x, y).rgb() == colour.rgb();
        if (found && !inRun)
            ++runs;
        inRun = found;
    }
    return runs;
}

int CountPixels(const QImage& image, QColor colour, QRect within)
{
    const QRect area = within.isNull() ? image.rect() : within.intersected(image.rect());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}
