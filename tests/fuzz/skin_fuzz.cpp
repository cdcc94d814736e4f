// libFuzzer target: skin packages. Opening refuses with a message or keeps members that all come out
// whole; the decoder alone gives exactly the length asked for, whatever its input; a package read to
// its whole description gives one or a message, and every object it gives paints at any size.
#include "Sink.h"
#include "skin/core/LZH.h"
#include "skin/core/SkinDescriptionReader.h"
#include "skin/core/SkinDraw.h"
#include "skin/core/SkinReader.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// Each object's image as the painters use it: a small frame and a larger one of a cell that may be
// beyond its count, a strip, a centred cell and a bar.
void PaintObject(const TDataSkinObject& object)
{
    QImage canvas(48, 48, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    for (const QSize size : {QSize(3, 3), QSize(40, 24)})
        DrawSkinFrame(painter, QRect(QPoint(2, 2), size), object.Image, object.Frames % 2 == 0,
                      object.Tile == 1, object.Trans == 1, object.Frames, 7, object.Edges());
    DrawSkinStrip(painter, QRect(0, 0, 30, 10), object.Image, false, true, object.Frames, 2, object.Edges());
    DrawSkinCellCentered(painter, QRect(0, 0, 8, 8), object.Image, true, object.Frames, 0);
    DrawSkinHBar(painter, QRect(0, 0, 5, 20), object.Image, true, object.Frames, 1, object.Edges());
}

void ReadDescription(const TSkinReader& package)
{
    const TSkinLoadResult loaded = ReadSkinDescription(package);
    if (!loaded.description) {
        if (loaded.message.isEmpty())
            std::abort();
        return;
    }
    const TSkinDescription& d = *loaded.description;
    fuzz::Keep(d.SkinName);
    for (const TDataSkinObject* object :
         std::initializer_list<const TDataSkinObject*>{&d.Left, &d.Right, &d.Top, &d.Bottom, &d.Buttons})
        PaintObject(*object);
    for (const TDataSkinSysButton& button : d.SysButtons)
        PaintObject(button);
    for (const auto* object : {&d.MenuItem, &d.SunkEdge, &d.Scrollbar, &d.TabPane})
        if (*object)
            PaintObject(**object);
    if (d.ComboButton)
        PaintObject(*d.ComboButton);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    TSkinReader reader;
    const SkinPackageResult result = reader.Open(bytes);
    if (!result && result.message.isEmpty())
        std::abort();
    for (const QString& name : reader.Names())
        fuzz::Keep(reader.ExtractByName(name).size());
    QString name;
    fuzz::Keep(reader.ExtractByPart(".ini", name).size());
    fuzz::Keep(name);
    if (result)
        ReadDescription(reader);

    // The first two bytes choose how much to decode (up to 64 KiB: enough literals to rebuild the tree).
    const size_t wanted = size >= 2 ? size_t(data[0]) | size_t(data[1]) << 8 : 0;
    const size_t length = std::min(TLZH::MaxDecodedLength(size), wanted);
    TLZH decoder;
    if (decoder.Decode({data, size}, length).size() != length)
        std::abort();
    return 0;
}
