// Listing a folder's files into the name list.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "names/NameList.h"
#include "names/SortStringArray.h"
#include "support/TestSupport.h"

namespace {

const char* const SENTINEL = "<untouched>";

// Lists the folder into a full-size array prefilled with a sentinel, so
// that writes past the count show.
std::vector<std::string> List(const std::string& folder, int* pUntouched = nullptr)
{
    std::vector<CString> names(MAX_NAMES, CString(SENTINEL));
    int n = ListFolderFiles(CString(folder), names.data());
    EXPECT_GE(n, 0);
    EXPECT_LE(n, MAX_NAMES);
    if (pUntouched)
        *pUntouched = (int)std::count(names.begin() + n, names.end(), CString(SENTINEL));
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(names[i].str());
    return out;
}

typedef std::vector<std::string> Names;

}  // namespace

TEST(FolderListing, FilesOnlyHiddenAndSystemIncludedSorted)
{
    TempFolder dir("list");
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), {"b.txt", "가나.mp3", "A.TXT", "_first", "hidden.dat", "sys.dat",
                                             "readonly.txt", "noext"}));
    ASSERT_TRUE(SetFileAttributesA((dir / "hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((dir / "sys.dat").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((dir / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(MakeFolder(dir / "sub"));
    ASSERT_TRUE(MakeFolder(dir / "폴더"));
    ASSERT_TRUE(WriteNamedFiles(dir / "sub\\", {"inner.txt"}));

    int nUntouched = 0;
    EXPECT_EQ(List(dir.Path(), &nUntouched), (Names{"_first", "A.TXT", "b.txt", "hidden.dat", "noext",
                                                   "readonly.txt", "sys.dat", "가나.mp3"}));
    EXPECT_EQ(nUntouched, MAX_NAMES - 8);
}

TEST(FolderListing, NothingToListGivesZero)
{
    TempFolder dir("list");
    int nUntouched = 0;
    EXPECT_EQ(List(dir.Path(), &nUntouched), Names{});
    EXPECT_EQ(nUntouched, MAX_NAMES);

    ASSERT_TRUE(MakeFolder(dir / "a"));
    ASSERT_TRUE(MakeFolder(dir / "b"));
    EXPECT_EQ(List(dir.Path()), Names{});
    EXPECT_EQ(List(dir / "missing\\", &nUntouched), Names{});
    EXPECT_EQ(nUntouched, MAX_NAMES);
}

TEST(FolderListing, CollectAppliesTheFilterAndKeepsExistingEntries)
{
    TempFolder dir("list");
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), {"x.mp3", "y.MP3", "z.txt", "노래.mp3"}));
    ASSERT_TRUE(MakeFolder(dir / "folder.mp3"));
    CSortStringArray names;
    names.Add("earlier");
    CollectFileNames(CString(dir.Path()), names,
                     [](const CString& s) { return s.Right(4) == ".mp3"; });
    names.Sort();
    ASSERT_EQ(names.GetSize(), 3);
    EXPECT_EQ(names[0].str(), "earlier");
    EXPECT_EQ(names[1].str(), "x.mp3");
    EXPECT_EQ(names[2].str(), "노래.mp3");
}

TEST(FolderListing, MoreThanMaxNamesGivesExactlyMaxSorted)
{
    TempFolder dir("many");
    std::vector<std::string> created;
    for (int i = 0; i < 2500; ++i)
        created.push_back((i % 3 == 0 ? "File_" : i % 3 == 1 ? "file" : "파일") + std::to_string(i) + ".dat");
    std::shuffle(created.begin(), created.end(), std::mt19937(7));
    ASSERT_TRUE(WriteNamedFiles(dir.Path(), created));

    // The first MAX_NAMES of all the names in sorted order, whatever order
    // the platform enumerates them in; the number found is all of them.
    std::vector<CString> names(MAX_NAMES);
    int nFound = 0;
    ASSERT_EQ(ListFolderFiles(CString(dir.Path()), names.data(), &nFound), MAX_NAMES);
    EXPECT_EQ(nFound, 2500);
    std::sort(created.begin(), created.end(),
              [](const std::string& a, const std::string& b) { return CString(a).CompareNoCase(CString(b)) < 0; });
    for (int i = 0; i < MAX_NAMES; ++i)
        ASSERT_EQ(names[i].str(), created[i]) << i;
}
