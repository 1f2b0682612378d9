#include "names/Renamer.h"

#include <algorithm>

#include "names/NameCheck.h"
#include "names/NameList.h"
#include "names/RenameJournal.h"
#include "names/RenamePlan.h"
#include "framework/afxscope.h"
#include "platform/FileSystem.h"
#include "platform/PathIdentity.h"

namespace {

// Other temporary names tried when the disk already holds the planned one.
const int TEMP_NAME_TRIES = 16;

void AddFailure(std::vector<RenameFailure>& failures, int i, const CString& strOld, const CString& strNew,
                DWORD dwError)
{
    failures.push_back({i, strOld, strNew, dwError});
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

// One run of a plan, made one disk move at a time (Step), so that the
// caller can pump messages and ask to stop between any two moves: the list's
// names of the files being renamed (the names shown, the exact names on
// disk, the same array when the list keeps no other, and the new names
// wanted), the folder as read once, and what the run reports. The run is at
// a stop point outside a cycle; a stop asked for inside one takes effect
// once the cycle is put back (when fewer of its moves are done than left)
// or finished.
class CPlanRun : public CPlanStepper {
public:
    CPlanRun(const CString& strFolderPath, const RenamePlan& plan, CString* pCur, CString* pDisk,
             const CString* pNew, CRenameRun* pRun, CFolderSnapshot& snapshot)
        : m_strFolderPath(strFolderPath), m_wstrFolder(LongPath(strFolderPath)), m_plan(plan), m_pCur(pCur),
          m_pDisk(pDisk ? pDisk : pCur), m_pNew(pNew), m_pRun(pRun), m_snapshot(snapshot)
    {
        for (const RenameRefusal& r : m_plan.refusals)
            Fail(r.nIndex, r.dwError);
    }

    // A cycle begun is put back on every way out but its end, an
    // exception included.
    ~CPlanRun() override
    {
        if (m_nCycleEnd)
            UndoCycle();
    }

    bool Step() override
    {
        const std::vector<RenameMove>& moves = m_plan.moves;
        if (m_nCycleEnd)
            return StepInCycle();
        if (m_next >= moves.size())
            return false;
        const RenameMove& mv = moves[m_next];
        size_t end = m_next + 1;
        if (mv.nCycle >= 0)
            while (end < moves.size() && moves[end].nCycle == mv.nCycle)
                ++end;
        if (m_bStopping) {
            // Files the stop leaves where they are.
            for (size_t k = m_next; k < moves.size(); ++k)
                if (moves[k].kind != MOVE_FROM_TEMP)
                    Fail(moves[k].nIndex, ERROR_CANCELLED);
            m_next = moves.size();
            return false;
        }
        if (mv.nCycle < 0) {
            RunMove(mv);
            m_next = end;
        } else {
            BeginCycle(end);
        }
        return m_next < moves.size() || m_nCycleEnd;
    }

    void Stop() override { m_bStopping = true; }
    bool AtStopPoint() const override { return m_nCycleEnd == 0; }
    int GetDone() const { return m_nDone; }
    int GetTotal() const { return (int)m_plan.moves.size(); }
    // The file the next move is for.
    CString GetCurrent() const
    {
        size_t m = m_nCycleEnd ? m_nCycleNext : m_next;
        return m < m_plan.moves.size() ? m_pCur[m_plan.moves[m].nIndex] : CString();
    }

    std::vector<RenameFailure> Finish()
    {
        std::stable_sort(m_failures.begin(), m_failures.end(),
                         [](const RenameFailure& a, const RenameFailure& b) { return a.nIndex < b.nIndex; });
        return m_failures;
    }

private:
    void Fail(int i, DWORD dwError) { AddFailure(m_failures, i, m_pCur[i], m_pNew[i], dwError); }

    // File i now has the name strName on disk; a name the rename gave it is
    // shown as it is.
    void Moved(int i, const CString& strName)
    {
        if (m_pDisk[i] == strName)
            return;
        m_pDisk[i] = strName;
        m_pCur[i] = strName;
    }

    // Moves a listed file from its name on disk (or the temporary name its
    // cycle gave it) to strTo, as one move of the plan; its identity is
    // kept as it was read before it first moved.
    DWORD Move(const RenameMove& mv, const CString& strFrom, const CString& strTo)
    {
        if (mv.kind != MOVE_FROM_TEMP) {
            if (m_snapshot.IsFolder(strFrom))
                return RENAME_ERROR_NOW_FOLDER;
            if (m_pRun) {
                if ((int)m_pRun->identities.size() <= mv.nIndex)
                    m_pRun->identities.resize(mv.nIndex + 1);
                m_pRun->identities[mv.nIndex] = m_snapshot.IdentityOf(strFrom);
            }
        }
        CString strStranded;
        // A change of letter case that goes through a temporary name of its
        // own has it on record while it is there.
        DWORD dwError = RenameLongPath(PathOf(strFrom), PathOf(strTo), &m_snapshot, &strStranded,
                                       [&](const CString& strTemp) { Record(mv.nIndex, strTemp); });
        if (!strStranded.IsEmpty()) {
            Moved(mv.nIndex, strStranded.Mid(LastPartStart(strStranded)));
            Record(mv.nIndex, strStranded.Mid(LastPartStart(strStranded)));
        } else if (!dwError) {
            Record(mv.nIndex, strTo);
        }
        return dwError;
    }

    // The journal's record of a move made: the name file i has now.
    void Record(int i, const CString& strName)
    {
        if (m_pRun && m_pRun->pJournal)
            m_pRun->pJournal->Moved(i, strName);
    }

    void RunMove(const RenameMove& mv)
    {
        // A file whose new name a file before it failed to free fails here
        // too: the platform never replaces anything.
        DWORD dwError = Move(mv, mv.strFrom, mv.strTo);
        ++m_nDone;
        if (dwError)
            Fail(mv.nIndex, dwError);
        else
            Finish(mv.nIndex, mv.strTo);
    }

    // File i has just been moved to strTo: it takes the name it really has.
    void Finish(int i, const CString& strTo)
    {
        CString strName = m_pDisk[i];
        FinishMove(m_strFolderPath, i, strName, strTo, m_failures, m_snapshot);
        // Stored otherwise than asked, or given its name back.
        if (strName != strTo)
            Record(i, strName);
        Moved(i, strName);
    }

    // A cycle: the first file to the temporary name, the others each into
    // the name the one before freed, the first from the temporary name into
    // its new name. All of them or none. Its first move, here; the others
    // one a step.
    void BeginCycle(size_t end)
    {
        const std::vector<RenameMove>& moves = m_plan.moves;
        const size_t first = m_next;
        m_next = end;
        // A listed file that is a folder now stops the cycle before it starts.
        for (size_t m = first; m < end; ++m)
            if (moves[m].kind != MOVE_FROM_TEMP && m_snapshot.IsFolder(moves[m].strFrom)) {
                for (size_t k = first; k < end; ++k)
                    if (moves[k].kind != MOVE_FROM_TEMP)
                        Fail(moves[k].nIndex, k == m ? RENAME_ERROR_NOW_FOLDER : ERROR_ALREADY_EXISTS);
                return;
            }
        m_strTemp = m_plan.strTempName;
        const CString strPlanned = m_strTemp;
        DWORD dwError = Move(moves[first], moves[first].strFrom, m_strTemp);
        for (int k = 2; k <= TEMP_NAME_TRIES && (dwError == ERROR_ALREADY_EXISTS || dwError == ERROR_FILE_EXISTS);
             ++k) {
            m_strTemp = strPlanned + L"-" + std::to_wstring(k).c_str();
            dwError = Move(moves[first], moves[first].strFrom, m_strTemp);
        }
        ++m_nDone;
        if (dwError) {
            EndCycle(first, end, dwError);
            return;
        }
        m_nCycleFirst = first;
        m_nCycleNext = first + 1;
        m_nCycleEnd = end;
        m_bPuttingBack = false;
    }

    // The cycle's next move, or, when it is being put back, the next move
    // undone.
    bool StepInCycle()
    {
        const std::vector<RenameMove>& moves = m_plan.moves;
        if (m_bStopping && !m_bPuttingBack && !m_bFinishing) {
            // Whichever is nearer: putting back the moves made, or making
            // the rest.
            if (m_nCycleNext - m_nCycleFirst < m_nCycleEnd - m_nCycleNext) {
                m_bPuttingBack = true;
                m_dwCycleError = ERROR_CANCELLED;
            } else {
                m_bFinishing = true;
            }
        }
        if (m_bPuttingBack) {
            UndoOne();
            if (m_nCycleNext == m_nCycleFirst) {
                const size_t first = m_nCycleFirst, end = m_nCycleEnd;
                m_nCycleEnd = 0;
                EndCycle(first, end, m_dwCycleError);
            }
            return true;
        }
        const RenameMove& mv = moves[m_nCycleNext];
        DWORD dwError = Move(mv, mv.kind == MOVE_FROM_TEMP ? m_strTemp : mv.strFrom, mv.strTo);
        ++m_nDone;
        if (dwError) {
            m_bPuttingBack = true;
            m_dwCycleError = dwError;
            return true;
        }
        if (++m_nCycleNext < m_nCycleEnd)
            return true;
        const size_t first = m_nCycleFirst, end = m_nCycleEnd;
        m_nCycleEnd = 0;
        m_bFinishing = false;
        for (size_t m = first + 1; m < end; ++m)
            Finish(moves[m].nIndex, moves[m].strTo);
        return true;
    }

    // Undoes the cycle's last move made, so that each name is free again
    // when its file comes back to it. A file that cannot come back (another
    // program took the name it left) stays where the cycle left it: its
    // current name says so, and its error is kept for the report.
    void UndoOne()
    {
        const RenameMove& mv = m_plan.moves[--m_nCycleNext];
        const CString& strTo = mv.kind == MOVE_TO_TEMP ? m_strTemp : mv.strTo;
        const CString& strBack = mv.kind == MOVE_FROM_TEMP ? m_strTemp : mv.strFrom;
        const DWORD dwError = RenameLongPath(PathOf(strTo), PathOf(strBack), &m_snapshot, NULL, nullptr);
        Moved(mv.nIndex, dwError ? strTo : strBack);
        if (!dwError)
            Record(mv.nIndex, strBack);
        if (dwError)
            m_notBack.push_back({mv.nIndex, dwError});
        ++m_nDone;
    }

    // Puts a cycle begun back at once (an exception on the way out).
    void UndoCycle()
    {
        while (m_nCycleNext > m_nCycleFirst)
            UndoOne();
        m_nCycleEnd = 0;
    }

    // A cycle that was put back: every file of it is reported. One that
    // could not come back is a failure under the name it has, with its own
    // error, even when a stop was what put the cycle back.
    void EndCycle(size_t first, size_t end, DWORD dwError)
    {
        for (size_t m = first; m < end; ++m) {
            const int i = m_plan.moves[m].nIndex;
            if (m_plan.moves[m].kind == MOVE_FROM_TEMP)
                continue;
            auto notBack = std::find_if(m_notBack.begin(), m_notBack.end(),
                                        [i](const std::pair<int, DWORD>& f) { return f.first == i; });
            Fail(i, notBack != m_notBack.end() ? notBack->second : dwError);
        }
        m_notBack.clear();
    }

    // The full path of a name of the folder in its long form: the folder's
    // resolved once for the run, a name with folder parts of its own
    // resolved with it.
    std::wstring PathOf(const CString& strName) const
    {
        const bool bPlain = LastPartStart(strName) == 0 && !strName.IsEmpty() && strName != L"." && strName != L"..";
        return bPlain ? m_wstrFolder + strName.str() : LongPath(m_strFolderPath + strName);
    }

    const CString& m_strFolderPath;
    const std::wstring m_wstrFolder;
    const RenamePlan& m_plan;
    CString* m_pCur;
    CString* m_pDisk;
    const CString* m_pNew;
    CRenameRun* m_pRun;
    CFolderSnapshot& m_snapshot;
    std::vector<RenameFailure> m_failures;
    size_t m_next = 0;  // the next move outside a cycle
    // The cycle under way: its moves [first, end), the next to make (or,
    // putting back, the one after the next to undo); end 0 when none.
    size_t m_nCycleFirst = 0, m_nCycleNext = 0, m_nCycleEnd = 0;
    CString m_strTemp;
    // The files of the cycle being put back that could not come back, with
    // the error of their move back.
    std::vector<std::pair<int, DWORD>> m_notBack;
    bool m_bPuttingBack = false, m_bFinishing = false;
    DWORD m_dwCycleError = 0;
    int m_nDone = 0;
    bool m_bStopping = false;
};

}  // namespace

RenamePlan PlanTextRenames(const CNameList& list, const CString& strText, std::vector<CString>& newNames)
{
    const int nCount = list.GetCount();
    newNames.assign(nCount, CString());
    SplitNames(strText, nCount, newNames.data());
    const std::vector<CString> shown = list.ShownNames(), disk = list.DiskNames();
    for (int i = CountNameLines(strText); i < nCount; ++i)
        newNames[i] = shown[i];
    return PlanRenames(list.GetFolderPath(), shown.data(), newNames.data(), nCount, disk.data());
}

std::vector<RenameFailure> ApplyRenames(CNameList& list, const CString& strText, CRenameRun* pRun)
{
    std::vector<CString> newNames;
    const RenamePlan plan = PlanTextRenames(list, strText, newNames);
    std::vector<CString> shown = list.ShownNames(), disk = list.DiskNames();
    std::vector<RenameFailure> failures =
        ApplyPlan(list.GetFolderPath(), plan, shown.data(), newNames.data(), disk.data(), pRun);
    for (int i = 0; i < list.GetCount(); ++i) {
        list[i].strShown = std::move(shown[i]);
        list[i].strDiskName = std::move(disk[i]);
        list[i].strNew = std::move(newNames[i]);
    }
    return failures;
}

std::vector<RenameFailure> ApplyPlan(const CString& strFolderPath, const RenamePlan& plan, CString* pCurNames,
                                     const CString* pNewNames, CString* pDiskNames, CRenameRun* pRun)
{
    // Every move's source is checked against the folder as it is now, read
    // once: it must be there under its exact name on disk (a temporary name
    // as this run made it).
    CFolderSnapshot ownSnapshot;
    CFolderSnapshot* pSnapshot = pRun && pRun->pSnapshot ? pRun->pSnapshot : &ownSnapshot;
    if (pSnapshot == &ownSnapshot && !plan.moves.empty())
        ownSnapshot = CFolderSnapshot(strFolderPath);
    // The plan is on the disk before the first move; a journal that cannot
    // be written leaves the run as it is.
    if (pRun && pRun->pJournal)
        pRun->pJournal->Begin(strFolderPath, plan, *pSnapshot);
    CPlanRun run(strFolderPath, plan, pCurNames, pDiskNames, pNewNames, pRun, *pSnapshot);
    CPlanStepper* pOuter = pRun ? pRun->pStepper : NULL;
    if (pRun)
        pRun->pStepper = &run;
    auto restore = AfxScopeExit([&] {
        if (pRun)
            pRun->pStepper = pOuter;
    });
    while (run.Step())
        if (pRun && pRun->progress && !pRun->progress(run.GetDone(), run.GetTotal(), run.GetCurrent()))
            run.Stop();
    return run.Finish();
}
