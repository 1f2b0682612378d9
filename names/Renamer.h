// Applying the name editor's lines to the listed files.
#pragma once

#include <vector>

#include "framework/afxstr.h"
#include "res/resource.h"

struct RenamePlan;

struct RenameFailure {
    int nIndex;           // position of the file in the name list
    CString strOldName;   // the name the file keeps
    CString strNewName;   // the name on its line
    CString strReason;    // the system's message for the error
    DWORD dwError;        // the system's error code
};

// Renames the listed files of strFolderPath to the lines of strText, line i
// for file i: splits the text into pNewNames, plans the renames
// (PlanRenames) and carries the plan out (ApplyPlan). A file past the
// text's last line has no line: it keeps its name and is not reported.
// pDiskNames, when given, are the files' exact names on disk beside the
// names the list shows (pCurNames).
std::vector<RenameFailure> ApplyRenames(const CString& strFolderPath, const CString& strText, int nCount,
                                        CString* pCurNames, CString* pNewNames, CString* pDiskNames = NULL);

// Carries out the plan's moves in strFolderPath, in order; every move goes
// through the platform's rename, which never replaces anything. Current
// name i becomes the name file i really has afterwards: a name stored
// otherwise than asked (a change of case the platform ignored, a name cut
// short) is read back, and a name cut short is given back. When a move of a
// cycle fails, the moves already made are undone and every file of the
// cycle is reported. A file that moved gets its new name on disk in
// pDiskNames (when given) and shown in pCurNames. Returns the failures and
// refusals, in list order.
std::vector<RenameFailure> ApplyPlan(const CString& strFolderPath, const RenamePlan& plan, CString* pCurNames,
                                     const CString* pNewNames, CString* pDiskNames = NULL);

// The failure report: the first line (string nHeadID: "전체 N개 중 M개
// ..." with the count and the number of failures), then up to 10 lines
// "old -> new: reason", then "..." when there are more.
CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures,
                           UINT nHeadID = IDS_RENAME_REPORT);
