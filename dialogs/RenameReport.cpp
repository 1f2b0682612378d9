#include "dialogs/RenameReport.h"

#include <algorithm>

namespace {

const size_t MAX_REPORTED_FAILURES = 10;

}  // namespace

CString RenameReasonText(DWORD dwError)
{
    switch (dwError) {
    case RENAME_ERROR_NOW_FOLDER:
        return AfxLoadText(IDS_REASON_NOW_FOLDER);
    case RENAME_ERROR_FILE_CHANGED:
        return AfxLoadText(IDS_REASON_FILE_CHANGED);
    case RENAME_ERROR_FILE_MOVED:
        return AfxLoadText(IDS_REASON_FILE_MOVED);
    }
    return CString::FormatMessageText(dwError);
}

CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures, UINT nHeadID)
{
    CString strText;
    AfxFormatString2(strText, nHeadID, std::to_wstring(nCount).c_str(), std::to_wstring(failures.size()).c_str());
    // Files a stop left alone are counted in one line, before the failures.
    const size_t nStopped = std::count_if(failures.begin(), failures.end(),
                                          [](const RenameFailure& f) { return f.dwError == ERROR_CANCELLED; });
    if (nStopped) {
        CString strLine;
        AfxFormatString1(strLine, IDS_REPORT_STOPPED, std::to_wstring(nStopped).c_str());
        strText += L"\n" + strLine;
    }
    size_t nShown = 0;
    for (const RenameFailure& f : failures) {
        if (f.dwError == ERROR_CANCELLED)
            continue;
        if (nShown++ == MAX_REPORTED_FAILURES) {
            strText += L"\n" + AfxLoadText(IDS_REPORT_MORE);
            break;
        }
        const CString strReason = RenameReasonText(f.dwError);
        const wchar_t* parts[3] = {f.strOldName, f.strNewName, strReason};
        CString strLine;
        AfxFormatStrings(strLine, IDS_REPORT_LINE, parts, 3);
        strText += L"\n" + strLine;
    }
    return strText;
}

CString LabelRenameMessage(const LabelRenameResult& result, CString& strCaption)
{
    CString strText;
    switch (result.outcome) {
    case LABEL_EMPTY:
        strCaption = AfxLoadText(IDS_RENAME_CAPTION);
        return AfxLoadText(IDS_NAME_REQUIRED);
    case LABEL_NAME_IN_USE:
        AfxFormatString1(strText, IDS_NAME_IN_USE, result.strNamed);
        break;
    default:
        AfxFormatString2(strText, IDS_CANNOT_RENAME, result.strNamed, CString::FormatMessageText(result.dwError));
        break;
    }
    strCaption = AfxLoadText(IDS_RENAME_ERROR_CAPTION);
    return strText;
}
