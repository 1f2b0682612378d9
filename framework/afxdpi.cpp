#include "framework/afxdpi.h"

namespace {

template <class F>
F User32Function(const char* pszName)
{
    return (F)(void*)::GetProcAddress(::GetModuleHandleW(L"user32.dll"), pszName);
}

}  // namespace

UINT AfxGetSystemDpi()
{
    HDC hdc = ::GetDC(NULL);
    int nDpi = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSX) : AFX_DEFAULT_DPI;
    if (hdc)
        ::ReleaseDC(NULL, hdc);
    return nDpi > 0 ? (UINT)nDpi : AFX_DEFAULT_DPI;
}

UINT AfxGetWindowDpi(HWND hWnd)
{
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    static const GetDpiForWindowFn pfn = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT nDpi = pfn && hWnd ? pfn(hWnd) : 0;
    return nDpi ? nDpi : AfxGetSystemDpi();
}

int AfxGetSystemMetricsForDpi(int nIndex, UINT nDpi)
{
    typedef int(WINAPI * GetSystemMetricsForDpiFn)(int, UINT);
    static const GetSystemMetricsForDpiFn pfn = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (pfn)
        return pfn(nIndex, nDpi);
    return ::MulDiv(::GetSystemMetrics(nIndex), (int)nDpi, (int)AfxGetSystemDpi());
}
