#include "audioinfo/ItemDuration.h"

#include "audioinfo/OFileData.h"
#include "foundation/QueueEntryText.h"

int64_t GetItemDuration(const QString& text)
{
    switch (GetItemKind(text)) {
    case ItemKindFile:
        return GetFileDuration(text);
    case ItemKindLineIn:
        return GetLineInSeconds(text);
    default:
        return 0;
    }
}
