// The display scale of a window. The program's own pixel numbers are written for
// 96 DPI (100 %) and scaled to the DPI of the display the window is on, so the
// layout looks the same at every scale and is exactly as written at 100 %.
#pragma once

#include "winui/afx.h"

// DPI of the window's display: GetDpiForWindow where the system has it (Windows 10
// 1607 on; looked up at run time so that Windows 7 still starts), else the
// screen's LOGPIXELSY, the one DPI of the system.
UINT WindowDpi(HWND hwnd);

// `pixels` at 96 DPI scaled to `dpi`, rounded to the nearest pixel.
inline int ScalePixels(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), 96); }

// A system metric (icon sizes and the like) for `dpi`: GetSystemMetricsForDpi where
// the system has it, else GetSystemMetrics, which gives it for the system DPI.
int SystemMetricForDpi(int index, UINT dpi);
