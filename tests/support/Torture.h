// The randomized rename torture: throwaway folders of random files, a random
// edit script on the name editor's text, the real rename command (its
// question answered Yes or No, some renames stopped at a random move), then
// the rename taken back from the system menu, sometimes after changes that
// block it; and the checks that no file was lost, overwritten, left under a
// temporary name or claimed renamed falsely.
#pragma once

#include <string>

struct TortureFigures {
    int cases = 0;
    int files = 0;
    unsigned firstSeed = 0;
    int answeredNo = 0, answeredYes = 0;  // questions before a shifted rename
    int cycles = 0, moves = 0;            // planned for the renames
    int notRenamed = 0;                   // files reported by the rename
    int takeBacks = 0, changes = 0;       // take-backs, changes made before them
    int notTakenBack = 0;                 // files reported by the take-back
    int batchCommands = 0;                // run on the edited text before the rename
    int stopped = 0;                      // renames stopped at a random move
    int crashed = 0;                      // renames killed at a random move, then recovered
    int oddNames = 0;                     // names beyond Korean, decomposed or unreachable by plain paths
};

// Runs cases [first, first + count) of the torture whose seeds are
// baseSeed + case number; returns an empty string when every case held,
// else the first failure with its seed for replaying. QUORVEL_TORTURE_SEED
// and QUORVEL_TORTURE_CASES override the seed and count.
std::string RunRenameTorture(unsigned baseSeed, int first, int count, TortureFigures& figures);

// The figures as one line for the test's output.
std::string DescribeTorture(const TortureFigures& figures);
