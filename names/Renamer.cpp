#include "names/Renamer.h"

#include "names/NameCheck.h"
#include "names/NameList.h"
#include "platform/FileSystem.h"
#include "res/resource.h"

namespace {

const int MAX_REPORTED_FAILURES = 10;

void AddFailure(std::vector<RenameFailure>& failures, int i, const CString& strOld, const CString& strNew,
                DWORD dwError)
{
    failures.push_back({i, strOld, strNew, CString::FormatMessageText(dwError), dwError});
}

// The name below strFolderPath that strPath stands for when it lies directly
// in that folder, else empty.
CString NameInFolder(const CString& strFolderPath, const CString& strPath)
{
    CString strFolder = GetFullPath(strFolderPath);
    if (strFolder.GetLength() > 0 && strFolder.GetAt(strFolder.GetLength() - 1) != '\\')
        strFolder += "\\";
    CString strFull = GetFullPath(strPath);
    if (strFull.Left(strFolder.GetLength()).CompareNoCase(strFolder) != 0)
        return CString();
    CString strName = strFull.Mid(strFolder.GetLength());
    return LastPartStart(strName) == 0 ? strName : CString();
}

}  // namespace

std::vector<RenameFailure> ApplyRenames(const CString& strFolderPath, const CString& strText, int nCount,
                                        CString* pCurNames, CString* pNewNames)
{
    std::vector<RenameFailure> failures;
    // Splitting first gives the same lines as cutting one before each rename.
    SplitNames(strText, nCount, pNewNames);
    if (nCount <= 0)
        return failures;
    // Each source is checked against the folder as it is now, read once.
    CFolderSnapshot snapshot(strFolderPath);
    for (int i = 0; i < nCount; ++i) {
        const CString& strNew = pNewNames[i];
        CString& strCur = pCurNames[i];
        // Unchanged: nothing to do, whatever the platform would answer for a
        // rename onto itself.
        if (strNew.Compare(strCur) == 0)
            continue;
        // Names Windows would refuse, or store under another name than the
        // line's, are refused before the disk is touched.
        if (!IsAcceptableName(strNew, true)) {
            AddFailure(failures, i, strCur, strNew, ERROR_INVALID_NAME);
            continue;
        }
        CString strNewPath = strFolderPath + strNew;
        if (IsPathTooLong(strNewPath)) {
            AddFailure(failures, i, strCur, strNew, ERROR_FILENAME_EXCED_RANGE);
            continue;
        }
        DWORD dwError = RenamePath(strFolderPath + strCur, strNewPath, &snapshot);
        if (dwError) {
            AddFailure(failures, i, strCur, strNew, dwError);
            continue;
        }
        // The name the file now has in the folder, when it is still there:
        // a name with folder parts may lead back into it ("sub\..\x").
        CString strHere = strNew;
        if (LastPartStart(strNew) > 0)
            strHere = NameInFolder(strFolderPath, strNewPath);
        if (strHere.IsEmpty()) {
            strCur = strNew;  // moved out of the folder, as the line asked
            continue;
        }
        // A rename that changes letter case only may be taken as a rename of
        // the file onto itself (Wine does so) and succeed without changing
        // anything; a long name may be stored cut short. Read back the name
        // the file really has.
        bool bShortened = false;
        if (strHere.CompareNoCase(strCur) == 0 || strHere.Compare(strNew) != 0 || MayBeStoredShortened(strHere)) {
            CString strStored = GetStoredName(strNewPath);
            if (strStored.IsEmpty())
                bShortened = MayBeStoredShortened(strHere);  // not found under its own name
            else if (strStored.CompareNoCase(strHere) != 0)
                bShortened = true;
            else if (strStored.Compare(strHere) != 0) {
                AddFailure(failures, i, strStored, strNew, ERROR_ALREADY_EXISTS);
                strCur = strStored;
                continue;
            }
        }
        if (bShortened) {
            // Give the file its own name back: the lookup of the long path
            // finds the shortened entry as the rename made it.
            if (RenamePath(strNewPath, strFolderPath + strCur, &snapshot) == 0) {
                AddFailure(failures, i, strCur, strNew, ERROR_FILENAME_EXCED_RANGE);
                continue;
            }
            AddFailure(failures, i, strHere, strNew, ERROR_FILENAME_EXCED_RANGE);
        }
        strCur = strHere;
    }
    return failures;
}

CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures)
{
    CString strText;
    AfxFormatString2(strText, IDS_RENAME_REPORT, std::to_string(nCount).c_str(),
                     std::to_string(failures.size()).c_str());
    for (size_t i = 0; i < failures.size() && i < (size_t)MAX_REPORTED_FAILURES; ++i) {
        const RenameFailure& f = failures[i];
        const char* parts[3] = {f.strOldName, f.strNewName, f.strReason};
        CString strLine;
        AfxFormatStrings(strLine, IDS_REPORT_LINE, parts, 3);
        strText += "\n" + strLine;
    }
    if (failures.size() > (size_t)MAX_REPORTED_FAILURES)
        strText += "\n" + AfxLoadText(IDS_REPORT_MORE);
    return strText;
}
