#include "audioinfo/FolderListing.h"

#include "foundation/Files.h"
#include "foundation/General.h"

#include <QStringList>

int LoadFolderFiles(const QString& folder, FolderFileList& list)
{
    list.clear();
    return EachFolderFile(folder, [&list](FolderFile&& file) {
        list.push_back(std::move(file));
        return true;
    });
}

int EachFolderFile(const QString& folder, const std::function<bool(FolderFile&& file)>& take)
{
    QStringList names;
    ListFiles(folder, QStringLiteral("*"), names);
    int seen = 0;
    for (const QString& name : names) {
        if (!IsAudioFile(name))
            continue;
        ++seen;
        const QString path = JoinPath(folder, name);
        std::unique_ptr<TOFileData> data = TOFileData::CreateNamed(name, path, FileSizeByName(path), false);
        if (data->ReadTags() && !take({name, std::move(data)}))
            break;
    }
    return seen;
}
