// Randomized renames through the real dialog, cases 0 to 999 of
// seed 20261208; the two halves run as separate programs, side by side.
#include <gtest/gtest.h>

#include "support/Torture.h"

TEST(RenameTorture, NoFileIsLostOverwrittenOrFalselyClaimed)
{
    TortureFigures figures;
    std::string failure = RunRenameTorture(20261208u, 0, 1000, figures);
    EXPECT_EQ(failure, "");
    printf("torture: %s\n", DescribeTorture(figures).c_str());
}
