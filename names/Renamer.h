// Applying the name editor's lines to the listed files.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxstr.h"
#include "names/NameList.h"
#include "platform/FileSystem.h"

struct RenamePlan;
class CRenameJournal;

struct RenameFailure {
    int nIndex;           // position of the file in the name list
    CString strOldName;   // the name the file keeps
    CString strNewName;   // the name on its line
    DWORD dwError;        // the system's error code
};

// Errors of the program's own, each reported with a reason line of the
// string table rather than the system's message.
#define RENAME_ERROR_NOW_FOLDER (APPLICATION_ERROR_MASK | 1)    // the listed file's name is a folder's now
#define RENAME_ERROR_FILE_CHANGED (APPLICATION_ERROR_MASK | 2)  // another program put another file there
#define RENAME_ERROR_FILE_MOVED (APPLICATION_ERROR_MASK | 3)    // recovery: moved or deleted since the rename

// Work made one disk move at a time, with stop points between moves (not
// inside a cycle).
class CPlanStepper {
public:
    virtual ~CPlanStepper() {}
    // The next move; false once the work is done.
    virtual bool Step() = 0;
    // Stop at the next stop point.
    virtual void Stop() = 0;
    virtual bool AtStopPoint() const = 0;
    // Stops, and makes the moves needed to reach the next stop point now.
    void RunToStopPoint()
    {
        Stop();
        while (!AtStopPoint() && Step()) {
        }
    }
};

// What a run of the renamer is given and gives back beside the names.
struct CRenameRun {
    // The folder as read already (a take-back reads it first), or NULL:
    // the run reads it once, before the first move.
    CFolderSnapshot* pSnapshot = NULL;
    // Called after each move with the moves done, the moves planned and the
    // name of the file that moves next; false asks the run to stop. The
    // stop comes between moves, never inside a cycle: a cycle begun is put
    // back when fewer of its moves are done than left, else finished. Files
    // the stop leaves alone are reported with ERROR_CANCELLED.
    std::function<bool(int nDone, int nTotal, const CString& strName)> progress;
    // Out: the identity of each file that moved, by its position in the
    // list (unknown for the others), as read before the first move.
    std::vector<CFileIdentity> identities;
    // While the run is under way (from step), the run itself: one that must
    // stop now (the session ends) is brought to its stop point with it.
    CPlanStepper* pStepper = NULL;
    // The journal the run writes, when given: its plan before the first
    // move, a record after each. The caller ends it once the report is shown.
    CRenameJournal* pJournal = NULL;
};

// The plan that renames the listed files to the lines of strText, line i
// for file i, and in newNames the name each file is to have: its line, or
// its name now when the text has no line for it.
RenamePlan PlanTextRenames(const CNameList& list, const CString& strText, std::vector<CString>& newNames);

// Renames the listed files to the lines of strText: plans the renames
// (PlanTextRenames) and carries the plan out (ApplyPlan). A file past the
// text's last line keeps its name and is not reported. Each entry then
// holds its file's names as they are, and strNew its line.
std::vector<RenameFailure> ApplyRenames(CNameList& list, const CString& strText, CRenameRun* pRun = NULL);

// Carries out the plan's moves in strFolderPath, in order; every move goes
// through the platform's rename, which never replaces anything, and a
// listed file whose name is a folder's now is not moved. Current name i
// becomes the name file i really has afterwards: a name stored otherwise
// than asked (a change of case the platform ignored, a name cut short) is
// read back, and a name cut short is given back. When a move of a cycle
// fails, the moves already made are undone and every file of the cycle is
// reported; a file that can go neither on nor back keeps, and is reported
// under, the name it was left at. A file that moved gets its new name on
// disk in pDiskNames (when given) and shown in pCurNames. Returns the
// failures and refusals, in list order.
std::vector<RenameFailure> ApplyPlan(const CString& strFolderPath, const RenamePlan& plan, CString* pCurNames,
                                     const CString* pNewNames, CString* pDiskNames = NULL, CRenameRun* pRun = NULL);

