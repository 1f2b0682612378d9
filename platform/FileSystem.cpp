#include "platform/FileSystem.h"

#include <string>

#include "platform/PathIdentity.h"

namespace {

// The last part of a long path, a trailing "\" left out.
std::wstring LastPart(std::wstring wstrPath)
{
    while (!wstrPath.empty() && wstrPath.back() == L'\\')
        wstrPath.pop_back();
    size_t nSep = wstrPath.find_last_of(L'\\');
    return nSep == std::wstring::npos ? wstrPath : wstrPath.substr(nSep + 1);
}

// The folder part (ending with "\") of a long path, and its last part.
void SplitPath(const std::wstring& wstrPath, std::wstring& wstrFolder, std::wstring& wstrName)
{
    size_t nSep = wstrPath.find_last_of(L'\\');
    wstrFolder = nSep == std::wstring::npos ? std::wstring() : wstrPath.substr(0, nSep + 1);
    wstrName = nSep == std::wstring::npos ? wstrPath : wstrPath.substr(nSep + 1);
}

// The entry at wstrPath (a long path, no wildcards meant), read into fd;
// false when nothing is there.
bool FindEntry(const std::wstring& wstrPath, WIN32_FIND_DATAW& fd)
{
    HANDLE hFind = ::FindFirstFileExW(wstrPath.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, NULL, 0);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(hFind);
    return true;
}

DWORD LastErrorOr(DWORD dwFallback)
{
    DWORD dwError = ::GetLastError();
    return dwError ? dwError : dwFallback;
}

// 0 when the entry at wstrPath (a long path) is there under exactly the
// last part of that path.
DWORD CheckSource(const std::wstring& wstrPath)
{
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrPath, fd) || LastPart(wstrPath) != fd.cFileName)
        return ERROR_FILE_NOT_FOUND;
    return 0;
}

// Moves an entry to another spelling of its own name (letter case). Some
// file systems (Wine's) report such a move done and keep the old spelling:
// then it goes through a temporary name in the same folder. 0 once the
// entry is stored under the new spelling.
DWORD MoveToOwnName(const std::wstring& wstrOld, const std::wstring& wstrNew)
{
    if (!::MoveFileExW(wstrOld.c_str(), wstrNew.c_str(), 0))
        return LastErrorOr(ERROR_GEN_FAILURE);
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrNew, fd))
        return ERROR_FILE_NOT_FOUND;
    if (LastPart(wstrNew) == fd.cFileName)
        return 0;
    std::wstring wstrFolder, wstrName;
    SplitPath(wstrOld, wstrFolder, wstrName);
    std::wstring wstrTemp;
    for (int i = 0; i < 100 && wstrTemp.empty(); ++i) {
        std::wstring wstrTry = wstrFolder + L"~qv" + std::to_wstring(::GetTickCount() + i) + L".tmp";
        if (::GetFileAttributesW(wstrTry.c_str()) == INVALID_FILE_ATTRIBUTES)
            wstrTemp = wstrTry;
    }
    if (wstrTemp.empty())
        return ERROR_ALREADY_EXISTS;
    if (!::MoveFileExW(wstrOld.c_str(), wstrTemp.c_str(), 0))
        return LastErrorOr(ERROR_GEN_FAILURE);
    if (::MoveFileExW(wstrTemp.c_str(), wstrNew.c_str(), 0))
        return 0;
    DWORD dwError = LastErrorOr(ERROR_GEN_FAILURE);
    ::MoveFileExW(wstrTemp.c_str(), wstrOld.c_str(), 0);
    return dwError;
}

}  // namespace

CFolderSnapshot::CFolderSnapshot(const CString& strFolderPath) : m_wstrFolder(LongPath(strFolderPath))
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileExW((m_wstrFolder + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                      NULL, FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        m_names.insert(fd.cFileName);
        ++m_folded[FoldedName(fd.cFileName)];
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
}

bool CFolderSnapshot::HoldsOnly(const std::wstring& wstrFolder, const std::wstring& wstrName) const
{
    if (wstrFolder != m_wstrFolder || !m_names.count(wstrName))
        return false;
    auto found = m_folded.find(FoldedName(wstrName));
    return found != m_folded.end() && found->second == 1;
}

void CFolderSnapshot::Moved(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath)
{
    std::wstring wstrFolder, wstrName;
    SplitPath(wstrOldPath, wstrFolder, wstrName);
    if (wstrFolder == m_wstrFolder && m_names.erase(wstrName))
        --m_folded[FoldedName(wstrName)];
    SplitPath(wstrNewPath, wstrFolder, wstrName);
    if (wstrFolder == m_wstrFolder && m_names.insert(wstrName).second)
        ++m_folded[FoldedName(wstrName)];
}

DWORD RenamePath(const CString& strOldPath, const CString& strNewPath, CFolderSnapshot* pSnapshot)
{
    const std::wstring wstrOld = LongPath(strOldPath);
    const std::wstring wstrNew = LongPath(strNewPath);
    std::wstring wstrFolder, wstrName;
    SplitPath(wstrOld, wstrFolder, wstrName);
    if (!pSnapshot || !pSnapshot->HoldsOnly(wstrFolder, wstrName)) {
        DWORD dwError = CheckSource(wstrOld);
        if (dwError)
            return dwError;
    }
    // No MOVEFILE_REPLACE_EXISTING: an existing target makes the call fail
    // instead of being overwritten.
    if (CompareFileNames(wstrOld, wstrNew) == 0) {
        DWORD dwError = MoveToOwnName(wstrOld, wstrNew);
        if (dwError)
            return dwError;
    } else if (!::MoveFileExW(wstrOld.c_str(), wstrNew.c_str(), 0)) {
        return LastErrorOr(ERROR_GEN_FAILURE);
    }
    if (pSnapshot)
        pSnapshot->Moved(wstrOld, wstrNew);
    return 0;
}

DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath)
{
    return RenamePath(strOldPath, strNewPath);
}

CString GetStoredName(const CString& strPath)
{
    WIN32_FIND_DATAW fd;
    if (!FindEntry(LongPath(strPath), fd))
        return CString();
    return CString(fd.cFileName);
}

bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries)
{
    entries.clear();
    WIN32_FIND_DATAW fd;
    // No short names are asked for: Windows spares itself their lookup.
    HANDLE hFind = ::FindFirstFileExW((LongPath(strFolderPath) + L"*").c_str(), FindExInfoBasic, &fd,
                                      FindExSearchNameMatch, NULL, FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0)
            continue;
        entries.push_back({CString(fd.cFileName), fd.dwFileAttributes});
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    return true;
}

bool FileExists(const CString& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesW(LongPath(strPath).c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSameFileName(const CString& strA, const CString& strB)
{
    return CompareFileNames(strA.str(), strB.str()) == 0;
}
