#include "tree/LabelRename.h"

#include "framework/afxfile.h"
#include "names/NameCheck.h"
#include "platform/FileSystem.h"

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
    LabelRenameResult result = {LABEL_UNCHANGED, CString(), CString()};
    if (strNewName == strOldName)
        return result;
    if (strNewName.IsEmpty()) {
        result.outcome = LABEL_EMPTY;
        result.strMessage = "이름을 입력해야합니다.";
        result.strCaption = "이름바꾸기";
        return result;
    }

    CString strOldPath, strNewPath;
    MakeLabelRenamePaths(strFolderPath, strOldName, strNewName, strOldPath, strNewPath);

    CFileStatus status;
    if (CFile::GetStatus(strNewPath, status)) {
        result.outcome = LABEL_NAME_IN_USE;
        result.strMessage = strOldName + "의 이름을 바꿀수 없습니다.\n" + "지정한 이름을 가진 파일이 이미 있습니다.\n" +
                            "다른 파일 이름을 지정하십시오.";
        result.strCaption = "파일 이름 바꾸기 오류";
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
        result.strMessage = strOldName + "의 이름을 바꿀수 없습니다.\n" + CString::FormatMessageText(dwError);
        result.strCaption = "파일 이름 바꾸기 오류";
        return result;
    }
    result.outcome = LABEL_RENAMED;
    return result;
}
