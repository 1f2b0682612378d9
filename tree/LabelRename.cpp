#include "tree/LabelRename.h"

#include <windows.h>

#include "names/NameCheck.h"
#include "names/RenameJournal.h"
#include "names/RenamePlan.h"
#include "platform/FileSystem.h"

namespace {

// Where the extension Explorer hides in a label starts (the name's last
// dot, neither first nor last), or -1.
int HiddenExtensionStart(const CString& strName)
{
    int nDot = -1;
    for (int i = 1; i + 1 < strName.GetLength(); ++i)
        if (strName.GetAt(i) == L'.')
            nDot = i;
    return nDot;
}

// The typed name with the extension the label hides, unless it already
// ends with it (letter case ignored).
CString WithExtension(const CString& strTyped, const CString& strExtension)
{
    if (strExtension.IsEmpty())
        return strTyped;
    int nTail = strTyped.GetLength() - strExtension.GetLength();
    if (nTail >= 0 && IsSameFileName(strTyped.Mid(nTail), strExtension))
        return strTyped;
    return strTyped + strExtension;
}

// The journal of the one move a label rename makes, keyed by the item as
// it is before it moves.
void BeginJournal(CRenameJournal& journal, const CString& strParentPath, const CString& strDiskName,
                  const CString& strNewName)
{
    CFileKey key;
    bool bIdentitiesHold = false;
    if (!ReadEntryKey(strParentPath + strDiskName, key, &bIdentitiesHold))
        return;
    RenamePlan plan;
    plan.moves.push_back({MOVE_DIRECT, 0, -1, strDiskName, strNewName});
    journal.Begin(strParentPath, plan, key.identity.dwVolume, bIdentitiesHold,
                  [&key](int, const CString&) { return key; });
}

}  // namespace

CString NameFromLabelEdit(const CString& strLabel, const CString& strDiskName, const CString& strTyped)
{
    int nDot = HiddenExtensionStart(strDiskName);
    if (nDot < 0 || strLabel == strDiskName || strLabel != strDiskName.Left(nDot))
        return strTyped;
    return WithExtension(strTyped, strDiskName.Mid(nDot));
}

LabelRenameResult RenameByLabel(const CString& strParentPath, const CString& strLabel, const CString& strDiskName,
                                const CString& strTyped, CRenameJournal* pJournal)
{
    LabelRenameResult result;
    result.outcome = LABEL_UNCHANGED;
    // The label as it was: a localized name left alone must not become the
    // name on disk.
    if (strTyped == strLabel)
        return result;
    if (strTyped.IsEmpty()) {
        result.outcome = LABEL_EMPTY;
        return result;
    }
    CString strNewName = NameFromLabelEdit(strLabel, strDiskName, strTyped);
    // Also what the tree sends again, with the editor's text, as the
    // editor goes away after a rename.
    if (strNewName == strDiskName)
        return result;

    const CString strOldPath = strParentPath + strDiskName;
    const CString strNewPath = strParentPath + strNewName;
    // A label is one name: no folder separators, and nothing Windows would
    // refuse or store under another name. An item with no name on disk (a
    // placeholder row) has nothing to rename, and its parent folder must
    // not be taken for it.
    DWORD dwError = 0;
    CString strStranded;
    if (strDiskName.IsEmpty() || strParentPath.IsEmpty())
        dwError = ERROR_FILE_NOT_FOUND;
    else if (!IsAcceptableName(strNewName, false))
        dwError = ERROR_INVALID_NAME;
    else if (IsPathTooLong(strNewPath))
        dwError = ERROR_FILENAME_EXCED_RANGE;
    if (!dwError) {
        // Something under the new path is in use, unless it is the item
        // itself found under another letter case.
        CString strFound = GetStoredName(strNewPath);
        if (!strFound.IsEmpty() && strFound != strDiskName) {
            result.outcome = LABEL_NAME_IN_USE;
            result.strNamed = strLabel;
            return result;
        }
        if (pJournal)
            BeginJournal(*pJournal, strParentPath, strDiskName, strNewName);
        // The rename's result is read: a folder in use must not look
        // renamed.
        auto onTemporary = [pJournal](const CString& strTemp) {
            if (pJournal)
                pJournal->Moved(0, strTemp);
        };
        dwError = IsSameFileName(strNewName, strDiskName)
                      ? RenamePathCaseOnly(strOldPath, strNewPath, &strStranded, onTemporary)
                      : RenamePath(strOldPath, strNewPath);
        if (pJournal && (!dwError || !strStranded.IsEmpty()))
            pJournal->Moved(0, dwError ? strStranded.Mid(LastPartStart(strStranded)) : strNewName);
    }
    if (!dwError && MayBeStoredShortened(strNewName) && GetStoredName(strNewPath) != strNewName) {
        // Stored cut short: the item gets its own name back.
        if (RenamePath(strNewPath, strOldPath) == 0 && pJournal)
            pJournal->Moved(0, strDiskName);
        dwError = ERROR_FILENAME_EXCED_RANGE;
    }
    if (dwError) {
        result.outcome = LABEL_FAILED;
        // Left under a temporary name, going neither on nor back: the
        // message names that name, and the item follows it.
        CString strNamed = strLabel;
        if (!strStranded.IsEmpty()) {
            strNamed = result.strNewName = strStranded.Mid(LastPartStart(strStranded));
            result.strOldPath = strOldPath;
            result.strNewPath = strStranded;
        }
        result.strNamed = strNamed;
        result.dwError = dwError;
        return result;
    }
    result.outcome = LABEL_RENAMED;
    result.strNewName = strNewName;
    result.strOldPath = strOldPath;
    result.strNewPath = strNewPath;
    return result;
}
