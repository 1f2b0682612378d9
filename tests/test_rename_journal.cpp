// The rename journal: its text read back, where its files are found, what
// recovery does with it, and its file in the journal folder.
#include <gtest/gtest.h>

#include "names/RenameJournal.h"
#include "support/TestSupport.h"

namespace {

// A rotation a -> b -> c -> a of three files through "~quorvel-1.tmp", the
// names with a tab and a "%" in them as the format must carry them.
RenameJournal Rotation(bool bIdentitiesHold)
{
    RenameJournal j;
    j.strFolderPath = L"C:\\사진\\";
    j.dwVolume = 0x1234ABCD;
    j.bIdentitiesHold = bIdentitiesHold;
    const wchar_t* names[] = {L"a%1", L"b\t", L"c"};
    for (int k = 0; k < 3; ++k) {
        JournalFile f;
        f.key.identity = {j.dwVolume, 100u + k};
        f.key.nSize = 10;
        f.key.nWriteTime = f.key.nCreationTime = 1000u + k;
        f.strFrom = f.strOld = names[k];
        f.strNew = names[(k + 1) % 3];
        j.files.push_back(f);
    }
    j.files[0].strTemp = L"~quorvel-1.tmp";
    return j;
}

// The folder holding file k of the rotation under each name given; a key
// of -1 is another file.
CKeyedFolder Folder(const RenameJournal& j, const std::vector<std::pair<std::wstring, int>>& at)
{
    CKeyedFolder folder;
    folder.bRead = true;
    folder.dwVolume = j.dwVolume;
    for (const auto& e : at) {
        CKeyedEntry entry;
        entry.strName = e.first.c_str();
        if (e.second >= 0)
            entry.key = j.files[e.second].key;
        else
            entry.key.identity = {j.dwVolume, 999};
        folder.entries.push_back(entry);
    }
    return folder;
}

// Each file's place as a letter: Old, Temp, New, ? unknown.
std::string Places(const RenameJournal& j, const CKeyedFolder& folder)
{
    std::string out;
    for (const JournalStanding& s :
         LocateJournalFiles(j, folder, [](const CString&, CFileKey&) { return false; }))
        out += "OTN?"[s.place];
    return out;
}

}  // namespace

TEST(RenameJournal, ReadBackAndLocated)
{
    struct Row {
        const char* what;
        std::wstring (*text)(const std::wstring& plan, const std::wstring& records);
        JournalReading reading;
        bool bIdentitiesHold;
        std::vector<std::pair<std::wstring, int>> folder;
        const char* places;
    };
    const auto whole = [](const std::wstring& p, const std::wstring& r) { return p + r; };
    const Row rows[] = {
        {"all records", whole, JOURNAL_READ, true, {{L"c", 1}, {L"a%1", 2}, {L"b\t", 0}}, "NNN"},
        // The kill came inside the cycle: a at the temporary name, c moved.
        {"last records missing", [](const std::wstring& p, const std::wstring& r) { return p + r.substr(0, r.find(L'\n') + 1); },
         JOURNAL_READ, true, {{L"~quorvel-1.tmp", 0}, {L"b\t", 1}, {L"a%1", 2}}, "TON"},
        {"a record torn", [](const std::wstring& p, const std::wstring& r) { return p + r.substr(0, r.size() - 3); },
         JOURNAL_READ, false, {{L"~quorvel-1.tmp-2", 0}, {L"c", 1}, {L"a%1", 2}}, "TNN"},
        {"case-only temporary name, a stranger under b", whole, JOURNAL_READ, true,
         {{L"~qv4711.tmp", 0}, {L"b\t", -1}, {L"a%1", 2}}, "T?N"},
        {"moved away or deleted", whole, JOURNAL_READ, true, {{L"elsewhere", 0}}, "???"},
        {"plan torn", [](const std::wstring& p, const std::wstring&) { return p.substr(0, p.size() / 2); },
         JOURNAL_TORN, true, {}, ""},
        {"plan damaged", [](const std::wstring& p, const std::wstring&) { return p.substr(0, 40) + L"x" + p.substr(41); },
         JOURNAL_TORN, true, {}, ""},
        {"foreign", [](const std::wstring&, const std::wstring&) { return std::wstring(L"Quorvel rename journal 2\n"); },
         JOURNAL_FOREIGN, true, {}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const RenameJournal plan = Rotation(row.bIdentitiesHold);
        std::wstring records = (FormatJournalRecord(0, L"~quorvel-1.tmp-2") + FormatJournalRecord(2, L"a%1") +
                                FormatJournalRecord(1, L"c") + FormatJournalRecord(0, L"b\t")).str();
        RenameJournal read;
        ASSERT_EQ(ParseJournal(row.text(FormatJournalPlan(plan).str(), records).c_str(), read), row.reading);
        if (row.reading != JOURNAL_READ)
            continue;
        EXPECT_EQ(read.strFolderPath, plan.strFolderPath);
        EXPECT_EQ(Places(read, Folder(read, row.folder)), row.places);
    }
}

TEST(RenameJournal, FolderGoneOrVolumeAbsent)
{
    const RenameJournal j = Rotation(true);
    CKeyedFolder gone;
    EXPECT_EQ(JudgeJournal(j, gone, true), VERDICT_FOLDER_GONE);
    EXPECT_EQ(JudgeJournal(j, gone, false), VERDICT_WAIT);
    CKeyedFolder other = Folder(j, {});
    other.dwVolume = 0x5555;  // another stick in the same drive
    EXPECT_EQ(JudgeJournal(j, other, true), VERDICT_WAIT);
    EXPECT_EQ(JudgeJournal(j, Folder(j, {}), true), VERDICT_ASK);
}

// The journal's file: live while its rename holds it, gone once deleted.
// (A killed rename's orphan is read and deleted in test_rename_crash.)
TEST(RenameJournal, FileLiveThenDeleted)
{
    CJournalFile live;
    ASSERT_TRUE(live.Create(FormatJournalPlan(Rotation(true))));
    ASSERT_EQ(FindJournalFiles().size(), 1u);
    COrphanJournal other;
    EXPECT_EQ(other.Open(live.GetPath()), COrphanJournal::ORPHAN_LIVE);
    live.Delete();
    EXPECT_EQ(other.Open(live.GetPath()), COrphanJournal::ORPHAN_GONE);
}
