#pragma once
// A folder turned into the records of its audio files, for the folder pages and the combinations.
#include "audioinfo/OFileData.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// One listed file: its entry name and the record that goes with it.
struct FolderFile {
    QString Name;
    std::unique_ptr<TOFileData> Data;
};
using FolderFileList = std::vector<FolderFile>;

// Clears the list, then lists the audio-named files of the folder (not of its sub-folders, hidden
// ones too, sorted by name without regard to case) whose information reads. Returns how many
// audio-named files it saw, listed or not; nothing when DriveExists fails for the folder.
int LoadFolderFiles(const QString& folder, FolderFileList& list);

// Lists as LoadFolderFiles does, handing each listed file to take as soon as it is read; the listing
// ends early when take returns false. Returns how many audio-named files it saw.
int EachFolderFile(const QString& folder, const std::function<bool(FolderFile&& file)>& take);
