// The name editor's text format (line join and split) and the name sort.
#include <gtest/gtest.h>

#include <random>

#include "names/NameList.h"
#include "names/SortStringArray.h"

namespace {

std::vector<std::string> Split(const std::string& text, int nCount, std::string* pLeftover = nullptr)
{
    std::vector<CString> names(nCount > 0 ? nCount : 1, CString("<untouched>"));
    CString leftover = SplitNames(CString(text), nCount, names.data());
    if (pLeftover)
        *pLeftover = leftover.str();
    std::vector<std::string> out;
    for (int i = 0; i < nCount; ++i)
        out.push_back(names[i].str());
    return out;
}

std::vector<std::string> Contents(const CSortStringArray& a)
{
    std::vector<std::string> out;
    for (int i = 0; i < a.GetSize(); ++i)
        out.push_back(a[i].str());
    return out;
}

void Fill(CSortStringArray& a, const std::vector<std::string>& names)
{
    a.RemoveAll();
    for (const std::string& n : names)
        a.Add(CString(n));
}

typedef std::vector<std::string> Names;

}  // namespace

TEST(NameText, JoinThenSplitGivesBackTheNames)
{
    const std::vector<CString> names = {"가나다.txt", "한글 이름 (1).mp3", "_x", "a b.c", "표준.hwp", "끝"};
    CString text = JoinNames(names.data(), (int)names.size());
    EXPECT_EQ(text.str(),
              std::string("가나다.txt\r\n한글 이름 (1).mp3\r\n_x\r\na b.c\r\n표준.hwp\r\n끝\r\n"));

    std::string leftover = "?";
    Names back = Split(text.str(), (int)names.size(), &leftover);
    ASSERT_EQ(back.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(back[i], names[i].str()) << i;
    EXPECT_EQ(leftover, "");

    EXPECT_EQ(JoinNames(names.data(), 0).str(), "");

    // The full list size round-trips too.
    std::vector<CString> many(MAX_NAMES);
    for (int i = 0; i < MAX_NAMES; ++i)
        many[i] = CString("파일 " + std::to_string(i) + ".txt");
    std::vector<CString> again(MAX_NAMES);
    EXPECT_EQ(SplitNames(JoinNames(many.data(), MAX_NAMES), MAX_NAMES, again.data()).str(), "");
    EXPECT_TRUE(again == many);
}

TEST(NameText, SplitCutsExactlyCountLines)
{
    std::string leftover;
    EXPECT_EQ(Split("a\r\n\r\nc\r\n", 3, &leftover), (Names{"a", "", "c"}));
    EXPECT_EQ(leftover, "");

    // A last run not closed by "\r\n" is a name too; past it the names
    // are empty and nothing is left over.
    EXPECT_EQ(Split("a\r\nrun", 2, &leftover), (Names{"a", "run"}));
    EXPECT_EQ(leftover, "");
    EXPECT_EQ(Split("a\r\nwxyz", 4, &leftover), (Names{"a", "wxyz", "", ""}));
    EXPECT_EQ(leftover, "");
    EXPECT_EQ(Split("가\r\n나다", 2, &leftover), (Names{"가", "나다"}));
    EXPECT_EQ(leftover, "");

    // More lines than the count: the rest is leftover, "\r\n" included.
    EXPECT_EQ(Split("a\r\nb\r\nc\r\n", 2, &leftover), (Names{"a", "b"}));
    EXPECT_EQ(leftover, "c\r\n");
    EXPECT_EQ(Split("a\r\nb\r\nc", 2, &leftover), (Names{"a", "b"}));
    EXPECT_EQ(leftover, "c");

    EXPECT_EQ(Split("", 2, &leftover), (Names{"", ""}));
    EXPECT_EQ(leftover, "");
    EXPECT_EQ(Split("a\r\n", 0, &leftover), Names{});
    EXPECT_EQ(leftover, "a\r\n");

    // A lone CR or LF is part of the name; only the pair ends a line.
    EXPECT_EQ(Split("a\nb\rc\r\n\n\r\r\n", 2, &leftover), (Names{"a\nb\rc", "\n\r"}));
    EXPECT_EQ(leftover, "");
}

TEST(NameText, LineCountTakesAnUnclosedLastLineAndDropsEmptyLinesAtTheEnd)
{
    EXPECT_EQ(CountNameLines(""), 0);
    EXPECT_EQ(CountNameLines("\r\n\r\n"), 0);
    EXPECT_EQ(CountNameLines("a\r\nb\r\n"), 2);
    EXPECT_EQ(CountNameLines("a\r\nb"), 2);
    EXPECT_EQ(CountNameLines("a\r\nb\r\n\r\n\r\n"), 2);
    // Empty lines before the last text count.
    EXPECT_EQ(CountNameLines("\r\na\r\n\r\nb"), 4);
    // Only the pair ends a line: a lone CR or LF at the end is text.
    EXPECT_EQ(CountNameLines("a\r\n\n"), 2);
    EXPECT_EQ(CountNameLines("a\r\r\n"), 1);
    EXPECT_EQ(CountNameLines("가\r\n나"), 2);
}

TEST(NameSort, ElementAndSwapIfGreater)
{
    CSortStringArray a;
    Fill(a, {"b", "A", "a", "가", "Z"});
    CString copy = a.GetElement(0);
    copy += "x";
    EXPECT_EQ(a[0].str(), "b");  // a copy, not the entry

    EXPECT_TRUE(a.SwapIfGreater(0));  // "b" > "A"
    EXPECT_EQ(Contents(a), (Names{"A", "b", "a", "가", "Z"}));
    EXPECT_FALSE(a.SwapIfGreater(0));  // "A" < "b"
    EXPECT_TRUE(a.SwapIfGreater(1));   // "b" > "a"
    EXPECT_EQ(Contents(a), (Names{"A", "a", "b", "가", "Z"}));
    EXPECT_FALSE(a.SwapIfGreater(0));  // "A" == "a" ignoring case: no exchange
    EXPECT_TRUE(a.SwapIfGreater(3));   // a double-byte character ranks above every letter
    EXPECT_EQ(Contents(a), (Names{"A", "a", "b", "Z", "가"}));
    EXPECT_FALSE(a.SwapIfGreater(3));
}

TEST(NameSort, StableCaseInsensitiveOrder)
{
    CSortStringArray a;
    a.Sort();
    EXPECT_EQ(a.GetSize(), 0);
    Fill(a, {"Z"});
    a.Sort();
    EXPECT_EQ(Contents(a), Names{"Z"});

    // Equal ignoring case keeps the given order; "_" ranks before letters
    // (letters compare as lower case); Korean after Latin; a prefix first.
    Fill(a, {"b.txt", "가.txt", "README", "B.TXT", "_z", "readme", "a", "Readme", "나", "가", "1", "ab"});
    a.Sort();
    EXPECT_EQ(Contents(a), (Names{"1", "_z", "a", "ab", "b.txt", "B.TXT", "README", "readme", "Readme",
                                  "가", "가.txt", "나"}));
}

TEST(NameSort, SortGivesTheOrderOfRepeatedPasses)
{
    // The order must be exactly that of passes of SwapIfGreater over the
    // whole array until one swaps nothing.
    const char* pieces[] = {"a", "A", "b", "B", "_", "가", "각", "나", "1", ".", " ", "~", "z", "Z", "ㄱ", "漢",
                            "[", "`", "^", "\\", "Ａ", "ａ", "가A", "가a"};
    std::mt19937 rng(42);
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i) {
        std::string n;
        int len = 1 + (int)(rng() % 4);
        for (int k = 0; k < len; ++k)
            n += pieces[rng() % (sizeof(pieces) / sizeof(pieces[0]))];
        names.push_back(n);
    }
    CSortStringArray sorted, passes;
    Fill(sorted, names);
    Fill(passes, names);
    sorted.Sort();
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 0; i + 1 < passes.GetSize(); ++i)
            swapped = passes.SwapIfGreater(i) || swapped;
    }
    EXPECT_EQ(Contents(sorted), Contents(passes));

    // Every pair of ASCII characters, alone and after or before a shared
    // double-byte character, orders as SwapIfGreater orders it.
    int nMismatches = 0;
    for (int c1 = 1; c1 < 128; ++c1) {
        for (int c2 = 1; c2 < 128; ++c2) {
            const std::string x(1, (char)c1), y(1, (char)c2);
            for (const Names& pair : {Names{x, y}, Names{"가" + x, "가" + y}, Names{x + "나", y + "가"}}) {
                Fill(sorted, pair);
                Fill(passes, pair);
                sorted.Sort();
                passes.SwapIfGreater(0);
                nMismatches += Contents(sorted) != Contents(passes);
            }
        }
    }
    EXPECT_EQ(nMismatches, 0);
}
