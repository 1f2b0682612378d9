// Which paths name the same entry of the file system, decided as Windows
// decides it: a plain function of the strings, no disk is read.
#pragma once

#include <vector>

#include "framework/afxstr.h"

// For each path, a number that two paths share exactly when Windows takes
// them for the same entry: folder parts ("." and "..", "/" for "\")
// resolved, then compared as wide strings ignoring case as the file system
// does (CompareStringOrdinal). The numbers run from 0 upward.
std::vector<int> IdentifyPaths(const std::vector<CString>& paths);

// True when both paths name the same entry in that sense.
bool IsSamePath(const CString& strPath1, const CString& strPath2);
