#include "platform/VolumeKind.h"

#include "platform/PathIdentity.h"

namespace {

CVolumeService g_systemVolumes;
CVolumeService* g_pVolumes = &g_systemVolumes;

}  // namespace

VolumeKind VolumeKindOfFileSystem(const wchar_t* pszFileSystem)
{
    // Names as the file systems report them; compared without case all the
    // same, as nothing promises their spelling.
    for (const wchar_t* pszHold : {L"NTFS", L"ReFS"})
        if (::CompareStringOrdinal(pszFileSystem, -1, pszHold, -1, TRUE) == CSTR_EQUAL)
            return VOLUME_IDS_HOLD;
    return VOLUME_IDS_MOVE;
}

VolumeKind CVolumeService::KindOf(HANDLE hOnVolume)
{
    wchar_t szFileSystem[MAX_PATH + 1] = L"";
    if (!::GetVolumeInformationByHandleW(hOnVolume, NULL, 0, NULL, NULL, NULL, szFileSystem, MAX_PATH + 1))
        return VOLUME_IDS_MOVE;
    return VolumeKindOfFileSystem(szFileSystem);
}

BOOL CVolumeService::ReadFolderBlock(HANDLE hFolder, FILE_INFO_BY_HANDLE_CLASS infoClass, void* pBuffer, DWORD nSize)
{
    return ::GetFileInformationByHandleEx(hFolder, infoClass, pBuffer, nSize);
}

CVolumeService& VolumeService()
{
    return *g_pVolumes;
}

void SetVolumeService(CVolumeService* pService)
{
    g_pVolumes = pService ? pService : &g_systemVolumes;
}

VolumeKind GetVolumeKind(const CString& strPath)
{
    HANDLE hEntry = ::CreateFileW(LongPath(strPath).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (hEntry == INVALID_HANDLE_VALUE)
        return VOLUME_IDS_MOVE;
    const VolumeKind kind = VolumeService().KindOf(hEntry);
    ::CloseHandle(hEntry);
    return kind;
}
