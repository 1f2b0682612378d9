// Randomized renames through the real dialog, cases 0 to 999 of
// seed 20261208; the two halves run as separate programs, side by side.
#include <gtest/gtest.h>

#include "support/Torture.h"

TEST(RenameTorture, NoFileIsLostOverwrittenOrFalselyClaimed)
{
    int cases = 0, files = 0;
    unsigned firstSeed = 0;
    std::string failure = RunRenameTorture(20261208u, 0, 1000, &cases, &files, &firstSeed);
    EXPECT_EQ(failure, "");
    printf("torture: %d cases, %d files, seeds %u..%u\n", cases, files, firstSeed, firstSeed + cases - 1);
}
