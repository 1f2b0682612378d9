// Renaming a folder (or an ".mp3" file shown in the tree) by editing its
// label: the name on disk the edit asks for, the checks and the messages,
// without a window. The label is the shell's display name, which need not
// be the name on disk (a hidden extension, a localized folder name).
#pragma once

#include "framework/afxstr.h"

enum LabelRenameOutcome {
    LABEL_UNCHANGED,    // the label or the name on disk was left as it was: nothing to do
    LABEL_EMPTY,        // refused: a name must be entered
    LABEL_NAME_IN_USE,  // refused: something else exists under the new path
    LABEL_FAILED,       // the file system refused the rename
    LABEL_RENAMED,      // renamed on disk
};

// The name on disk that typing strTyped over the label strLabel asks for,
// for an item named strDiskName on disk:
// - a label that is the name on disk without its extension (the shell
//   hides it) keeps the extension: "tune" over "song" for "song.mp3" gives
//   "tune.mp3", and "tune.MP3" stays as typed;
// - otherwise (the name on disk shown as it is, or a display name of
//   another kind) the typed text is the new name.
CString NameFromLabelEdit(const CString& strLabel, const CString& strDiskName, const CString& strTyped);

struct LabelRenameResult {
    LabelRenameOutcome outcome;
    CString strNamed;    // for a refusal or failure: the name its message gives the item
    DWORD dwError = 0;   // for a failure: the file system's error
    CString strNewName;  // when renamed (or left under a temporary name): the new name on disk
    CString strOldPath;  // and the full paths before (no trailing "\")
    CString strNewPath;  // and after
};

class CRenameJournal;

// Decides and, where allowed, carries out the rename of the item labelled
// strLabel, named strDiskName on disk in the folder strParentPath (ending
// with "\"), after strTyped was typed over its label. Messages name the
// item by its label. pJournal, when given, journals the move; the caller
// ends it once the message has been shown.
LabelRenameResult RenameByLabel(const CString& strParentPath, const CString& strLabel, const CString& strDiskName,
                                const CString& strTyped, CRenameJournal* pJournal = NULL);
