// Applying the name editor's lines to the listed files.
#pragma once

#include <vector>

#include "framework/afxstr.h"

struct RenameFailure {
    int nIndex;           // position of the file in the name list
    CString strOldName;   // the name the file keeps
    CString strNewName;   // the name on its line
    CString strReason;    // the system's message for the error
    DWORD dwError;        // the system's error code
};

// For each listed file in order, renames folder + current name to folder +
// the name on its line (no temporary names, never replacing anything).
// Fills pNewNames with the lines; current name i becomes the name the file
// really has afterwards. A line equal to its current name is left alone; an
// empty line, or one the platform would store altered (a last part ending
// in '.' or ' ', or empty), fails as an invalid name without touching the
// disk. Returns the renames that failed, in list order.
std::vector<RenameFailure> ApplyRenames(const CString& strFolderPath, const CString& strText, int nCount,
                                        CString* pCurNames, CString* pNewNames);

// The failure report: "전체 N개 중 M개 파일의 이름을 바꾸지 못했습니다." then
// up to 10 lines "old -> new: reason", then "..." when there are more.
CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures);
