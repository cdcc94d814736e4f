#pragma once
// The line-in event dialog; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFLineInEvent : public TStubWindow {
    Q_OBJECT
public:
    TFLineInEvent() : TStubWindow("TFLineInEvent", "FLineInEvent") {}
};

inline TFLineInEvent* FLineInEvent = nullptr;
