#pragma once
// The folders window's progress message; a stand-in with the window's names until the window itself is built.
#include "shell/StubWindow.h"

class TFMessage : public TStubWindow {
    Q_OBJECT
public:
    TFMessage() : TStubWindow("TFMessage", "FMessage") {}
};

inline TFMessage* FMessage = nullptr;
