#include "framework/afxinst.h"

namespace {
HINSTANCE g_hInstance = NULL;
}  // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return g_hInstance ? g_hInstance : ::GetModuleHandleW(NULL);
}

void AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
}
