#include "names/RenameJournal.h"

#include <string>
#include <unordered_map>

#include "names/NameCheck.h"
#include "names/RenamePlan.h"

namespace {

const wchar_t TEMP_CASE_PREFIX[] = L"~qv";

// CRC-32 (the polynomial of zip and PNG) over the text's UTF-16 units.
DWORD Checksum(const wchar_t* p, size_t n)
{
    static DWORD table[256];
    static bool bReady = false;
    if (!bReady) {
        for (DWORD i = 0; i < 256; ++i) {
            DWORD c = i;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        bReady = true;
    }
    DWORD crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc = table[(crc ^ (p[i] & 0xFF)) & 0xFF] ^ (crc >> 8);
        crc = table[(crc ^ (p[i] >> 8)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::wstring Hex(ULONGLONG n)
{
    wchar_t sz[20];
    swprintf(sz, 20, L"%llX", n);
    return sz;
}

// Names go one a field: a tab, a line break or a "%" in one is written
// "%" and four hex digits.
void AppendName(std::wstring& out, const CString& strName)
{
    for (int i = 0; i < strName.GetLength(); ++i) {
        const wchar_t c = strName.GetAt(i);
        if (c < 0x20 || c == L'%') {
            wchar_t sz[8];
            swprintf(sz, 8, L"%%%04X", (unsigned)c);
            out += sz;
        } else {
            out += c;
        }
    }
}

bool ParseName(const std::wstring& field, CString& strName)
{
    std::wstring out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != L'%') {
            out += field[i];
            continue;
        }
        if (i + 4 >= field.size())
            return false;
        wchar_t* pEnd = NULL;
        const std::wstring digits = field.substr(i + 1, 4);
        const unsigned long c = wcstoul(digits.c_str(), &pEnd, 16);
        if (*pEnd)
            return false;
        out += (wchar_t)c;
        i += 4;
    }
    strName = CString(std::move(out));
    return true;
}

bool ParseNumber(const std::wstring& field, int nBase, ULONGLONG& n)
{
    if (field.empty())
        return false;
    wchar_t* pEnd = NULL;
    n = wcstoull(field.c_str(), &pEnd, nBase);
    return *pEnd == 0;
}

std::vector<std::wstring> SplitFields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseFile(const std::vector<std::wstring>& f, JournalFile& file)
{
    ULONGLONG nVolume = 0;
    if (f.size() != 10 || f[0] != L"file" || !ParseNumber(f[1], 16, nVolume) ||
        !ParseNumber(f[2], 16, file.key.identity.nFileId) || !ParseNumber(f[3], 10, file.key.nSize) ||
        !ParseNumber(f[4], 10, file.key.nWriteTime) || !ParseNumber(f[5], 10, file.key.nCreationTime) ||
        !ParseName(f[6], file.strFrom) || !ParseName(f[7], file.strOld) || !ParseName(f[8], file.strTemp) ||
        !ParseName(f[9], file.strNew) || file.strOld.IsEmpty() || file.strNew.IsEmpty())
        return false;
    file.key.identity.dwVolume = (DWORD)nVolume;
    if (file.strFrom.IsEmpty())
        file.strFrom = file.strOld;
    return true;
}

// The text of a record without its checksum.
std::wstring RecordBody(int nFile, const CString& strName)
{
    std::wstring body = L"r\t" + std::to_wstring(nFile) + L"\t";
    AppendName(body, strName);
    return body + L"\t";
}

bool DigitsOnly(const wchar_t* p, const wchar_t* pEnd)
{
    if (p == pEnd)
        return false;
    for (; p < pEnd; ++p)
        if (*p < L'0' || *p > L'9')
            return false;
    return true;
}

bool EndsWith(const std::wstring& s, const wchar_t* pszTail)
{
    const size_t n = wcslen(pszTail);
    return s.size() >= n && s.compare(s.size() - n, n, pszTail) == 0;
}

// Whether the entry's key says it is the journal's file.
bool SameFile(const CFileKey& file, const CFileKey& entry, bool bIdentitiesHold)
{
    if (bIdentitiesHold && file.identity.IsKnown() && entry.identity.IsKnown())
        return file.identity == entry.identity;
    return file.HasTimes() && file.nSize == entry.nSize && file.nWriteTime == entry.nWriteTime &&
           file.nCreationTime == entry.nCreationTime;
}

}  // namespace

CString FormatJournalPlan(const RenameJournal& journal)
{
    std::wstring out = JOURNAL_VERSION_LINE L"\nfolder\t";
    AppendName(out, journal.strFolderPath);
    out += L"\nvolume\t" + Hex(journal.dwVolume) + L"\t" + (journal.bIdentitiesHold ? L"ids" : L"times") + L"\n";
    for (const JournalFile& file : journal.files) {
        out += L"file\t" + Hex(file.key.identity.dwVolume) + L"\t" + Hex(file.key.identity.nFileId) + L"\t" +
               std::to_wstring(file.key.nSize) + L"\t" + std::to_wstring(file.key.nWriteTime) + L"\t" +
               std::to_wstring(file.key.nCreationTime) + L"\t";
        // Where the run finds the file, only when that is not its old name.
        AppendName(out, file.strFrom == file.strOld ? CString() : file.strFrom);
        for (const CString* pName : {&file.strOld, &file.strTemp, &file.strNew}) {
            out += L"\t";
            AppendName(out, *pName);
        }
        out += L"\n";
    }
    out += L"end\t" + std::to_wstring(journal.files.size()) + L"\t";
    out += Hex(Checksum(out.data(), out.size())) + L"\n";
    return CString(std::move(out));
}

CString FormatJournalRecord(int nFile, const CString& strName)
{
    std::wstring body = RecordBody(nFile, strName);
    return CString(body + Hex(Checksum(body.data(), body.size())) + L"\n");
}

JournalReading ParseJournal(const CString& strText, RenameJournal& journal)
{
    journal = RenameJournal();
    const std::wstring& text = strText.str();
    const std::wstring version = JOURNAL_VERSION_LINE L"\n";
    if (text.compare(0, version.size(), version) != 0)
        return JOURNAL_FOREIGN;
    size_t pos = version.size();
    auto nextLine = [&](std::wstring& line) {
        const size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos)
            return false;
        line = text.substr(pos, end - pos);
        pos = end + 1;
        return true;
    };
    std::wstring line;
    std::vector<std::wstring> f;
    ULONGLONG nVolume = 0;
    if (!nextLine(line) || (f = SplitFields(line)).size() != 2 || f[0] != L"folder" ||
        !ParseName(f[1], journal.strFolderPath) || !nextLine(line) || (f = SplitFields(line)).size() != 3 ||
        f[0] != L"volume" || !ParseNumber(f[1], 16, nVolume))
        return JOURNAL_TORN;
    journal.dwVolume = (DWORD)nVolume;
    journal.bIdentitiesHold = f[2] == L"ids";
    for (;;) {
        const size_t lineStart = pos;
        if (!nextLine(line))
            return JOURNAL_TORN;
        f = SplitFields(line);
        if (f[0] == L"end") {
            ULONGLONG nFiles = 0, nCheck = 0;
            const size_t checked = lineStart + line.rfind(L'\t') + 1;
            if (f.size() != 3 || !ParseNumber(f[1], 10, nFiles) || nFiles != journal.files.size() ||
                !ParseNumber(f[2], 16, nCheck) || nCheck != Checksum(text.data(), checked))
                return JOURNAL_TORN;
            break;
        }
        JournalFile file;
        if (!ParseFile(f, file))
            return JOURNAL_TORN;
        journal.files.push_back(file);
    }
    // Records, up to the first one cut short or damaged: the last ones may
    // not have reached the disk whole.
    journal.recorded.assign(journal.files.size(), CString());
    while (nextLine(line)) {
        f = SplitFields(line);
        ULONGLONG nFile = 0, nCheck = 0;
        CString strName;
        if (f.size() != 4 || f[0] != L"r" || !ParseNumber(f[1], 10, nFile) || nFile >= journal.files.size() ||
            !ParseName(f[2], strName) || !ParseNumber(f[3], 16, nCheck))
            break;
        const std::wstring body = RecordBody((int)nFile, strName);
        if (nCheck != Checksum(body.data(), body.size()))
            break;
        journal.recorded[(size_t)nFile] = strName;
    }
    return JOURNAL_READ;
}

bool IsTemporaryName(const CString& strName)
{
    const std::wstring& s = strName.str();
    const size_t nPrefix = wcslen(RENAME_TEMP_PREFIX);
    if (s.compare(0, nPrefix, RENAME_TEMP_PREFIX) == 0) {
        // "~quorvel-N.tmp", or "~quorvel-N.tmp-K" when that was taken.
        const size_t dot = s.find(L".tmp", nPrefix);
        if (dot == std::wstring::npos || !DigitsOnly(s.data() + nPrefix, s.data() + dot))
            return false;
        const size_t tail = dot + 4;
        return tail == s.size() || (s[tail] == L'-' && DigitsOnly(s.data() + tail + 1, s.data() + s.size()));
    }
    const size_t nCase = wcslen(TEMP_CASE_PREFIX);
    return s.compare(0, nCase, TEMP_CASE_PREFIX) == 0 && EndsWith(s, L".tmp") &&
           DigitsOnly(s.data() + nCase, s.data() + s.size() - 4);
}

std::vector<JournalStanding> LocateJournalFiles(
    const RenameJournal& journal, const CKeyedFolder& folder,
    const std::function<bool(const CString& strPath, CFileKey& key)>& readOutside)
{
    const size_t nFiles = journal.files.size();
    std::vector<JournalStanding> standings(nFiles, JournalStanding{PLACE_UNKNOWN, CString()});
    std::unordered_map<std::wstring, size_t> byName;
    std::vector<size_t> temporary;
    for (size_t e = 0; e < folder.entries.size(); ++e) {
        byName.emplace(folder.entries[e].strName.str(), e);
        if (IsTemporaryName(folder.entries[e].strName))
            temporary.push_back(e);
    }
    std::vector<char> claimed(folder.entries.size(), 0);
    std::unordered_map<std::wstring, char> claimedOutside;

    auto placeOf = [](const JournalFile& file, const CString& strName) {
        return strName == file.strOld ? PLACE_OLD : strName == file.strNew ? PLACE_NEW : PLACE_TEMP;
    };
    // Whether file k is under strName, unclaimed; bByName takes a file with
    // no key at its name alone.
    auto tryName = [&](size_t k, const CString& strName, bool bByName) {
        const JournalFile& file = journal.files[k];
        if (strName.IsEmpty())
            return false;
        const bool bKeyless = !file.key.HasTimes() && !(journal.bIdentitiesHold && file.key.identity.IsKnown());
        if (LastPartStart(strName) > 0) {
            CFileKey key;
            if (claimedOutside.count(strName.str()) || !readOutside(journal.strFolderPath + strName, key) ||
                !(SameFile(file.key, key, journal.bIdentitiesHold) || (bByName && bKeyless)))
                return false;
            claimedOutside[strName.str()] = 1;
        } else {
            auto found = byName.find(strName.str());
            if (found == byName.end() || claimed[found->second])
                return false;
            const CKeyedEntry& entry = folder.entries[found->second];
            if (!SameFile(file.key, entry.key, journal.bIdentitiesHold) && !(bByName && bKeyless))
                return false;
            claimed[found->second] = 1;
        }
        standings[k] = {placeOf(file, strName), strName};
        return true;
    };
    // First where the records put each file, then where else it may be.
    for (size_t k = 0; k < nFiles; ++k) {
        const CString& strRecorded = k < journal.recorded.size() ? journal.recorded[k] : CString();
        tryName(k, strRecorded.IsEmpty() ? journal.files[k].strFrom : strRecorded, true);
    }
    for (size_t k = 0; k < nFiles; ++k) {
        const JournalFile& file = journal.files[k];
        if (standings[k].place != PLACE_UNKNOWN)
            continue;
        if (tryName(k, file.strFrom, false) || tryName(k, file.strOld, false) || tryName(k, file.strNew, false) ||
            tryName(k, file.strTemp, false))
            continue;
        for (size_t e : temporary)
            if (tryName(k, folder.entries[e].strName, false))
                break;
    }
    return standings;
}

JournalRecovery PrepareRecovery(const RenameJournal& journal, const std::vector<JournalStanding>& standings,
                                bool bBack)
{
    JournalRecovery recovery;
    for (size_t k = 0; k < journal.files.size(); ++k) {
        const JournalFile& file = journal.files[k];
        const JournalStanding& standing = standings[k];
        recovery.to.push_back(bBack ? file.strOld : file.strNew);
        if (standing.place == PLACE_UNKNOWN) {
            const CString& strRecorded = k < journal.recorded.size() ? journal.recorded[k] : CString();
            recovery.from.push_back(strRecorded.IsEmpty() ? file.strFrom : strRecorded);
            recovery.missing.push_back((int)k);
            continue;
        }
        recovery.from.push_back(standing.strName);
        ++(standing.place == PLACE_OLD ? recovery.nOld : standing.place == PLACE_NEW ? recovery.nNew : recovery.nTemp);
    }
    return recovery;
}

JournalVerdict JudgeJournal(const RenameJournal& journal, const CKeyedFolder& folder, bool bVolumePresent)
{
    // A folder of that path on another volume (another stick in the same
    // drive) is not the journal's.
    if (folder.bRead && (journal.dwVolume == 0 || folder.dwVolume == journal.dwVolume))
        return VERDICT_ASK;
    return !folder.bRead && bVolumePresent ? VERDICT_FOLDER_GONE : VERDICT_WAIT;
}

void CRenameJournal::Begin(const CString& strFolderPath, const RenamePlan& plan, DWORD dwVolume,
                           bool bIdentitiesHold,
                           const std::function<CFileKey(int nIndex, const CString& strFrom)>& keyOf)
{
    m_nFileOf.clear();
    if (plan.moves.empty())
        return;
    RenameJournal journal;
    journal.strFolderPath = strFolderPath;
    journal.dwVolume = dwVolume;
    journal.bIdentitiesHold = bIdentitiesHold;
    const bool bKept = !m_newNames.empty();
    for (const RenameMove& mv : plan.moves) {
        if ((int)m_nFileOf.size() <= mv.nIndex)
            m_nFileOf.resize(mv.nIndex + 1, -1);
        int& nFile = m_nFileOf[mv.nIndex];
        if (nFile < 0) {
            nFile = (int)journal.files.size();
            JournalFile file;
            file.key = keyOf(mv.nIndex, mv.strFrom);
            file.strFrom = mv.strFrom;
            file.strOld = bKept ? m_oldNames[mv.nIndex] : mv.strFrom;
            file.strNew = bKept ? m_newNames[mv.nIndex] : mv.strTo;
            journal.files.push_back(file);
        }
        // A cycle's first file: its temporary name, then its new name.
        JournalFile& file = journal.files[nFile];
        if (mv.kind == MOVE_TO_TEMP)
            file.strTemp = mv.strTo;
        else if (mv.kind == MOVE_FROM_TEMP && !bKept)
            file.strNew = mv.strTo;
    }
    // The folder's volume, when not given, is its files'.
    for (size_t k = 0; k < journal.files.size() && !journal.dwVolume; ++k)
        journal.dwVolume = journal.files[k].key.identity.dwVolume;
    if (m_file.Create(FormatJournalPlan(journal)) && m_onWritten)
        m_onWritten();
}

void CRenameJournal::Begin(const CString& strFolderPath, const RenamePlan& plan, const CFolderSnapshot& snapshot)
{
    if (plan.moves.empty())
        return;
    DWORD dwVolume = 0;
    if (VolumeKeepsIdentities(strFolderPath, dwVolume)) {
        Begin(strFolderPath, plan, dwVolume, true, [&](int, const CString& strFrom) {
            CFileKey key;
            key.identity = snapshot.IdentityOf(strFrom);
            return key;
        });
        return;
    }
    // Elsewhere (FAT, exFAT) a file ID changes when a rename needs a longer
    // entry: the files are known by their size and times, read once.
    const CKeyedFolder folder = ReadKeyedFolder(strFolderPath);
    std::unordered_map<std::wstring, CFileKey> keys;
    for (const CKeyedEntry& entry : folder.entries)
        keys.emplace(entry.strName.str(), entry.key);
    Begin(strFolderPath, plan, dwVolume ? dwVolume : folder.dwVolume, false, [&](int, const CString& strFrom) {
        auto found = keys.find(strFrom.str());
        return found == keys.end() ? CFileKey() : found->second;
    });
}

void CRenameJournal::KeepNames(const std::vector<CString>& oldNames, const std::vector<CString>& newNames,
                               const std::function<void()>& onWritten)
{
    m_oldNames = oldNames;
    m_newNames = newNames;
    m_onWritten = onWritten;
}

void CRenameJournal::Moved(int nIndex, const CString& strName)
{
    if (m_file.IsOpen() && nIndex >= 0 && nIndex < (int)m_nFileOf.size() && m_nFileOf[nIndex] >= 0)
        m_file.Append(FormatJournalRecord(m_nFileOf[nIndex], strName));
}
