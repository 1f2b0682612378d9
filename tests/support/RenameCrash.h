// A rename killed between two moves: the test program starts itself again
// as a child that renames with its journal; before a chosen move the
// child's hook tells the parent and waits, and the parent ends it with
// TerminateProcess, so the kill always falls at that move.
#pragma once

#include <string>
#include <vector>

struct CrashRename {
    std::wstring folder;  // ending with "\"
    std::vector<std::wstring> shown, disk, wanted;
    int nKillBefore = 0;  // the moves made before the kill
};

// True once the child was killed; false when it ended before that move.
bool RenameAndKill(const CrashRename& job);
// The child's part when this process was started as one (its exit code),
// else -1.
int RunRenameCrashChild();
