// Renaming a folder (or an ".mp3" file shown in the tree) by editing its
// label: the paths, the checks and the messages, without a window.
#pragma once

#include "framework/afxstr.h"

enum LabelRenameOutcome {
    LABEL_UNCHANGED,    // the label was left as it was: nothing to do
    LABEL_EMPTY,        // refused: a name must be entered
    LABEL_NAME_IN_USE,  // refused: something exists under the new path
    LABEL_FAILED,       // the file system refused the rename
    LABEL_RENAMED,      // renamed on disk; the label takes the new name
};

// The item's path as the tree gives it (GetFolderPath: ends with "\" for a
// folder, none for a file item) and the old and new names give the two
// full paths: the parent part is the path less the old name's bytes.
void MakeLabelRenamePaths(const CString& strFolderPath, const CString& strOldName, const CString& strNewName,
                          CString& strOldPath, CString& strNewPath);

struct LabelRenameResult {
    LabelRenameOutcome outcome;
    CString strMessage;  // the message box text for a refusal or failure
    CString strCaption;  // and its caption
    CString strOldPath;  // when renamed: the full path before (no trailing "\")
    CString strNewPath;  // and after
};

// Decides and, where allowed, carries out the rename of the item whose
// folder path is strFolderPath from strOldName to strNewName.
LabelRenameResult RenameByLabel(const CString& strFolderPath, const CString& strOldName, const CString& strNewName);
