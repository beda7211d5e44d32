#pragma once
// The stacking of windows on the X server, for the screenshot tests.

#include <gdk/gdk.h>

// Whether a mapped window of another client lies over ours (false when that
// cannot be told, as on a display that is not X).
bool CoveredByAnotherWindow(GdkWindow* ours);
