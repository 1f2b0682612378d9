#include "names/Renamer.h"

#include <algorithm>

#include "names/NameCheck.h"
#include "names/NameList.h"
#include "names/RenamePlan.h"
#include "platform/FileSystem.h"
#include "platform/PathIdentity.h"

namespace {

const int MAX_REPORTED_FAILURES = 10;
// Other temporary names tried when the disk already holds the planned one.
const int TEMP_NAME_TRIES = 16;

void AddFailure(std::vector<RenameFailure>& failures, int i, const CString& strOld, const CString& strNew,
                DWORD dwError)
{
    failures.push_back({i, strOld, strNew, CString::FormatMessageText(dwError), dwError});
}

// The name below strFolderPath that strPath stands for when it lies directly
// in that folder, else empty.
CString NameInFolder(const CString& strFolderPath, const CString& strPath)
{
    CString strFolder = ResolvePathText(strFolderPath);
    if (strFolder.GetLength() > 0 && strFolder.GetAt(strFolder.GetLength() - 1) != L'\\')
        strFolder += L"\\";
    CString strFull = ResolvePathText(strPath);
    if (!IsSamePath(strFull.Left(strFolder.GetLength()), strFolder))
        return CString();
    CString strName = strFull.Mid(strFolder.GetLength());
    return LastPartStart(strName) == 0 ? strName : CString();
}

// File i has just been moved from strCur (its name on disk) to strNew:
// strCur becomes the name it really has, and a name stored otherwise than
// asked is reported.
void FinishMove(const CString& strFolderPath, int i, CString& strCur, const CString& strNew,
                std::vector<RenameFailure>& failures, CFolderSnapshot& snapshot)
{
    const CString strNewPath = strFolderPath + strNew;
    // The name the file now has in the folder, when it is still there:
    // a name with folder parts may lead back into it ("sub\..\x").
    CString strHere = strNew;
    if (LastPartStart(strNew) > 0)
        strHere = NameInFolder(strFolderPath, strNewPath);
    if (strHere.IsEmpty()) {
        strCur = strNew;  // moved out of the folder, as the line asked
        return;
    }
    // A rename that changes letter case only may be taken as a rename of
    // the file onto itself (Wine does so) and succeed without changing
    // anything; a long name may be stored cut short. Read back the name
    // the file really has.
    // Letter case is compared as the file system compares it.
    bool bShortened = false;
    if (strHere.Compare(strNew) != 0 || MayBeStoredShortened(strHere) ||
        IsSamePath(strFolderPath + strHere, strFolderPath + strCur)) {
        CString strStored = GetStoredName(strNewPath);
        if (strStored.IsEmpty())
            bShortened = MayBeStoredShortened(strHere);  // not found under its own name
        else if (!IsSamePath(strFolderPath + strStored, strFolderPath + strHere))
            bShortened = true;
        else if (strStored.Compare(strHere) != 0) {
            AddFailure(failures, i, strStored, strNew, ERROR_ALREADY_EXISTS);
            strCur = strStored;
            return;
        }
    }
    if (bShortened) {
        // Give the file its own name back: the lookup of the long path
        // finds the shortened entry as the rename made it.
        if (RenamePath(strNewPath, strFolderPath + strCur, &snapshot) == 0) {
            AddFailure(failures, i, strCur, strNew, ERROR_FILENAME_EXCED_RANGE);
            return;
        }
        AddFailure(failures, i, strHere, strNew, ERROR_FILENAME_EXCED_RANGE);
    }
    strCur = strHere;
}

// Moves strFrom to the temporary name, or to another temporary name when
// the disk already holds that one; rStrTemp becomes the name used.
DWORD MoveToTemp(const CString& strFolderPath, const CString& strFrom, CString& rStrTemp, CFolderSnapshot& snapshot)
{
    const CString strPlanned = rStrTemp;
    DWORD dwError = RenamePath(strFolderPath + strFrom, strFolderPath + rStrTemp, &snapshot);
    for (int k = 2; k <= TEMP_NAME_TRIES && (dwError == ERROR_ALREADY_EXISTS || dwError == ERROR_FILE_EXISTS); ++k) {
        rStrTemp = strPlanned + L"-" + std::to_wstring(k).c_str();
        dwError = RenamePath(strFolderPath + strFrom, strFolderPath + rStrTemp, &snapshot);
    }
    return dwError;
}

// The list's names of the files being renamed: the names shown, the exact
// names on disk (the same array when the list keeps no other) and the new
// names wanted.
struct ListNames {
    CString* pCur;
    CString* pDisk;
    const CString* pNew;

    // File i now has the name strName on disk; a name the rename gave it is
    // shown as it is.
    void Moved(int i, const CString& strName)
    {
        if (pDisk[i] == strName)
            return;
        pDisk[i] = strName;
        pCur[i] = strName;
    }
    // File i has just been moved to strTo: it takes the name it really has.
    void Finish(const CString& strFolderPath, int i, const CString& strTo, std::vector<RenameFailure>& failures,
                CFolderSnapshot& snapshot)
    {
        CString strName = pDisk[i];
        FinishMove(strFolderPath, i, strName, strTo, failures, snapshot);
        Moved(i, strName);
    }
};

// The moves [first, end) of one cycle: the first file to the temporary
// name, the others each into the name the one before freed, the first
// from the temporary name into its new name. All of them or none.
void ApplyCycle(const CString& strFolderPath, const std::vector<RenameMove>& moves, size_t first, size_t end,
                CString strTemp, ListNames& names, std::vector<RenameFailure>& failures, CFolderSnapshot& snapshot)
{
    DWORD dwError = MoveToTemp(strFolderPath, moves[first].strFrom, strTemp, snapshot);
    size_t done = first;
    if (!dwError) {
        for (done = first + 1; done < end; ++done) {
            const RenameMove& mv = moves[done];
            const CString& strFrom = mv.kind == MOVE_FROM_TEMP ? strTemp : mv.strFrom;
            dwError = RenamePath(strFolderPath + strFrom, strFolderPath + mv.strTo, &snapshot);
            if (dwError)
                break;
        }
    }
    if (!dwError) {
        for (size_t m = first + 1; m < end; ++m)
            names.Finish(strFolderPath, moves[m].nIndex, moves[m].strTo, failures, snapshot);
        return;
    }
    // Undo the moves made, the last one first, so that each name is free
    // again when its file comes back to it. A file that cannot come back
    // stays where the cycle left it, and its current name says so.
    for (size_t m = done; m > first; --m) {
        const RenameMove& mv = moves[m - 1];
        const CString& strTo = mv.kind == MOVE_TO_TEMP ? strTemp : mv.strTo;
        if (RenamePath(strFolderPath + strTo, strFolderPath + mv.strFrom, &snapshot) != 0)
            names.Moved(mv.nIndex, strTo);
    }
    for (size_t m = first; m < end; ++m)
        if (moves[m].kind != MOVE_FROM_TEMP)
            AddFailure(failures, moves[m].nIndex, names.pCur[moves[m].nIndex], names.pNew[moves[m].nIndex], dwError);
}

}  // namespace

std::vector<RenameFailure> ApplyRenames(const CString& strFolderPath, const CString& strText, int nCount,
                                        CString* pCurNames, CString* pNewNames, CString* pDiskNames)
{
    SplitNames(strText, nCount, pNewNames);
    for (int i = CountNameLines(strText); i < nCount; ++i)
        pNewNames[i] = pCurNames[i];
    RenamePlan plan = PlanRenames(strFolderPath, pCurNames, pNewNames, nCount, pDiskNames);
    return ApplyPlan(strFolderPath, plan, pCurNames, pNewNames, pDiskNames);
}

std::vector<RenameFailure> ApplyPlan(const CString& strFolderPath, const RenamePlan& plan, CString* pCurNames,
                                     const CString* pNewNames, CString* pDiskNames)
{
    ListNames names = {pCurNames, pDiskNames ? pDiskNames : pCurNames, pNewNames};
    std::vector<RenameFailure> failures;
    for (const RenameRefusal& r : plan.refusals)
        AddFailure(failures, r.nIndex, pCurNames[r.nIndex], pNewNames[r.nIndex], r.dwError);
    const std::vector<RenameMove>& moves = plan.moves;
    // Every move's source is checked against the folder as it is now, read
    // once: it must be there under its exact name on disk (a temporary name
    // as this run made it).
    CFolderSnapshot snapshot(moves.empty() ? CFolderSnapshot() : CFolderSnapshot(strFolderPath));
    for (size_t m = 0; m < moves.size();) {
        const RenameMove& mv = moves[m];
        if (mv.nCycle >= 0) {
            size_t end = m;
            while (end < moves.size() && moves[end].nCycle == mv.nCycle)
                ++end;
            ApplyCycle(strFolderPath, moves, m, end, plan.strTempName, names, failures, snapshot);
            m = end;
            continue;
        }
        // A file whose new name a file before it failed to free fails here
        // too: the platform never replaces anything.
        DWORD dwError = RenamePath(strFolderPath + mv.strFrom, strFolderPath + mv.strTo, &snapshot);
        if (dwError)
            AddFailure(failures, mv.nIndex, pCurNames[mv.nIndex], pNewNames[mv.nIndex], dwError);
        else
            names.Finish(strFolderPath, mv.nIndex, mv.strTo, failures, snapshot);
        ++m;
    }
    std::stable_sort(failures.begin(), failures.end(),
                     [](const RenameFailure& a, const RenameFailure& b) { return a.nIndex < b.nIndex; });
    return failures;
}

CString FormatRenameReport(int nCount, const std::vector<RenameFailure>& failures, UINT nHeadID)
{
    CString strText;
    AfxFormatString2(strText, nHeadID, std::to_wstring(nCount).c_str(), std::to_wstring(failures.size()).c_str());
    for (size_t i = 0; i < failures.size() && i < (size_t)MAX_REPORTED_FAILURES; ++i) {
        const RenameFailure& f = failures[i];
        const wchar_t* parts[3] = {f.strOldName, f.strNewName, f.strReason};
        CString strLine;
        AfxFormatStrings(strLine, IDS_REPORT_LINE, parts, 3);
        strText += L"\n" + strLine;
    }
    if (failures.size() > (size_t)MAX_REPORTED_FAILURES)
        strText += L"\n" + AfxLoadText(IDS_REPORT_MORE);
    return strText;
}
