// The randomized rename torture: throwaway folders of random files, a random
// edit script on the name editor's text, the real rename command, and the
// checks that no file was lost, overwritten or claimed renamed falsely.
#pragma once

#include <string>

// Runs cases [first, first + count) of the torture whose seeds are
// baseSeed + case number; returns an empty string when every case held,
// else the first failure with its seed for replaying. QUORVEL_TORTURE_SEED
// and QUORVEL_TORTURE_CASES override the seed and count.
std::string RunRenameTorture(unsigned baseSeed, int first, int count, int* pCasesRun, int* pFilesSeen,
                             unsigned* pFirstSeed);
