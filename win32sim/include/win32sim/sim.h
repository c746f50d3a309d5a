// Test-facing controls of the stand-in: a clean slate between tests, plus the screen's controls.
// Native host only; nothing here exists on Windows.
#pragma once

#include <windows.h>

#include "win32sim/sim_screen.h"

// Destroys every window, empties every message queue and forgets focus, activation, capture
// and keyboard state, then resets the screen; call between tests while no UI thread runs.
void SimReset();
