// The name list: the folder listed and, per listed file, its name on disk,
// the name the editor shows for it and what it was last asked to become.
// The main dialog owns one; the listing fills it, and the rename, its
// record, the preview, the tag reading and the list's orders take it.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxstr.h"
#include "names/NameText.h"

// The most files a folder's listing takes.
#define MAX_NAMES 2000

struct CNameEntry {
    CString strDiskName;  // exact, as on disk
    CString strShown;     // as the editor shows it (decomposed Hangul composed)
    CString strNew;       // the name its line asked for at the last rename
    int nNameOrder = 0;   // its place when the list was in the name order
};

class CNameList {
public:
    // Empties the list; the folder is the one listed next (ending with "\"),
    // or none.
    void Reset(const CString& strFolderPath = CString());
    // Another file, shown and asked for under strShown (by default the
    // name ShownName gives it).
    void Add(const CString& strDiskName) { Add(strDiskName, ShownName(strDiskName)); }
    void Add(const CString& strDiskName, const CString& strShown);

    const CString& GetFolderPath() const { return m_strFolderPath; }
    // The listed folder was renamed, or one above it: see FollowFolderRename.
    CString& FolderPath() { return m_strFolderPath; }
    int GetCount() const { return (int)m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    CNameEntry& operator[](int i) { return m_entries[i]; }
    const CNameEntry& operator[](int i) const { return m_entries[i]; }

    std::vector<CString> DiskNames() const { return Names(&CNameEntry::strDiskName); }
    std::vector<CString> ShownNames() const { return Names(&CNameEntry::strShown); }
    // The editor's text of the shown names.
    CString ShownText() const;
    // The entries move: the one now at k was at moved[k].
    void Move(const std::vector<int>& moved);
    // Where the files stand: entry k's place in the name order.
    std::vector<int> NameOrder() const;

private:
    std::vector<CString> Names(CString CNameEntry::*pName) const;

    CString m_strFolderPath;
    std::vector<CNameEntry> m_entries;
};

// Appends to rDiskNames the exact name of every file (not folder) of the
// folder (path ending with "\") that accept() takes, in the order of
// enumeration; accept() is asked with the name on disk.
void CollectFileNames(const CString& strFolderPath, std::vector<CString>& rDiskNames,
                      const std::function<bool(const CString&)>& accept);

// Sorts the names by the names the list shows (stable, letter case of
// ASCII ignored) and adds the first MAX_NAMES of them to the list.
void KeepFirstNames(const std::vector<CString>& diskNames, CNameList& list);

// Lists the files of a folder path (ending with "\") into the list: all of
// them sorted, the first MAX_NAMES kept; returns how many were listed, and
// in *pnFound (when given) how many were found. Used where no tree item
// stands for the folder.
int ListFolderFiles(const CString& strFolderPath, CNameList& list, int* pnFound = NULL);
