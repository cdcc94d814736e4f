#pragma once
// The parts of the skin package, each made by a file of its own: the description, and the images of the
// window's frame, of the buttons, of the other controls and of the menus, as members in the order the
// package lists them.
#include "skinbuilder/SkinPayload.h"

namespace mkskin {

QString Description();
QList<skinbuilder::Member> FrameMembers();
QList<skinbuilder::Member> ButtonMembers();
QList<skinbuilder::Member> ControlMembers();
QList<skinbuilder::Member> MenuMembers();

} // namespace mkskin
