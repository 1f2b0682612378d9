// The name list's text format and loading: one name per line in the name
// editor, each followed by "\r\n", lines paired with files by position.
#pragma once

#include <functional>

#include "framework/afxstr.h"

#define MAX_NAMES 2000

// Line join: each of the first nCount names followed by "\r\n".
CString JoinNames(const CString* pNames, int nCount);

// Line split: cuts exactly nCount names off strText into pNames (an empty
// name where no "\r\n" is left) and returns the bytes not consumed.
CString SplitNames(const CString& strText, int nCount, CString* pNames);

// Appends to rNames the name of every file (not folder) that the pattern
// (a folder path followed by "*.*") matches and accept() takes, at most
// MAX_NAMES of them, in the order of enumeration.
class CSortStringArray;
void CollectFileNames(const CString& strPattern, CSortStringArray& rNames,
                      const std::function<bool(const CString&)>& accept);

// Lists the files of a folder path into pNames (room for MAX_NAMES),
// sorted; returns how many were written. Used where no tree item stands
// for the folder.
int ListFolderFiles(const CString& strFolderPath, CString* pNames);
