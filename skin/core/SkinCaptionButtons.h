#pragma once
// The caption buttons of a skin: one per BUTTON... section, then the three MDI-child buttons.
#include "skin/core/SkinObjects.h"

#include <QStringList>
#include <vector>

struct TSkinSource;

// Every section whose upper-case name begins with BUTTON (other than BUTTON, BUTTONS, BUTTON.RADIO
// and BUTTON.CHECKBOX), in section order, less those with Action -1 unless their Visibility is
// present and 0; then the MDI-child minimize, restore and close buttons cut from [MDICONTROLS] Image.
std::vector<TDataSkinSysButton> ReadCaptionButtons(const TSkinSource& source, const QStringList& sections);
