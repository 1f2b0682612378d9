#include "platform/FileSystem.h"

#include <string>

#include "framework/afxscope.h"
#include "platform/NameParts.h"
#include "platform/PathIdentity.h"
#include "platform/VolumeKind.h"

namespace {

// The last part of a long path, a trailing "\" left out.
std::wstring LastPart(const std::wstring& wstrPath)
{
    return LastPartOf(wstrPath).str();
}

// The folder part (ending with "\") of a long path, and its last part.
void SplitPath(const std::wstring& wstrPath, std::wstring& wstrFolder, std::wstring& wstrName)
{
    const size_t nStart = LastPartStart(wstrPath);
    wstrFolder = wstrPath.substr(0, nStart);
    wstrName = wstrPath.substr(nStart);
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

// A move without replacing, as the volume service makes it.
BOOL Move(const std::wstring& wstrFrom, const std::wstring& wstrTo)
{
    return VolumeService().MoveEntry(wstrFrom.c_str(), wstrTo.c_str());
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
// entry is stored under the new spelling; wstrStranded names the temporary
// name when the entry could go neither on nor back from it.
DWORD MoveToOwnName(const std::wstring& wstrOld, const std::wstring& wstrNew, std::wstring& wstrStranded,
                    const std::function<void(const CString&)>& onTemporary)
{
    if (!Move(wstrOld, wstrNew))
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
    if (!Move(wstrOld, wstrTemp))
        return LastErrorOr(ERROR_GEN_FAILURE);
    if (onTemporary)
        onTemporary(LastPart(wstrTemp));
    // From here on the entry goes back to its old name on every way out
    // but success, an exception included.
    DWORD dwError = ERROR_GEN_FAILURE;
    bool bDone = false;
    auto back = AfxScopeExit([&] {
        if (!bDone && !Move(wstrTemp, wstrOld))
            wstrStranded = wstrTemp;
    });
    if (Move(wstrTemp, wstrNew))
        bDone = true;
    else
        dwError = LastErrorOr(ERROR_GEN_FAILURE);
    return bDone ? 0 : dwError;
}

ULONGLONG Join(DWORD dwHigh, DWORD dwLow)
{
    return ((ULONGLONG)dwHigh << 32) | dwLow;
}

// The identity of an entry, by the key its volume's kind allows.
CFileIdentity MakeIdentity(DWORD dwVolume, VolumeKind kind, ULONGLONG nFileId, ULONGLONG nSize, ULONGLONG nLastWrite)
{
    CFileIdentity identity;
    identity.dwVolume = dwVolume;
    if (kind == VOLUME_IDS_HOLD) {
        identity.nFileId = nFileId;
    } else {
        identity.nSize = nSize;
        identity.nLastWrite = nLastWrite;
    }
    return identity;
}

// The identity of the open entry named wstrName.
CFileIdentity IdentityOfHandle(HANDLE hFile, const std::wstring& wstrName)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(hFile, &info))
        return CFileIdentity();
    CVolumeService& volumes = VolumeService();
    return MakeIdentity(info.dwVolumeSerialNumber, volumes.KindOf(hFile),
                        volumes.FileIdOf(Join(info.nFileIndexHigh, info.nFileIndexLow), wstrName),
                        Join(info.nFileSizeHigh, info.nFileSizeLow),
                        Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime));
}

}  // namespace

CFolderSnapshot::CFolderSnapshot(const CString& strFolderPath) : m_wstrFolder(LongPath(strFolderPath))
{
    // One handle on the folder, read in large blocks: names, attributes
    // and file numbers together.
    HANDLE hFolder = ::CreateFileW(m_wstrFolder.c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return;
    BY_HANDLE_FILE_INFORMATION folderInfo;
    const DWORD dwVolume =
        ::GetFileInformationByHandle(hFolder, &folderInfo) ? folderInfo.dwVolumeSerialNumber : 0;
    CVolumeService& volumes = VolumeService();
    const VolumeKind kind = volumes.KindOf(hFolder);
    std::vector<ULONGLONG> buffer(64 * 1024 / sizeof(ULONGLONG));
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    while (volumes.ReadFolderBlock(hFolder, infoClass, buffer.data(), (DWORD)(buffer.size() * sizeof(ULONGLONG)))) {
        infoClass = FileIdBothDirectoryInfo;
        const BYTE* p = (const BYTE*)buffer.data();
        for (;;) {
            const FILE_ID_BOTH_DIR_INFO* pInfo = (const FILE_ID_BOTH_DIR_INFO*)p;
            std::wstring wstrName(pInfo->FileName, pInfo->FileNameLength / sizeof(wchar_t));
            if (wstrName != L"." && wstrName != L"..") {
                Entry entry;
                entry.identity = MakeIdentity(dwVolume, kind, volumes.FileIdOf(pInfo->FileId.QuadPart, wstrName),
                                              pInfo->EndOfFile.QuadPart, pInfo->LastWriteTime.QuadPart);
                entry.bFolder = (pInfo->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                ++m_folded[FoldedName(wstrName)];
                m_entries.emplace(std::move(wstrName), entry);
            }
            if (!pInfo->NextEntryOffset)
                break;
            p += pInfo->NextEntryOffset;
        }
    }
    // A read that ended otherwise than at the last entry is no read: what
    // it gave is not the whole folder.
    m_bRead = ::GetLastError() == ERROR_NO_MORE_FILES;
    ::CloseHandle(hFolder);
    if (!m_bRead) {
        m_entries.clear();
        m_folded.clear();
    }
}

bool CFolderSnapshot::HoldsOnly(const std::wstring& wstrFolder, const std::wstring& wstrName) const
{
    if (wstrFolder != m_wstrFolder || !m_entries.count(wstrName))
        return false;
    auto found = m_folded.find(FoldedName(wstrName));
    return found != m_folded.end() && found->second == 1;
}

CFileIdentity CFolderSnapshot::IdentityOf(const CString& strName) const
{
    auto found = m_entries.find(strName.str());
    return found == m_entries.end() ? CFileIdentity() : found->second.identity;
}

bool CFolderSnapshot::IsFolder(const CString& strName) const
{
    if (!m_bRead) {
        if (m_wstrFolder.empty())
            return false;
        const DWORD dwAttributes = ::GetFileAttributesW((m_wstrFolder + strName.str()).c_str());
        return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    auto found = m_entries.find(strName.str());
    return found != m_entries.end() && found->second.bFolder;
}

void CFolderSnapshot::Moved(const std::wstring& wstrOldPath, const std::wstring& wstrNewPath)
{
    if (!m_bRead)
        return;
    std::wstring wstrFolder, wstrName;
    SplitPath(wstrOldPath, wstrFolder, wstrName);
    Entry entry = {CFileIdentity(), false};
    auto found = wstrFolder == m_wstrFolder ? m_entries.find(wstrName) : m_entries.end();
    if (found != m_entries.end()) {
        entry = found->second;
        m_entries.erase(found);
        --m_folded[FoldedName(wstrName)];
    }
    SplitPath(wstrNewPath, wstrFolder, wstrName);
    if (wstrFolder == m_wstrFolder && m_entries.emplace(wstrName, entry).second)
        ++m_folded[FoldedName(wstrName)];
}

CFileIdentity GetFileIdentity(const CString& strPath)
{
    HANDLE hFile = ::CreateFileW(LongPath(strPath).c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return CFileIdentity();
    CFileIdentity identity = IdentityOfHandle(hFile, LastPart(LongPath(strPath)));
    ::CloseHandle(hFile);
    return identity;
}

DWORD RenamePath(const CString& strOldPath, const CString& strNewPath, CFolderSnapshot* pSnapshot,
                 CString* pStrStranded, const std::function<void(const CString&)>& onTemporary)
{
    if (pStrStranded)
        pStrStranded->Empty();
    const DWORD dwError =
        RenameLongPath(LongPath(strOldPath), LongPath(strNewPath), pSnapshot, pStrStranded, onTemporary);
    if (pStrStranded && !pStrStranded->IsEmpty()) {
        const CString strOld = ResolvePathText(strOldPath);
        *pStrStranded = strOld.Left(LastPartStart(strOld)) + LastPartOf(*pStrStranded);
    }
    return dwError;
}

DWORD RenameLongPath(const std::wstring& wstrOld, const std::wstring& wstrNew, CFolderSnapshot* pSnapshot,
                     CString* pStrStranded, const std::function<void(const CString&)>& onTemporary)
{
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
        std::wstring wstrStranded;
        DWORD dwError = MoveToOwnName(wstrOld, wstrNew, wstrStranded, onTemporary);
        if (!wstrStranded.empty()) {
            // The entry is under its temporary name now, and must be found
            // there.
            if (pSnapshot)
                pSnapshot->Moved(wstrOld, wstrStranded);
            if (pStrStranded)
                *pStrStranded = wstrStranded;
        }
        if (dwError)
            return dwError;
    } else if (!Move(wstrOld, wstrNew)) {
        return LastErrorOr(ERROR_GEN_FAILURE);
    }
    if (pSnapshot)
        pSnapshot->Moved(wstrOld, wstrNew);
    return 0;
}

DWORD RenamePathCaseOnly(const CString& strOldPath, const CString& strNewPath, CString* pStrStranded,
                         const std::function<void(const CString&)>& onTemporary)
{
    return RenamePath(strOldPath, strNewPath, NULL, pStrStranded, onTemporary);
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
        entries.push_back({CString(fd.cFileName), fd.dwFileAttributes, fd.ftLastWriteTime,
                           ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow});
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
