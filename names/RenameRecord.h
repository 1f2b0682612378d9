// What the last press of the rename button did, so that it can be taken
// back once: the folder, and each renamed file's old and new name. Kept in
// memory only, for as long as the program runs.
#pragma once

#include <vector>

#include "framework/afxstr.h"
#include "names/Renamer.h"

class CRenameRecord {
public:
    // Keeps the files of strFolderPath whose name on disk went from
    // pBefore[i] to another pAfter[i], in place of what was kept; keeps the earlier
    // record, and returns false, when no file changed its name.
    // identities[i], where given, is which file file i is.
    bool Keep(const CString& strFolderPath, const CString* pBefore, const CString* pAfter, int nCount,
              const std::vector<CFileIdentity>& identities = std::vector<CFileIdentity>());
    // The same after a rename of the listed files, named before[i] on disk
    // before it, that bStopped says was stopped. When the record kept is a stopped rename's in the same
    // folder, this rename adds to it instead (the user finishing what the
    // stop left), so that one take-back undoes both: a file renamed again
    // keeps its first old name, and one back at it leaves the record.
    bool KeepOrExtend(const std::vector<CString>& before, const CNameList& after,
                      const std::vector<CFileIdentity>& identities, bool bStopped);
    void Clear();
    // What a take-back stopped left: the files it did not take back
    // (ERROR_CANCELLED among failures, by record position), with their
    // names and identities, to be taken back later.
    CRenameRecord Stopped(const std::vector<RenameFailure>& failures) const;
    bool IsEmpty() const { return m_strNewNames.empty(); }
    int GetCount() const { return (int)m_strNewNames.size(); }
    const CString& GetFolderPath() const { return m_strFolderPath; }
    const std::vector<CString>& GetOldNames() const { return m_strOldNames; }
    const std::vector<CString>& GetNewNames() const { return m_strNewNames; }

    // A folder renamed in the tree, from strOldPath to strNewPath (full
    // paths, no trailing "\"): the record's folder follows when it is that
    // folder or lies below it.
    void FollowFolderRename(const CString& strOldPath, const CString& strNewPath);

    // Renames each recorded file from its new name back to its old one,
    // planned as a rename is. A file under its new name that is not the
    // file the rename moved (another program replaced it) is left alone and
    // reported. rNowNames receives the name each file has afterwards, in
    // record order. Returns the files that could not go back; the record
    // itself is left as it is.
    std::vector<RenameFailure> TakeBack(std::vector<CString>& rNowNames, CRenameRun* pRun = NULL) const;

private:
    CString m_strFolderPath;
    std::vector<CString> m_strOldNames;
    std::vector<CString> m_strNewNames;
    std::vector<CFileIdentity> m_identities;
    bool m_bStopped = false;
};

// When strOldPath (a full path without a trailing "\") is the folder
// strFolderPath (ending with "\") or a folder above it, strFolderPath takes
// strNewPath in its place; returns whether it did.
bool FollowFolderRename(CString& strFolderPath, const CString& strOldPath, const CString& strNewPath);
