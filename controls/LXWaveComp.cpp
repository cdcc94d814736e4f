#include "controls/LXWaveComp.h"

TLXWaveComp::TLXWaveComp(QObject* owner) : TLXCustomComponent(owner) {}
