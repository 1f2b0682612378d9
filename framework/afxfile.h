// Directory enumeration and file status of the window framework: thin
// layers over FindFirstFile/FindNextFile and GetFileAttributesEx.
#pragma once

#include "afxstr.h"

class CFileFind {
public:
    CFileFind() {}
    ~CFileFind() { Close(); }

    // Opens the enumeration; false when nothing matches the pattern.
    BOOL FindFile(const char* pszPattern);
    // Moves to the next entry; returns false when the entry it moved to is
    // the last one (that entry is still valid to read).
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const { return CString(m_found.cFileName); }
    BOOL IsDirectory() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    BOOL IsDots() const;

private:
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next = {};
    WIN32_FIND_DATAA m_found = {};
    BOOL m_bHaveNext = FALSE;
};

struct CFileStatus {
    DWORD m_attribute = 0;
    ULONGLONG m_size = 0;
    CString m_szFullName;
};

class CFile {
public:
    // True when a file or folder exists under the path.
    static BOOL GetStatus(const char* pszFileName, CFileStatus& rStatus);
};
