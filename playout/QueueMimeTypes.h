#pragma once
// What a drag into a channel's queue carries. Each source names itself by a private MIME type, so
// the queue can tell its own rows from the search results, a folder page or the combinations tree;
// files from the desktop come as "text/uri-list".
#include "playout/TemaData.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

class QMimeData;

// The selected rows of a channel's own list; the payload is the channel's number.
inline constexpr char ChannelItemsMimeType[] = "application/x-sonvela-channel-items";
// The selected paths of the file search's result list, in list order.
inline constexpr char SearchFilesMimeType[] = "application/x-sonvela-search-files";
// The selected items of a folder page, in list order, as the page's records describe them.
inline constexpr char FolderFilesMimeType[] = "application/x-sonvela-folder-files";
// The selected nodes of the combinations tree, in selection order, each with its direct children.
inline constexpr char CombinationNodesMimeType[] = "application/x-sonvela-combination-nodes";

// Kinds of the combinations tree's nodes.
inline constexpr int32_t NodeKindRoot = 0;
inline constexpr int32_t NodeKindCombination = 1;
inline constexpr int32_t NodeKindFile = 2; // a file of a combination

// A node of the combinations tree as a drag carries it: its kind, its name (a combination's name or
// the file's path) and its direct children.
struct TDraggedNode {
    int32_t Kind = 0;
    QString Name;
    QList<TDraggedNode> Children; // only one level: children carry none
};

void EncodeChannelItems(QMimeData& mime, int channelNo);
// The channel whose rows are dragged; 0 when the drag carries none.
int DecodeChannelItems(const QMimeData& mime);

// A week: no entry plays longer, and the queue's time bookkeeping never overflows.
inline constexpr int64_t MaxDroppedDuration = 7 * 24 * 3600;

void EncodeSearchFiles(QMimeData& mime, const QStringList& paths);
QStringList DecodeSearchFiles(const QMimeData& mime);

// Title (the record's display name), FileName, Duration, Bitrate and Keep of each item count; a
// duration outside 0 to MaxDroppedDuration seconds is brought to the nearer end.
void EncodeFolderFiles(QMimeData& mime, const QList<TTemaData>& items);
QList<TTemaData> DecodeFolderFiles(const QMimeData& mime);

void EncodeCombinationNodes(QMimeData& mime, const QList<TDraggedNode>& nodes);
QList<TDraggedNode> DecodeCombinationNodes(const QMimeData& mime);
