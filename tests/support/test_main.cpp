// Entry point of every test executable: the common controls are set up as
// the program sets them up, then GoogleTest runs.
#include <gtest/gtest.h>

#include "framework/afxwin.h"

int main(int argc, char** argv)
{
    AfxWinInitForTests();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
