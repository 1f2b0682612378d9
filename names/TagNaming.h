// Names from tags for the listed files: their fields read one file after
// another, and each file's line made from a format.
#pragma once

#include <functional>
#include <vector>

#include "framework/afxstr.h"
#include "names/NameList.h"
#include "names/TagFields.h"
#include "names/TagFormat.h"

class CShellService;

// Told before each file is read: nDone files of nTotal read so far, strName
// the name on disk of the one next; returns false to stop the reading.
typedef std::function<bool(int nDone, int nTotal, const CString& strName)> TagReadProgress;

// The fields of the listed files, in two stages: what the folder's listing
// gives (the modified date and time, whether a file is online only) for
// all of them at once, without opening any; a file's own tags only when a
// format asks for them. Online-only files are never opened, so that no
// reading makes Windows download them.
class CListedFields {
public:
    // The listing of the list's folder, through the shell's service, for
    // its files. pZone: the time zone of the modified times, the system's
    // when NULL.
    void ReadListing(CShellService& shell, const CNameList& list, const TIME_ZONE_INFORMATION* pZone = NULL);

    int GetCount() const { return (int)m_files.size(); }
    // File i's fields; with bTags, its tags are read first if they are not
    // yet.
    const TagFields& Fields(int i, bool bTags);
    // Whether file i's tags are still to be read.
    bool IsUnread(int i) const { return !m_files[i].bRead; }
    // Whether file i is online only: it lacks every field but the modified
    // ones.
    bool IsOnlineOnly(int i) const { return m_files[i].bOnlineOnly; }
    // Reads the tags of every file not read yet; false when progress
    // stopped it (the files left have none).
    bool ReadAllTags(const TagReadProgress& progress = TagReadProgress());

private:
    struct CFile {
        CString strDiskName;
        TagFields fields;
        bool bOnlineOnly = false;
        bool bRead = false;
    };
    CString m_strFolderPath;
    std::vector<CFile> m_files;
};

// The line of the file named strDiskName after naming from tags: the name
// the format makes of its fields, with the file's extension as on disk; the
// line as it stands when a field is missing. *pbMissing (when given) tells
// whether the file kept its line for want of a field.
CString TagNameLine(const CTagFormat& format, const TagFields& fields, const CString& strDiskName,
                    const CString& strLine, bool* pbMissing = NULL);
