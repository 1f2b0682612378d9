// What a rename would do, seen before anything moves: a row for each file
// the plan renames (its final name, whatever chain, swap or rotation it
// goes through) and for each line the plan refuses, in list order. Made
// from the plan alone: nothing on disk is asked.
#pragma once

#include "names/NameList.h"

#include <windows.h>

#include <vector>

#include "framework/afxstr.h"
#include "names/RenamePlan.h"

struct PreviewRow {
    int nIndex;       // the file, by its position in the name list
    CString strOld;   // the name the list shows for it now
    CString strNew;   // the name it gets, or its line that is refused
    DWORD dwError;    // 0 when it is renamed, else what the report gives as the reason
};

struct RenamePreview {
    std::vector<PreviewRow> rows;  // in list order
    int nRenamed = 0;              // rows renamed (refused ones not counted)
};

// The rows of a plan of the renames of the listed files to newNames.
RenamePreview PreviewPlan(const RenamePlan& plan, const CNameList& list, const std::vector<CString>& newNames);
