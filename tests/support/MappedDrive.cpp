#include "MappedDrive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace {

// Wine's mount manager defines and removes drive letters, as the prefix's
// configuration tool does; Windows has no such request.
const DWORD kDefineUnixDrive =
    CTL_CODE((ULONG)'m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};

bool DefineUnixDrive(char letter, const char* pszUnixPath)
{
    HANDLE hManager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (hManager == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> buf(sizeof(UnixDriveRequest) + (pszUnixPath ? strlen(pszUnixPath) + 1 : 0));
    UnixDriveRequest* req = (UnixDriveRequest*)buf.data();
    req->size = (ULONG)buf.size();
    req->type = DRIVE_FIXED;
    req->letter = (WCHAR)(letter - 'A' + 'a');
    if (pszUnixPath) {
        req->mount_point_offset = sizeof(UnixDriveRequest);
        strcpy(buf.data() + sizeof(UnixDriveRequest), pszUnixPath);
    }
    DWORD dwReturned = 0;
    BOOL bOk = DeviceIoControl(hManager, kDefineUnixDrive, buf.data(), (DWORD)buf.size(), NULL, 0, &dwReturned, NULL);
    CloseHandle(hManager);
    return bOk != FALSE;
}

}  // namespace

MappedDrive::MappedDrive(const std::wstring& folder)
{
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn pUnixName = (UnixNameFn)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!pUnixName)
        return;
    char* pszUnix = pUnixName(folder.c_str());
    if (!pszUnix)
        return;
    DWORD dwUsed = GetLogicalDrives();
    for (char c = 'M'; c <= 'Y' && !m_letter; ++c)
        if (!(dwUsed & (1u << (c - 'A'))) && DefineUnixDrive(c, pszUnix))
            m_letter = c;
    HeapFree(GetProcessHeap(), 0, pszUnix);
    if (m_letter && GetFileAttributesW(Root().c_str()) == INVALID_FILE_ATTRIBUTES)
        Unmap();
}

void MappedDrive::Unmap()
{
    if (!m_letter)
        return;
    DefineUnixDrive(m_letter, NULL);
    // The process keeps its own view of the drive letter until told.
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, Root().substr(0, 2).c_str(), NULL);
    m_letter = 0;
}
