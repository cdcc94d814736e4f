// Writes the seed streams of containers_fuzz with our own writers: each list kind, masked and
// unmasked strips, compressed and plain items, with and without the index. Usage: containers_seeds OUT
#include "controls/LXContainers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QtEndian>
#include <cmath>

namespace {

platform::TBitmap Cells(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 5 == 0 ? qRgb(255, 0, 255) : qRgb(x * 8 % 256, y * 16 % 256, 90));
    platform::TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

// A 16-bit mono PCM file of a few frames.
QByteArray SmallWav()
{
    const int frames = 32;
    QByteArray bytes("RIFF....WAVEfmt ");
    const auto put32 = [&](uint32_t v) { bytes += QByteArray(reinterpret_cast<const char*>(&v), 4); };
    const auto put16 = [&](uint16_t v) { bytes += QByteArray(reinterpret_cast<const char*>(&v), 2); };
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(16000);
    put16(2);
    put16(16);
    bytes += "data";
    put32(frames * 2);
    for (int i = 0; i < frames; ++i)
        put16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.7))));
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(bytes.size() - 8), bytes.data() + 4);
    return bytes;
}

void Fill(TLXCustomContainer& list, bool compressed)
{
    switch (list.ListKind()) {
    case TLXCustomContainer::lkBitmapList:
        static_cast<TLXBitmapListItem*>(list.Add())->SetBitmap(Cells(5, 3));
        list.Add()->SetDescription("empty");
        break;
    case TLXCustomContainer::lkImageList:
        for (bool masked : {false, true}) {
            auto* strip = static_cast<TLXImageListItem*>(list.Add());
            strip->SetWidth(4);
            strip->SetHeight(4);
            strip->SetMasked(masked);
            const platform::TBitmap cells = Cells(12, 4);
            strip->Add(&cells, nullptr);
            platform::TBitmap keyed = Cells(4, 4);
            strip->ReplaceMasked(1, keyed, 0xFF00FF);
        }
        break;
    case TLXCustomContainer::lkStringList:
        static_cast<TLXStringListItem*>(list.Add())->SetItems({"news", "", "jingle at the hour"});
        list.Add()->SetIdent(9);
        break;
    case TLXCustomContainer::lkWaveList:
        static_cast<TLXWaveListItem*>(list.Add())->Wave().SetData(SmallWav());
        break;
    }
    for (int i = 0; i < list.Count(); ++i)
        list.Items(i)->SetCompressed(compressed);
}

bool Write(const QString& path, const TLXCustomContainer& list, bool withIndex)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    list.SaveToStream(file, withIndex);
    return true;
}

template <typename List> bool WriteKind(const QString& out, const QString& name)
{
    for (bool compressed : {false, true})
        for (bool withIndex : {false, true}) {
            List list;
            Fill(list, compressed);
            const QString path =
                QString("%1/%2-%3-%4")
                    .arg(out, name, compressed ? "packed" : "plain", withIndex ? "index" : "noindex");
            if (!Write(path, list, withIndex))
                return false;
        }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QFile wave(out + "/wave-counted");
    if (!wave.open(QIODevice::WriteOnly))
        return 1;
    TLXWave counted;
    counted.SetData(SmallWav());
    counted.WriteData(wave);
    const bool ok = WriteKind<TLXBitmapList>(out, "bitmaps") && WriteKind<TLXImageList>(out, "images") &&
                    WriteKind<TLXStringList>(out, "strings") && WriteKind<TLXWaveList>(out, "waves");
    return ok ? 0 : 1;
}
