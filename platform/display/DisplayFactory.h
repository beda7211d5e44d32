#pragma once
// Chooses and opens the display back end for this run.
//
// "headless" when RUPINAKO_HEADLESS=1, when neither DISPLAY nor
// WAYLAND_DISPLAY is set, when the program was built without GTK, or when GTK
// cannot open the display; "window" otherwise. Never throws and never returns
// null. The caller owns the result (usually handing it to SetDisplayBackEnd).

#include <memory>

#include "platform/controls/DisplayBackEnd.h"

std::unique_ptr<DisplayBackEnd> CreateDisplayBackEnd();
