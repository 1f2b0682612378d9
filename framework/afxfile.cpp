#include "afxfile.h"

BOOL CFileFind::FindFile(const char* pszPattern)
{
    Close();
    m_hFind = ::FindFirstFileA(pszPattern, &m_next);
    m_bHaveNext = m_hFind != INVALID_HANDLE_VALUE;
    return m_bHaveNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHaveNext)
        return FALSE;
    m_found = m_next;
    m_bHaveNext = ::FindNextFileA(m_hFind, &m_next);
    return m_bHaveNext;
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHaveNext = FALSE;
}

BOOL CFileFind::IsDots() const
{
    const char* p = m_found.cFileName;
    return IsDirectory() && p[0] == '.' && (p[1] == 0 || (p[1] == '.' && p[2] == 0));
}

BOOL CFile::GetStatus(const char* pszFileName, CFileStatus& rStatus)
{
    // Attributes, not a directory search: a name holding '*' or '?' must
    // not match other files.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(pszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    rStatus.m_attribute = data.dwFileAttributes;
    rStatus.m_size = ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    rStatus.m_szFullName = pszFileName;
    return TRUE;
}
