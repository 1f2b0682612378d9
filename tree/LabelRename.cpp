#include "tree/LabelRename.h"

#include "framework/afxfile.h"
#include "names/NameCheck.h"
#include "platform/FileSystem.h"
#include "res/resource.h"

void MakeLabelRenamePaths(const CString& strFolderPath, const CString& strOldName, const CString& strNewName,
                          CString& strOldPath, CString& strNewPath)
{
    strOldPath = strFolderPath;
    if (strOldPath.GetLength() > 0 && strOldPath.GetAt(strOldPath.GetLength() - 1) == '\\')
        strOldPath = strOldPath.Left(strOldPath.GetLength() - 1);
    // The path ends with the item's own label, so cutting the label's
    // bytes leaves the parent folder's path with its trailing "\".
    CString strParent = strOldPath.Left(strOldPath.GetLength() - strOldName.GetLength());
    strNewPath = strParent + strNewName;
}

LabelRenameResult RenameByLabel(const CString& strFolderPath, const CString& strOldName, const CString& strNewName)
{
    LabelRenameResult result;
    result.outcome = LABEL_UNCHANGED;
    if (strNewName == strOldName)
        return result;
    if (strNewName.IsEmpty()) {
        result.outcome = LABEL_EMPTY;
        result.strMessage = AfxLoadText(IDS_NAME_REQUIRED);
        result.strCaption = AfxLoadText(IDS_RENAME_CAPTION);
        return result;
    }

    CString strOldPath, strNewPath;
    MakeLabelRenamePaths(strFolderPath, strOldName, strNewName, strOldPath, strNewPath);

    CFileStatus status;
    if (CFile::GetStatus(strNewPath, status)) {
        result.outcome = LABEL_NAME_IN_USE;
        AfxFormatString1(result.strMessage, IDS_NAME_IN_USE, strOldName);
        result.strCaption = AfxLoadText(IDS_RENAME_ERROR_CAPTION);
        return result;
    }

    // A label is one name: no folder separators, and nothing Windows would
    // refuse or store under another name. Then the rename's result is read:
    // a folder in use, or a label that is not the name on disk, must not
    // look renamed.
    DWORD dwError = 0;
    if (!IsAcceptableName(strNewName, false))
        dwError = ERROR_INVALID_NAME;
    else if (IsPathTooLong(strNewPath))
        dwError = ERROR_FILENAME_EXCED_RANGE;
    else if (!::MoveFileA(strOldPath, strNewPath))
        dwError = ::GetLastError();
    else if (MayBeStoredShortened(strNewName) && GetStoredName(strNewPath) != strNewName) {
        // Stored cut short: the folder gets its own name back.
        ::MoveFileA(strNewPath, strOldPath);
        dwError = ERROR_FILENAME_EXCED_RANGE;
    }
    if (dwError) {
        result.outcome = LABEL_FAILED;
        AfxFormatString2(result.strMessage, IDS_CANNOT_RENAME, strOldName, CString::FormatMessageText(dwError));
        result.strCaption = AfxLoadText(IDS_RENAME_ERROR_CAPTION);
        return result;
    }
    result.outcome = LABEL_RENAMED;
    result.strOldPath = strOldPath;
    result.strNewPath = strNewPath;
    return result;
}
