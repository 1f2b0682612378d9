// The DPI a window is drawn at, and sizes at a DPI, through the calls that
// only newer Windows versions have, looked up at run time, so that the
// program still starts on Windows 7 (where the system's DPI serves).
#pragma once

#include <windows.h>

// 96 DPI is 100%: layout constants are pixels at this DPI.
#define AFX_DEFAULT_DPI 96

// The DPI of the window's monitor (GetDpiForWindow), else the system's.
UINT AfxGetWindowDpi(HWND hWnd);

// The system's DPI, which the other metrics are given at.
UINT AfxGetSystemDpi();

// A system metric (SM_CXICON, SM_CXSMICON...) at the DPI: asked of the
// system where it can tell (GetSystemMetricsForDpi), else scaled from the
// system's DPI.
int AfxGetSystemMetricsForDpi(int nIndex, UINT nDpi);

// A length in pixels at 96 DPI, at the DPI.
inline int AfxScaleForDpi(int nPixels, UINT nDpi)
{
    return ::MulDiv(nPixels, (int)nDpi, AFX_DEFAULT_DPI);
}
