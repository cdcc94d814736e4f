#include "skin/SkinPackageOpen.h"

#include "platform_gui/Dialogs.h"

SkinPackageResult OpenSkinPackage(TSkinReader& reader, QByteArrayView package)
{
    SkinPackageResult result = reader.Open(package);
    if (result.status == SkinPackageStatus::OldVersion)
        platform::ShowMessage(result.message);
    return result;
}
