// The texts the user is shown of a rename: the failure report with its
// reason lines, and the message of a label rename refused or failed. Made
// here from the codes the renamer and the label rename hand back.
#pragma once

#include <vector>

#include "names/Renamer.h"
#include "res/resource.h"
#include "tree/LabelRename.h"

// The reason line the report gives for an error code.
CString RenameReasonText(DWORD dwError);

// The failure report: the first line (string nHeadID: "전체 N개 중 M개
// ..." with the count and the number of files not renamed), then a line
// with the number of files a stop left alone (when there are any), then up
// to 10 lines "old -> new: reason" of the others, then "..." when there
// are more.
CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures,
                           UINT nHeadID = IDS_RENAME_REPORT);

// The message box of a label rename that was refused or failed, and its
// caption.
CString LabelRenameMessage(const LabelRenameResult& result, CString& strCaption);
