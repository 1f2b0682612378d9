// The name list's text format and loading: one name per line in the name
// editor, each followed by "\r\n", lines paired with files by position.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/afxstr.h"

#define MAX_NAMES 2000

// Line join: each of the first nCount names followed by "\r\n".
CString JoinNames(const CString* pNames, int nCount);

// Line split: cuts exactly nCount names off strText into pNames and
// returns the bytes not consumed. A last run of text not closed by "\r\n"
// is a name too; past the text's end the names are empty.
CString SplitNames(const CString& strText, int nCount, CString* pNames);

// The number of lines the text holds: a last run not closed by "\r\n"
// counts, empty lines at the end of the text do not.
int CountNameLines(const CString& strText);

// Appends to rNames the name of every file (not folder) of the folder
// (path ending with "\") that accept() takes, in the order of enumeration.
// Files whose names the code page cannot hold are left out: no line may
// stand for them. Their names in full, only to be shown, go to *pLeftOut
// when given (accept() was asked with their nearest spellings, or short
// names where they have one).
class CSortStringArray;
void CollectFileNames(const CString& strFolderPath, CSortStringArray& rNames,
                      const std::function<bool(const CString&)>& accept,
                      std::vector<std::wstring>* pLeftOut = NULL);

// Sorts rNames and writes the first MAX_NAMES of them into pNames (room for
// MAX_NAMES); returns how many were written.
int KeepFirstNames(CSortStringArray& rNames, CString* pNames);

// Lists the files of a folder path into pNames (room for MAX_NAMES): all
// of them sorted, the first MAX_NAMES kept; returns how many were written,
// and in *pnFound (when given) how many were found. Files left out for
// their names go to *pLeftOut (see CollectFileNames) and are not counted.
// Used where no tree item stands for the folder.
int ListFolderFiles(const CString& strFolderPath, CString* pNames, int* pnFound = NULL,
                    std::vector<std::wstring>* pLeftOut = NULL);
