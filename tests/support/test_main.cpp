// Entry point of every test executable: the common controls are set up as
// the program sets them up, then GoogleTest runs.
#include <gtest/gtest.h>

#include "framework/afxwin.h"

// The application object, as the program has one: dialogs under test
// become its main window, the owner of the modal dialogs they open.
static CWinApp s_testApp;

int main(int argc, char** argv)
{
    AfxWinInitForTests();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
