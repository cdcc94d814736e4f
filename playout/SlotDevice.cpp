#include "playout/SlotDevice.h"

#include "foundation/Strings.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"
#include "playout/MediaError.h"

bool InitSlotOutputDevice(int slot)
{
    const int index = SlotDeviceIndex(slot);
    // The device tables are filled at start-up before the slots' set-up; a device they do not list
    // has nothing to initialise.
    if (OutputDevices[static_cast<size_t>(index)].Flag < 0)
        return false;
    if (!InitOutputDevice(index)) {
        const int code = MediaErrorCode();
        if (code != 0 && code != audiolib::ErrorAlready) {
            ShowMediaError(QStringLiteral("Can not initialize device ") + Quoted(Channels[slot].Device));
            return false;
        }
    }
    return true;
}
