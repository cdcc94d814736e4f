// libFuzzer target: the container and item readers over arbitrary bytes, for each of the four list
// kinds with and without the index, and the wave's counted form. Each read either loads or raises the
// stream read error (the wave may also refuse its header); what loads is written again and must read
// back to the same counts.
#include "controls/LXContainers.h"
#include "controls/LXErrors.h"
#include "controls/LXWave.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// What a list holds: its item count and, for strips, each one's image count.
std::vector<int> Counts(const TLXCustomContainer& list)
{
    std::vector<int> counts{list.Count()};
    if (const auto* images = dynamic_cast<const TLXImageList*>(&list))
        for (int i = 0; i < list.Count(); ++i)
            counts.push_back(images->ImageCount(i));
    return counts;
}

template <typename List> void Load(const QByteArray& bytes, bool withIndex)
{
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    List list;
    try {
        list.LoadFromStream(input, withIndex);
    } catch (const EReadError&) {
        if (list.Count() != 0)
            std::abort(); // a failed load leaves nothing behind
        return;
    }
    QBuffer output;
    output.open(QIODevice::ReadWrite);
    list.SaveToStream(output, withIndex);
    output.seek(0);
    List again;
    again.LoadFromStream(output, withIndex); // our own output must read back
    if (Counts(again) != Counts(list))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool withIndex : {false, true}) {
        Load<TLXBitmapList>(bytes, withIndex);
        Load<TLXImageList>(bytes, withIndex);
        Load<TLXStringList>(bytes, withIndex);
        Load<TLXWaveList>(bytes, withIndex);
    }
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    TLXWave wave;
    try {
        wave.ReadData(input);
    } catch (const EReadError&) {
    } catch (const EInvalidWave&) {
    }
    return 0;
}
