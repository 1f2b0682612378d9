#include "platform/FileSystem.h"

#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/DiskNames.h"

namespace {

// The last part of a wide path, a trailing "\" left out.
std::wstring LastWidePart(std::wstring wstrPath)
{
    while (!wstrPath.empty() && wstrPath.back() == L'\\')
        wstrPath.pop_back();
    size_t nSep = wstrPath.find_last_of(L'\\');
    return nSep == std::wstring::npos ? wstrPath : wstrPath.substr(nSep + 1);
}

// 0 when the entry at wstrPath (a path on disk) is found under exactly
// the last part of that path: its name, or its short name.
DWORD CheckSource(const std::wstring& wstrPath)
{
    const std::wstring wstrName = LastWidePart(wstrPath);
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrPath, fd))
        return ERROR_FILE_NOT_FOUND;
    if (wstrName == fd.cFileName || (fd.cAlternateFileName[0] && wstrName == fd.cAlternateFileName))
        return 0;
    return ERROR_FILE_NOT_FOUND;
}

// The folder part (ending with "\\") of a wide path, and its last part.
void SplitWidePath(const std::wstring& wstrPath, std::wstring& wstrFolder, std::wstring& wstrName)
{
    size_t nSep = wstrPath.find_last_of(L'\\');
    wstrFolder = nSep == std::wstring::npos ? std::wstring() : wstrPath.substr(0, nSep + 1);
    wstrName = nSep == std::wstring::npos ? wstrPath : wstrPath.substr(nSep + 1);
}

// Moves an entry to another spelling of its own name (letter case, or a
// decomposed name composed). Some file systems (Wine's) report such a move
// done and keep the old spelling: then it goes through a temporary name in
// the same folder. 0 once the entry is stored under the new spelling.
DWORD MoveToOwnName(const std::wstring& wstrOld, const std::wstring& wstrNew)
{
    if (!::MoveFileW(wstrOld.c_str(), wstrNew.c_str())) {
        DWORD dwError = ::GetLastError();
        return dwError ? dwError : ERROR_GEN_FAILURE;
    }
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrNew, fd))
        return ERROR_FILE_NOT_FOUND;
    if (LastWidePart(wstrNew) == fd.cFileName)
        return 0;
    std::wstring wstrFolder, wstrName;
    SplitWidePath(wstrOld, wstrFolder, wstrName);
    std::wstring wstrTemp;
    for (int i = 0; i < 100 && wstrTemp.empty(); ++i) {
        std::wstring wstrTry = wstrFolder + L"~qv" + std::to_wstring(::GetTickCount() + i) + L".tmp";
        if (::GetFileAttributesW(wstrTry.c_str()) == INVALID_FILE_ATTRIBUTES)
            wstrTemp = wstrTry;
    }
    if (wstrTemp.empty())
        return ERROR_ALREADY_EXISTS;
    if (!::MoveFileW(wstrOld.c_str(), wstrTemp.c_str()))
        return ::GetLastError() ? ::GetLastError() : ERROR_GEN_FAILURE;
    if (::MoveFileW(wstrTemp.c_str(), wstrNew.c_str()))
        return 0;
    DWORD dwError = ::GetLastError();
    ::MoveFileW(wstrTemp.c_str(), wstrOld.c_str());
    return dwError ? dwError : ERROR_GEN_FAILURE;
}

}  // namespace

CFolderSnapshot::CFolderSnapshot(const CString& strFolderPath) : m_wstrFolder(DiskPath(strFolderPath))
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileExW((m_wstrFolder + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                      NULL, FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        m_names.insert(fd.cFileName);
        ++m_folded[FoldedWide(fd.cFileName)];
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
}

bool CFolderSnapshot::HoldsOnly(const std::wstring& wstrFolder, const std::wstring& wstrName) const
{
    if (wstrFolder != m_wstrFolder || !m_names.count(wstrName))
        return false;
    auto found = m_folded.find(FoldedWide(wstrName));
    return found != m_folded.end() && found->second == 1;
}

void CFolderSnapshot::Moved(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath)
{
    std::wstring wstrFolder, wstrName;
    SplitWidePath(wstrOldPath, wstrFolder, wstrName);
    if (wstrFolder == m_wstrFolder && m_names.erase(wstrName))
        --m_folded[FoldedWide(wstrName)];
    SplitWidePath(wstrNewPath, wstrFolder, wstrName);
    if (wstrFolder == m_wstrFolder && m_names.insert(wstrName).second)
        ++m_folded[FoldedWide(wstrName)];
}

DWORD RenamePath(const CString& strOldPath, const CString& strNewPath, CFolderSnapshot* pSnapshot)
{
    const std::wstring wstrOld = DiskPath(strOldPath);
    std::wstring wstrNew = DiskPath(strNewPath);
    std::wstring wstrFolder, wstrName;
    // A new name that leads back to the source itself is the same name in
    // another letter case: it is written as spelt.
    if (wstrNew == wstrOld) {
        std::wstring wstrProgramFolder, wstrProgramName;
        SplitWidePath(wstrNew, wstrFolder, wstrName);
        SplitWidePath(ProgramPath(strNewPath), wstrProgramFolder, wstrProgramName);
        wstrNew = wstrFolder + wstrProgramName;
    }
    SplitWidePath(wstrOld, wstrFolder, wstrName);
    if (!pSnapshot || !pSnapshot->HoldsOnly(wstrFolder, wstrName)) {
        DWORD dwError = CheckSource(wstrOld);
        if (dwError)
            return dwError;
    }
    // MoveFile without MOVEFILE_REPLACE_EXISTING: an existing target makes
    // the call fail instead of being overwritten. A target that is the
    // composed spelling of a listed entry resolves to that entry, and so is
    // in use while it is there.
    if (CompareWideNoCase(wstrOld, wstrNew) == 0) {
        DWORD dwError = MoveToOwnName(wstrOld, wstrNew);
        if (dwError)
            return dwError;
    } else if (!::MoveFileW(wstrOld.c_str(), wstrNew.c_str())) {
        DWORD dwError = ::GetLastError();
        return dwError ? dwError : ERROR_GEN_FAILURE;
    }
    FollowMove(ProgramPath(strOldPath), ProgramPath(strNewPath));
    if (pSnapshot)
        pSnapshot->Moved(wstrOld, wstrNew);
    return 0;
}

namespace {
CString LastPart(const CString& strPath)
{
    int nSep = -1;
    for (int i = 0; i < strPath.GetLength(); ++i) {
        if (_ismbblead((unsigned char)strPath.GetAt(i)) && i + 1 < strPath.GetLength())
            ++i;
        else if (strPath.GetAt(i) == '\\' || strPath.GetAt(i) == '/')
            nSep = i;
    }
    return strPath.Mid(nSep + 1);
}
}  // namespace

DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath)
{
    return RenamePath(strOldPath, strNewPath);
}

CString GetStoredName(const CString& strPath)
{
    const std::wstring wstrPath = DiskPath(strPath);
    WIN32_FIND_DATAW fd;
    if (!FindEntry(wstrPath, fd))
        return CString();
    // Stored as the path spells it on disk: the program's own name for it
    // (a composed spelling stays composed).
    if (LastWidePart(wstrPath) == fd.cFileName)
        return LastPart(strPath);
    CString strName;
    if (ExactCodePage(fd.cFileName, strName))
        return strName;
    // Something is there, under a name no line can spell.
    return CString("?");
}

CString GetFullPath(const CString& strPath)
{
    char buf[MAX_PATH * 4];
    DWORD n = ::GetFullPathNameA(strPath.IsEmpty() ? ".\\" : (const char*)strPath, sizeof(buf), buf, NULL);
    if (n == 0 || n >= sizeof(buf))
        return strPath;
    return CString(buf, (int)n);
}

namespace {

std::wstring Folded(const CString& strName)
{
    return FoldedWide(WideFromCodePage(strName));
}

// The short name of the entry wstrPath on disk, when the code page holds
// it; empty otherwise.
CString ShortName(const std::wstring& wstrPath)
{
    WIN32_FIND_DATAW fd;
    CString strShort;
    if (!FindEntry(wstrPath, fd) || !fd.cAlternateFileName[0] || !ExactCodePage(fd.cAlternateFileName, strShort))
        return CString();
    return strShort;
}

}  // namespace

bool ReadFolderEntries(const CString& strFolderPath, std::vector<CFolderEntry>& entries)
{
    entries.clear();
    const std::wstring wstrFolder = ProgramPath(strFolderPath);
    const std::wstring wstrDiskFolder = DiskPath(strFolderPath);
    ForgetFolderEntries(wstrFolder);
    WIN32_FIND_DATAW fd;
    // No short names are asked for here: few entries need one, and Windows
    // spares itself their lookup.
    HANDLE hFind = ::FindFirstFileExW((wstrDiskFolder + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                      NULL, FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    std::vector<std::wstring> diskNames;  // of the entries not ordinary, by index
    bool bAllOrdinary = true;
    do {
        if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0)
            continue;
        CFolderEntry entry;
        entry.dwAttributes = fd.dwFileAttributes;
        const std::wstring wstrName = fd.cFileName;
        if (!ExactCodePage(wstrName, entry.strName)) {
            entry.use = ComposedCodePage(wstrName, entry.strName) ? NAME_COMPOSED : NAME_UNUSABLE;
            diskNames.resize(entries.size() + 1);
            diskNames.back() = wstrName;
            bAllOrdinary = false;
        }
        entries.push_back(entry);
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    if (bAllOrdinary)
        return true;
    diskNames.resize(entries.size());

    // A composed spelling that another entry also answers to (the same
    // name, or the same but for letter case) would designate either: such
    // entries are unusable.
    std::unordered_map<std::wstring, int> counts;
    for (const CFolderEntry& entry : entries)
        if (entry.use != NAME_UNUSABLE)
            ++counts[Folded(entry.strName)];
    for (CFolderEntry& entry : entries)
        if (entry.use == NAME_COMPOSED && counts[Folded(entry.strName)] > 1)
            entry.use = NAME_UNUSABLE;
    // Unusable entries are reached by their short names, unless another
    // entry answers to that name too.
    for (size_t i = 0; i < entries.size(); ++i) {
        CFolderEntry& entry = entries[i];
        if (entry.use != NAME_UNUSABLE)
            continue;
        entry.wstrShown = diskNames[i];
        entry.strNearName = NearestCodePage(diskNames[i]);
        entry.strName = ShortName(wstrDiskFolder + diskNames[i]);
        if (!entry.strName.IsEmpty())
            ++counts[Folded(entry.strName)];
    }
    for (CFolderEntry& entry : entries)
        if (entry.use == NAME_UNUSABLE && !entry.strName.IsEmpty() && counts[Folded(entry.strName)] > 1)
            entry.strName.Empty();
    for (size_t i = 0; i < entries.size(); ++i)
        if (!diskNames[i].empty() && !entries[i].strName.IsEmpty())
            RememberDiskName(wstrFolder + WideFromCodePage(entries[i].strName), diskNames[i]);
    return true;
}

bool FileExists(const CString& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesW(DiskPath(strPath).c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSameFileName(const CString& strA, const CString& strB)
{
    return CompareWideNoCase(WideFromCodePage(strA), WideFromCodePage(strB)) == 0;
}
