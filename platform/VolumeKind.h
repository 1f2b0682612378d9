// Whether a volume's file numbers say which file an entry is across a
// rename, and the service through which the folder read and the moves
// reach the volume.
// NTFS and ReFS keep a file's number for its life. FAT32 and exFAT, the
// file systems of USB sticks and camera cards, derive it from where the
// file's directory entry lies, and a rename that needs a longer entry
// moves that entry; some network shares give no numbers at all.
#pragma once

#include <windows.h>

#include <string>

#include "framework/afxstr.h"

enum VolumeKind {
    VOLUME_IDS_HOLD,  // a file's number survives a rename
    VOLUME_IDS_MOVE,  // it may not: a file is known by its size and last-write time
};

// The kind of a volume by its file system's name ("NTFS", "FAT32"...).
VolumeKind VolumeKindOfFileSystem(const wchar_t* pszFileSystem);

// What the platform asks of a volume when it reads a folder with its
// entries' identities, and when it moves an entry. A test stands in for a
// volume that Wine cannot show (Wine's numbers are inodes, which never
// change, and its folders always answer the read), or acts between moves.
class CVolumeService {
public:
    virtual ~CVolumeService() {}
    // The kind of the volume an open file or folder is on, by the file
    // system's name from GetVolumeInformationByHandleW; VOLUME_IDS_MOVE when
    // it does not say.
    virtual VolumeKind KindOf(HANDLE hOnVolume);
    // One block of an open folder's entries with their numbers, sizes and
    // times (GetFileInformationByHandleEx, FileIdBothDirectoryInfo or its
    // restart class). FALSE with the system's error once there are no more
    // (ERROR_NO_MORE_FILES) or when the file system does not answer.
    virtual BOOL ReadFolderBlock(HANDLE hFolder, FILE_INFO_BY_HANDLE_CLASS infoClass, void* pBuffer, DWORD nSize);
    // The number the volume gives the entry named wstrName, read as
    // nFileId.
    virtual ULONGLONG FileIdOf(ULONGLONG nFileId, const std::wstring& wstrName) { return nFileId; }
    // Moves the entry at one long path to another, never replacing one
    // (MoveFileExW without flags).
    virtual BOOL MoveEntry(const wchar_t* pszFrom, const wchar_t* pszTo) { return ::MoveFileExW(pszFrom, pszTo, 0); }
};

// The service the file-system services ask: the system's, unless a test
// has put its own in place (NULL puts the system's back).
CVolumeService& VolumeService();
void SetVolumeService(CVolumeService* pService);

// The kind of the volume that holds the entry at a full path;
// VOLUME_IDS_MOVE when it cannot be opened. For whatever keeps identities
// for later: a file's number is worth keeping on VOLUME_IDS_HOLD only.
VolumeKind GetVolumeKind(const CString& strPath);
