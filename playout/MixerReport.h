#pragma once
// The technician's report of the mixers: every device with its destination lines, their source lines
// and the controls of each line, as indented text lines.
#include <QStringList>

#include <cstdint>

class TAudioMixer;

// The lines of the device open in the mixer; nothing when none is open.
QStringList MixerDeviceReport(const TAudioMixer& mixer);
// Every device of the mixer's back-end in turn; the mixer is left on the last one.
QStringList MixerReport(TAudioMixer& mixer);
// What a control's type is reported as: the first type it equals, else the first whose bits it
// contains; empty for none of them.
QString ControlTypeName(uint32_t type);
