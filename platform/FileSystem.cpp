#include "platform/FileSystem.h"

DWORD RenamePath(const CString& strOldPath, const CString& strNewPath)
{
    // MoveFile without MOVEFILE_REPLACE_EXISTING: an existing target makes
    // the call fail instead of being overwritten.
    if (::MoveFileA(strOldPath, strNewPath))
        return 0;
    DWORD dwError = ::GetLastError();
    return dwError ? dwError : ERROR_GEN_FAILURE;
}

CString GetStoredName(const CString& strPath)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(strPath, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return CString();
    ::FindClose(hFind);
    return CString(fd.cFileName);
}

CString GetFullPath(const CString& strPath)
{
    char buf[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameA(strPath.IsEmpty() ? ".\\" : (const char*)strPath, sizeof(buf), buf, NULL);
    if (n == 0 || n >= sizeof(buf))
        return strPath;
    return CString(buf, (int)n);
}
