#include "platform/JournalStore.h"

#include <shlobj.h>

#include <string>

#include "platform/PathIdentity.h"

namespace {

// A journal longer than this is no journal of ours (2,000 moves take well
// under a megabyte).
const LONGLONG MAX_JOURNAL_BYTES = 64LL * 1024 * 1024;
const wchar_t JOURNAL_PATTERN[] = L"rename-*.journal";

ULONGLONG FileTimeValue(const FILETIME& ft)
{
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

ULONGLONG LargeValue(const LARGE_INTEGER& n)
{
    return (ULONGLONG)n.QuadPart;
}

// Whether file IDs on the open entry's volume survive a rename: NTFS and
// ReFS keep them in the file; FAT and exFAT derive them from where the
// directory entry lies.
bool VolumeKeepsIdentities(HANDLE hEntry, DWORD& dwVolume)
{
    wchar_t szFileSystem[MAX_PATH + 1] = L"";
    if (!::GetVolumeInformationByHandleW(hEntry, NULL, 0, &dwVolume, NULL, NULL, szFileSystem, MAX_PATH + 1))
        return false;
    return _wcsicmp(szFileSystem, L"NTFS") == 0 || _wcsicmp(szFileSystem, L"ReFS") == 0;
}

// The entries of a folder by the enumeration alone, where the file system
// does not answer the read by handle: no identities.
void ReadByFind(const CString& strFolderPath, CKeyedFolder& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileExW((LongPath(strFolderPath) + L"*").c_str(), FindExInfoBasic, &fd,
                                      FindExSearchNameMatch, NULL, FIND_FIRST_EX_LARGE_FETCH);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0)
            continue;
        CKeyedEntry entry;
        entry.strName = fd.cFileName;
        entry.key.nSize = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
        entry.key.nWriteTime = FileTimeValue(fd.ftLastWriteTime);
        entry.key.nCreationTime = FileTimeValue(fd.ftCreationTime);
        entry.bFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        folder.entries.push_back(entry);
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    folder.bIdentitiesHold = false;
}

}  // namespace

CKeyedFolder ReadKeyedFolder(const CString& strFolderPath)
{
    CKeyedFolder folder;
    HANDLE hFolder = ::CreateFileW(LongPath(strFolderPath).c_str(), FILE_LIST_DIRECTORY,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return folder;
    folder.bRead = true;
    folder.bIdentitiesHold = VolumeKeepsIdentities(hFolder, folder.dwVolume);
    std::vector<ULONGLONG> buffer(64 * 1024 / sizeof(ULONGLONG));
    FILE_INFO_BY_HANDLE_CLASS infoClass = FileIdBothDirectoryRestartInfo;
    bool bAnswered = false;
    while (::GetFileInformationByHandleEx(hFolder, infoClass, buffer.data(), (DWORD)(buffer.size() * sizeof(ULONGLONG)))) {
        infoClass = FileIdBothDirectoryInfo;
        bAnswered = true;
        const BYTE* p = (const BYTE*)buffer.data();
        for (;;) {
            const FILE_ID_BOTH_DIR_INFO* pInfo = (const FILE_ID_BOTH_DIR_INFO*)p;
            std::wstring wstrName(pInfo->FileName, pInfo->FileNameLength / sizeof(wchar_t));
            if (wstrName != L"." && wstrName != L"..") {
                CKeyedEntry entry;
                entry.strName = CString(std::move(wstrName));
                entry.key.identity.dwVolume = folder.dwVolume;
                entry.key.identity.nFileId = LargeValue(pInfo->FileId);
                entry.key.nSize = LargeValue(pInfo->EndOfFile);
                entry.key.nWriteTime = LargeValue(pInfo->LastWriteTime);
                entry.key.nCreationTime = LargeValue(pInfo->CreationTime);
                entry.bFolder = (pInfo->FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                folder.entries.push_back(entry);
            }
            if (!pInfo->NextEntryOffset)
                break;
            p += pInfo->NextEntryOffset;
        }
    }
    const DWORD dwError = ::GetLastError();
    ::CloseHandle(hFolder);
    if (!bAnswered && dwError != ERROR_NO_MORE_FILES)
        ReadByFind(strFolderPath, folder);
    return folder;
}

bool ReadEntryKey(const CString& strPath, CFileKey& key, bool* pbIdentitiesHold)
{
    HANDLE hEntry = ::CreateFileW(LongPath(strPath).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hEntry == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool bRead = ::GetFileInformationByHandle(hEntry, &info) != 0;
    DWORD dwVolume = 0;
    const bool bIdentities = bRead && VolumeKeepsIdentities(hEntry, dwVolume);
    ::CloseHandle(hEntry);
    if (!bRead)
        return false;
    key = CFileKey();
    key.identity.dwVolume = info.dwVolumeSerialNumber;
    key.identity.nFileId = ((ULONGLONG)info.nFileIndexHigh << 32) | info.nFileIndexLow;
    if (pbIdentitiesHold)
        *pbIdentitiesHold = bIdentities;
    key.nSize = ((ULONGLONG)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    key.nWriteTime = FileTimeValue(info.ftLastWriteTime);
    key.nCreationTime = FileTimeValue(info.ftCreationTime);
    return true;
}

bool VolumeKeepsIdentities(const CString& strFolderPath, DWORD& dwVolume)
{
    dwVolume = 0;
    HANDLE hFolder = ::CreateFileW(LongPath(strFolderPath).c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hFolder == INVALID_HANDLE_VALUE)
        return false;
    const bool bHold = VolumeKeepsIdentities(hFolder, dwVolume);
    ::CloseHandle(hFolder);
    return bHold;
}

bool IsVolumePresent(DWORD dwVolume)
{
    // Volumes with a drive letter, then those mounted only in a folder.
    wchar_t szDrives[26 * 4 + 1] = L"";
    const DWORD nChars = ::GetLogicalDriveStringsW(26 * 4, szDrives);
    for (const wchar_t* p = szDrives; nChars && nChars <= 26 * 4 && *p; p += wcslen(p) + 1) {
        DWORD dwSerial = 0;
        if (::GetVolumeInformationW(p, NULL, 0, &dwSerial, NULL, NULL, NULL, 0) && dwSerial == dwVolume)
            return true;
    }
    wchar_t szVolume[MAX_PATH + 1];
    HANDLE hFind = ::FindFirstVolumeW(szVolume, MAX_PATH + 1);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    bool bFound = false;
    do {
        DWORD dwSerial = 0;
        bFound = ::GetVolumeInformationW(szVolume, NULL, 0, &dwSerial, NULL, NULL, NULL, 0) && dwSerial == dwVolume;
    } while (!bFound && ::FindNextVolumeW(hFind, szVolume, MAX_PATH + 1));
    ::FindVolumeClose(hFind);
    return bFound;
}

CString JournalFolder()
{
    std::wstring wstrBase;
    const DWORD nChars = ::GetEnvironmentVariableW(L"LOCALAPPDATA", NULL, 0);
    if (nChars > 1) {
        wstrBase.resize(nChars);
        wstrBase.resize(::GetEnvironmentVariableW(L"LOCALAPPDATA", &wstrBase[0], nChars));
    } else {
        PWSTR pszPath = NULL;
        if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, NULL, &pszPath)) && pszPath)
            wstrBase = pszPath;
        ::CoTaskMemFree(pszPath);
    }
    if (wstrBase.empty())
        return CString();
    if (wstrBase.back() != L'\\')
        wstrBase += L'\\';
    return CString(wstrBase + L"Quorvel\\");
}

// ---------------------------------------------------------------------------

bool CJournalFile::Create(const CString& strPlan)
{
    Close();
    const CString strFolder = JournalFolder();
    if (strFolder.IsEmpty())
        return false;
    ::CreateDirectoryW(LongPath(strFolder).c_str(), NULL);
    // A name of its own: the process and the clock, then a count when taken.
    const std::wstring wstrStem = L"rename-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(::GetTickCount64());
    for (int k = 0; k < 100 && m_hFile == INVALID_HANDLE_VALUE; ++k) {
        m_strPath = strFolder + (wstrStem + (k ? L"-" + std::to_wstring(k) : L"") + L".journal").c_str();
        // Shared for reading only: another start of the program that opens
        // it for deleting meets a sharing violation while it is live.
        m_hFile = ::CreateFileW(LongPath(m_strPath).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, NULL,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        if (m_hFile == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS &&
            ::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (m_hFile == INVALID_HANDLE_VALUE) {
        m_strPath.Empty();
        return false;
    }
    // The plan is on the disk before the first move is made.
    if (!Write(CString(L"\xFEFF") + strPlan) || !::FlushFileBuffers(m_hFile)) {
        Delete();
        return false;
    }
    return true;
}

void CJournalFile::Append(const CString& strRecord)
{
    if (IsOpen() && !Write(strRecord))
        Close();  // a disk full: the rest goes unrecorded, the file stays
}

bool CJournalFile::Write(const CString& strText)
{
    const DWORD nBytes = (DWORD)(strText.GetLength() * sizeof(wchar_t));
    DWORD nWritten = 0;
    return ::WriteFile(m_hFile, strText.GetString(), nBytes, &nWritten, NULL) && nWritten == nBytes;
}

void CJournalFile::Delete()
{
    if (!IsOpen())
        return;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    ::SetFileInformationByHandle(m_hFile, FileDispositionInfo, &disposition, sizeof(disposition));
    Close();
}

void CJournalFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

// ---------------------------------------------------------------------------

COrphanJournal::OpenResult COrphanJournal::Open(const CString& strPath)
{
    Close();
    m_strPath = strPath;
    m_hFile = ::CreateFileW(LongPath(strPath).c_str(), GENERIC_READ | DELETE, 0, NULL, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, NULL);
    if (m_hFile != INVALID_HANDLE_VALUE)
        return ORPHAN_OPEN;
    // A journal whose owner has it open, or that another start holds for
    // its recovery. (A journal being deleted answers "access denied".)
    return ::GetLastError() == ERROR_SHARING_VIOLATION ? ORPHAN_LIVE : ORPHAN_GONE;
}

bool COrphanJournal::Read(CString& strText)
{
    LARGE_INTEGER size;
    if (m_hFile == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_hFile, &size) || size.QuadPart > MAX_JOURNAL_BYTES ||
        size.QuadPart < (LONGLONG)sizeof(wchar_t) || size.QuadPart % sizeof(wchar_t))
        return false;
    std::wstring wstrText((size_t)size.QuadPart / sizeof(wchar_t), L'\0');
    DWORD nRead = 0;
    if (!::ReadFile(m_hFile, &wstrText[0], (DWORD)size.QuadPart, &nRead, NULL) || nRead != (DWORD)size.QuadPart ||
        wstrText[0] != L'\xFEFF')
        return false;
    strText = CString(wstrText.substr(1));
    return true;
}

void COrphanJournal::Delete()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    ::SetFileInformationByHandle(m_hFile, FileDispositionInfo, &disposition, sizeof(disposition));
    Close();
}

void COrphanJournal::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

std::vector<CString> FindJournalFiles()
{
    std::vector<CString> paths;
    const CString strFolder = JournalFolder();
    if (strFolder.IsEmpty())
        return paths;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = ::FindFirstFileExW((LongPath(strFolder) + JOURNAL_PATTERN).c_str(), FindExInfoBasic, &fd,
                                      FindExSearchNameMatch, NULL, 0);
    if (hFind == INVALID_HANDLE_VALUE)
        return paths;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            paths.push_back(strFolder + fd.cFileName);
    } while (::FindNextFileW(hFind, &fd));
    ::FindClose(hFind);
    return paths;
}
