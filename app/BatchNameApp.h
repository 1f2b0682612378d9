// The application object: runs the main dialog and ends with it.
#pragma once

#include "framework/afxwin.h"

class CBatchNameApp : public CWinApp {
public:
    CBatchNameApp();
    ~CBatchNameApp() override;
    BOOL InitInstance() override;
};

extern CBatchNameApp theApp;
