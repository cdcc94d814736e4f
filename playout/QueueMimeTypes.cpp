#include "playout/QueueMimeTypes.h"

#include <QDataStream>

#include <QIODevice>
#include <QMimeData>
#include <algorithm>

namespace {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_4;

template <typename Write> QByteArray Encode(Write write)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    write(out);
    return bytes;
}

// A payload that does not read back whole counts as none, so a stray drag adds nothing.
template <typename Value, typename Read> Value Decode(const QMimeData& mime, const char* type, Read read)
{
    const QByteArray bytes = mime.data(QLatin1String(type));
    QDataStream in(bytes);
    in.setVersion(StreamVersion);
    Value value = read(in);
    return in.status() == QDataStream::Ok ? value : Value{};
}

void WriteNode(QDataStream& out, const TDraggedNode& node)
{
    out << node.Kind << node.Name;
}

TDraggedNode ReadNode(QDataStream& in)
{
    TDraggedNode node;
    in >> node.Kind >> node.Name;
    return node;
}

// A count the payload cannot hold (each string takes at least its 4-byte length) marks it as broken,
// so nothing is set aside for it before reading.
bool CountFits(const QDataStream& in, quint32 count)
{
    return count <= quint64(in.device()->bytesAvailable()) / 4;
}

} // namespace

void EncodeChannelItems(QMimeData& mime, int channelNo)
{
    mime.setData(QLatin1String(ChannelItemsMimeType), QByteArray::number(channelNo));
}

int DecodeChannelItems(const QMimeData& mime)
{
    return mime.data(QLatin1String(ChannelItemsMimeType)).toInt();
}

void EncodeSearchFiles(QMimeData& mime, const QStringList& paths)
{
    mime.setData(QLatin1String(SearchFilesMimeType), Encode([&](QDataStream& out) { out << paths; }));
}

QStringList DecodeSearchFiles(const QMimeData& mime)
{
    return Decode<QStringList>(mime, SearchFilesMimeType, [](QDataStream& in) {
        QStringList paths;
        quint32 count = 0;
        in >> count;
        if (!CountFits(in, count)) {
            in.setStatus(QDataStream::ReadCorruptData);
            return paths;
        }
        for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            QString path;
            in >> path;
            paths.append(path);
        }
        return paths;
    });
}

void EncodeFolderFiles(QMimeData& mime, const QList<TTemaData>& items)
{
    mime.setData(QLatin1String(FolderFilesMimeType), Encode([&](QDataStream& out) {
                     out << qint32(items.size());
                     for (const TTemaData& item : items)
                         out << item.Title << item.FileName << qint64(item.Duration) << qint64(item.Bitrate)
                             << quint8(item.Keep);
                 }));
}

QList<TTemaData> DecodeFolderFiles(const QMimeData& mime)
{
    return Decode<QList<TTemaData>>(mime, FolderFilesMimeType, [](QDataStream& in) {
        QList<TTemaData> items;
        qint32 count = 0;
        in >> count;
        for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            TTemaData item;
            qint64 duration = 0;
            qint64 bitrate = 0;
            quint8 keep = 0;
            in >> item.Title >> item.FileName >> duration >> bitrate >> keep;
            item.Duration = std::clamp<qint64>(duration, 0, MaxDroppedDuration);
            item.Bitrate = bitrate;
            item.Keep = keep;
            items.append(item);
        }
        return items;
    });
}

void EncodeCombinationNodes(QMimeData& mime, const QList<TDraggedNode>& nodes)
{
    mime.setData(QLatin1String(CombinationNodesMimeType), Encode([&](QDataStream& out) {
                     out << qint32(nodes.size());
                     for (const TDraggedNode& node : nodes) {
                         WriteNode(out, node);
                         out << qint32(node.Children.size());
                         for (const TDraggedNode& child : node.Children)
                             WriteNode(out, child);
                     }
                 }));
}

QList<TDraggedNode> DecodeCombinationNodes(const QMimeData& mime)
{
    return Decode<QList<TDraggedNode>>(mime, CombinationNodesMimeType, [](QDataStream& in) {
        QList<TDraggedNode> nodes;
        qint32 count = 0;
        in >> count;
        for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            TDraggedNode node = ReadNode(in);
            qint32 children = 0;
            in >> children;
            for (qint32 c = 0; c < children && in.status() == QDataStream::Ok; ++c)
                node.Children.append(ReadNode(in));
            nodes.append(node);
        }
        return nodes;
    });
}
