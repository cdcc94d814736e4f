#pragma once
// What channel 1's window asks of windows built above the playout engine (the file search, the
// combinations and the information window). The program's window set fills these in once it has
// created those windows; an empty one does nothing.
#include "playout/TemaData.h"

#include <QList>
#include <QString>

#include <functional>

class TOFileData;

struct TChannel1Calls {
    // The file search shows when hidden and hides when shown; a minimised one comes back.
    std::function<void()> ToggleSearch;
    std::function<bool(const QString& name)> CombinationExists;
    // A new combination of that name from the entries, in their order; each carries the list's text
    // as its Title.
    std::function<void(const QString& name, const QList<TTemaData>& entries)> AddCombinationFromList;
    // The information window shows the record, modally.
    std::function<void(const TOFileData& data)> ShowFileData;
};
