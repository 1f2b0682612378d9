// Listing a folder's files into the name list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "names/NameList.h"
#include "names/SortStringArray.h"
#include "support/TestSupport.h"

namespace {

// Lists the folder; the names on disk must be the names shown.
std::vector<std::wstring> List(const std::wstring& folder)
{
    CNameList list;
    int n = ListFolderFiles(CString(folder), list);
    EXPECT_EQ(n, list.GetCount());
    EXPECT_LE(n, MAX_NAMES);
    EXPECT_EQ(list.ShownNames(), list.DiskNames());
    std::vector<std::wstring> out;
    for (int i = 0; i < n; ++i)
        out.push_back(list[i].strShown.str());
    return out;
}

typedef std::vector<std::wstring> Names;

}  // namespace

TEST(FolderListing, FilesOnlyHiddenAndSystemIncludedSorted)
{
    TempFolder dir(L"list");
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), {L"b.txt", L"가나.mp3", L"A.TXT", L"_first", L"hidden.dat", L"sys.dat",
                                             L"readonly.txt", L"noext"}));
    ASSERT_TRUE(SetFileAttributesW((dir / L"hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((dir / L"sys.dat").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((dir / L"readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(MakeFolder(dir / L"sub"));
    ASSERT_TRUE(MakeFolder(dir / L"폴더"));
    ASSERT_TRUE(WriteNamedFiles(dir / L"sub\\", {L"inner.txt"}));

    EXPECT_EQ(List(dir.Path()), (Names{L"_first", L"A.TXT", L"b.txt", L"hidden.dat", L"noext", L"readonly.txt",
                                       L"sys.dat", L"가나.mp3"}));
}

TEST(FolderListing, NothingToListGivesZero)
{
    TempFolder dir(L"list");
    EXPECT_EQ(List(dir.Path()), Names{});

    ASSERT_TRUE(MakeFolder(dir / L"a"));
    ASSERT_TRUE(MakeFolder(dir / L"b"));
    EXPECT_EQ(List(dir.Path()), Names{});
    EXPECT_EQ(List(dir / L"missing\\"), Names{});
}

TEST(FolderListing, CollectAppliesTheFilterAndKeepsExistingEntries)
{
    TempFolder dir(L"list");
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), {L"x.mp3", L"y.MP3", L"z.txt", L"노래.mp3"}));
    ASSERT_TRUE(MakeFolder(dir / L"folder.mp3"));
    std::vector<CString> names = {L"earlier"};
    CollectFileNames(CString(dir.Path()), names,
                     [](const CString& s) { return s.Right(4) == L".mp3"; });
    std::sort(names.begin(), names.end(), NameSortsBefore);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0].str(), L"earlier");
    EXPECT_EQ(names[1].str(), L"x.mp3");
    EXPECT_EQ(names[2].str(), L"노래.mp3");
}

TEST(FolderListing, MoreThanMaxNamesGivesExactlyMaxSorted)
{
    TempFolder dir(L"many");
    std::vector<std::wstring> created;
    for (int i = 0; i < 2500; ++i)
        created.push_back((i % 3 == 0 ? L"File_" : i % 3 == 1 ? L"file" : L"파일") + std::to_wstring(i) + L".dat");
    std::shuffle(created.begin(), created.end(), std::mt19937(7));
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), created));

    // The first MAX_NAMES of all the names in sorted order, whatever order
    // the platform enumerates them in; the number found is all of them.
    CNameList list;
    int nFound = 0;
    ASSERT_EQ(ListFolderFiles(CString(dir.Path()), list, &nFound), MAX_NAMES);
    const std::vector<CString> names = list.ShownNames(), disk = list.DiskNames();
    EXPECT_EQ(nFound, 2500);
    std::sort(created.begin(), created.end(),
              [](const std::wstring& a, const std::wstring& b) { return NameSortsBefore(a, b); });
    for (int i = 0; i < MAX_NAMES; ++i)
        ASSERT_EQ(names[i].str(), created[i]) << i;
}
