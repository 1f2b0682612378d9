// Reading a file's bytes at chosen offsets, for readers that take only the
// few parts of a file they need (tags at its start and end).
#pragma once

#include <windows.h>

#include <string>

// One file opened for reading by its full wide path. Others may go on
// reading, writing, renaming or deleting it meanwhile. The file is closed
// when the object goes, so that it is never held open across a rename.
class CFileBytes {
public:
    explicit CFileBytes(const std::wstring& wstrPath);
    ~CFileBytes();

    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    // The size when it was opened; 0 when it could not be opened.
    unsigned long long GetSize() const { return m_nSize; }
    // Reads up to nBytes at nOffset; returns how many were read (fewer at
    // the end of the file, 0 on failure).
    size_t Read(unsigned long long nOffset, void* pBuffer, size_t nBytes);

private:
    CFileBytes(const CFileBytes&) = delete;
    CFileBytes& operator=(const CFileBytes&) = delete;

    HANDLE m_hFile;
    unsigned long long m_nSize;
};
