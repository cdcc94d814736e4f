#pragma once
// A skin package read to its whole description.
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinDescription.h"
#include "skin/core/SkinReader.h"

#include <QByteArrayView>
#include <optional>

class TQuickIni;

// Every section and key of the description INI, with the images it names taken from the package's
// members. Raises ESkinError for an image member that is not a readable bitmap.
TSkinDescription ReadSkinIni(const TQuickIni& ini, const TSkinMembers& members);

struct TSkinLoadResult {
    SkinPackageStatus status = SkinPackageStatus::Damaged;
    // OldSkinMessage for an old package, what is wrong for a damaged one; empty when read.
    QString message;
    std::optional<TSkinDescription> description;
};

// Opens the package's bytes and reads its description (ReadSkinDescription). Nothing is kept from a
// package that fails: the caller keeps the skin it has.
TSkinLoadResult LoadSkinDescription(QByteArrayView package);

// The description of an opened package: its first member whose name contains ".ini", read whole with
// the images it names; Damaged, with the reason, when an image cannot be read.
TSkinLoadResult ReadSkinDescription(const TSkinReader& package);
