#include "platform/FileSystem.h"

#include <cstring>
#include <string>

DWORD RenamePath(const CString& strOldPath, const CString& strNewPath)
{
    // MoveFile without MOVEFILE_REPLACE_EXISTING: an existing target makes
    // the call fail instead of being overwritten.
    if (::MoveFileA(strOldPath, strNewPath))
        return 0;
    DWORD dwError = ::GetLastError();
    return dwError ? dwError : ERROR_GEN_FAILURE;
}

namespace {
CString LastPart(const CString& strPath)
{
    int nSep = -1;
    for (int i = 0; i < strPath.GetLength(); ++i) {
        if (_ismbblead((unsigned char)strPath.GetAt(i)) && i + 1 < strPath.GetLength())
            ++i;
        else if (strPath.GetAt(i) == '\\')
            nSep = i;
    }
    return strPath.Mid(nSep + 1);
}
}  // namespace

DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath)
{
    const CString strNewName = LastPart(strNewPath);
    DWORD dwError = RenamePath(strOldPath, strNewPath);
    if (dwError || GetStoredName(strNewPath) == strNewName)
        return dwError;
    // Still the old spelling: move away, then back under the new one.
    const CString strFolder = strOldPath.Left(strOldPath.GetLength() - LastPart(strOldPath).GetLength());
    CString strTemp;
    for (int i = 0; i < 100 && strTemp.IsEmpty(); ++i) {
        CString strTry = strFolder + "~qv" +
                         CString(std::to_string(::GetTickCount() + i)) + ".tmp";
        if (GetStoredName(strTry).IsEmpty())
            strTemp = strTry;
    }
    if (strTemp.IsEmpty())
        return ERROR_ALREADY_EXISTS;
    dwError = RenamePath(strOldPath, strTemp);
    if (dwError)
        return dwError;
    dwError = RenamePath(strTemp, strNewPath);
    if (dwError)
        RenamePath(strTemp, strOldPath);
    return dwError;
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

bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries)
{
    entries.clear();
    WIN32_FIND_DATAA fd;
    // No short names are asked for: the tree has no use for them, and
    // Windows spares itself their lookup.
    HANDLE hFind = ::FindFirstFileExA(strFolderPath + "*", FindExInfoBasic, &fd, FindExSearchNameMatch, NULL,
                                      FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0)
            continue;
        entries.push_back(CFolderEntry{CString(fd.cFileName), fd.dwFileAttributes});
    } while (::FindNextFileA(hFind, &fd));
    ::FindClose(hFind);
    return true;
}

bool FileExists(const CString& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
std::wstring Wide(const CString& str)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), NULL, 0);
    std::wstring w(n, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), &w[0], n);
    return w;
}
}  // namespace

bool IsSameFileName(const CString& strA, const CString& strB)
{
    std::wstring a = Wide(strA), b = Wide(strB);
    return ::CompareStringOrdinal(a.c_str(), (int)a.size(), b.c_str(), (int)b.size(), TRUE) == CSTR_EQUAL;
}
