#pragma once
// Waiting for a skinned window's controls: the running skin finds them from the event queue after it
// takes the window over.
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QTest>
#include <QWidget>

// Waits (bounded) until the running skin has a skinner for the window that found its controls; false
// when it never has.
inline bool WaitForControlsFound(const QWidget* window)
{
    return QTest::qWaitFor([window] {
        const TWndSkinForm* skinner = SkinManager ? SkinManager->FindSkinner(window) : nullptr;
        return skinner && skinner->ControlsFound();
    });
}
