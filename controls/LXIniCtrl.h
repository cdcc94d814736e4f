#pragma once
// The library-wide settings control the application object holds. Its settings store arrives with
// the settings-control part of the library; until then it is an inert component.
#include "controls/LXObjects.h"

class TLXIniCtrl : public TLXCustomComponent {
    Q_OBJECT
public:
    using TLXCustomComponent::TLXCustomComponent;
};
