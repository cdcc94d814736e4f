#pragma once
// Opening a skin package where windows exist: the user sees the old-version message as a message
// box; any other failure comes back in the result for the caller to log.
#include "skin/core/SkinReader.h"

SkinPackageResult OpenSkinPackage(TSkinReader& reader, QByteArrayView package);
