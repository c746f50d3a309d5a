// The application object: runs the main dialog modally from InitInstance and then ends the program.
// No frame window, no message loop of its own, no settings.
#pragma once

#include "framework.h"

class CGemApp : public CWinApp {
public:
    CGemApp();
    ~CGemApp() override;

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CGemApp theApp;
