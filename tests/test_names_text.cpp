// The name editor's text format (line join and split) and the name sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "names/NameList.h"
#include "names/SortStringArray.h"

namespace {

std::vector<std::wstring> Split(const std::wstring& text, int nCount, std::wstring* pLeftover = nullptr)
{
    std::vector<CString> names(nCount > 0 ? nCount : 1, CString(L"<untouched>"));
    CString leftover = SplitNames(CString(text), nCount, names.data());
    if (pLeftover)
        *pLeftover = leftover.str();
    std::vector<std::wstring> out;
    for (int i = 0; i < nCount; ++i)
        out.push_back(names[i].str());
    return out;
}

std::vector<std::wstring> Contents(const CSortStringArray& a)
{
    std::vector<std::wstring> out;
    for (int i = 0; i < a.GetSize(); ++i)
        out.push_back(a[i].str());
    return out;
}

void Fill(CSortStringArray& a, const std::vector<std::wstring>& names)
{
    a.RemoveAll();
    for (const std::wstring& n : names)
        a.Add(CString(n));
}

typedef std::vector<std::wstring> Names;

}  // namespace

TEST(NameText, JoinThenSplitGivesBackTheNames)
{
    const std::vector<CString> names = {L"가나다.txt", L"한글 이름 (1).mp3", L"_x", L"a b.c", L"표준.hwp", L"끝"};
    CString text = JoinNames(names.data(), (int)names.size());
    EXPECT_EQ(text.str(),
              std::wstring(L"가나다.txt\r\n한글 이름 (1).mp3\r\n_x\r\na b.c\r\n표준.hwp\r\n끝\r\n"));

    std::wstring leftover = L"?";
    Names back = Split(text.str(), (int)names.size(), &leftover);
    ASSERT_EQ(back.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(back[i], names[i].str()) << i;
    EXPECT_EQ(leftover, L"");

    EXPECT_EQ(JoinNames(names.data(), 0).str(), L"");

    // The full list size round-trips too.
    std::vector<CString> many(MAX_NAMES);
    for (int i = 0; i < MAX_NAMES; ++i)
        many[i] = CString(L"파일 " + std::to_wstring(i) + L".txt");
    std::vector<CString> again(MAX_NAMES);
    EXPECT_EQ(SplitNames(JoinNames(many.data(), MAX_NAMES), MAX_NAMES, again.data()).str(), L"");
    EXPECT_TRUE(again == many);
}

TEST(NameText, SplitCutsExactlyCountLines)
{
    std::wstring leftover;
    EXPECT_EQ(Split(L"a\r\n\r\nc\r\n", 3, &leftover), (Names{L"a", L"", L"c"}));
    EXPECT_EQ(leftover, L"");

    // A last run not closed by "\r\n" is a name too; past it the names
    // are empty and nothing is left over.
    EXPECT_EQ(Split(L"a\r\nrun", 2, &leftover), (Names{L"a", L"run"}));
    EXPECT_EQ(leftover, L"");
    EXPECT_EQ(Split(L"a\r\nwxyz", 4, &leftover), (Names{L"a", L"wxyz", L"", L""}));
    EXPECT_EQ(leftover, L"");
    EXPECT_EQ(Split(L"가\r\n나다", 2, &leftover), (Names{L"가", L"나다"}));
    EXPECT_EQ(leftover, L"");

    // More lines than the count: the rest is leftover, "\r\n" included.
    EXPECT_EQ(Split(L"a\r\nb\r\nc\r\n", 2, &leftover), (Names{L"a", L"b"}));
    EXPECT_EQ(leftover, L"c\r\n");
    EXPECT_EQ(Split(L"a\r\nb\r\nc", 2, &leftover), (Names{L"a", L"b"}));
    EXPECT_EQ(leftover, L"c");

    EXPECT_EQ(Split(L"", 2, &leftover), (Names{L"", L""}));
    EXPECT_EQ(leftover, L"");
    EXPECT_EQ(Split(L"a\r\n", 0, &leftover), Names{});
    EXPECT_EQ(leftover, L"a\r\n");

    // A lone CR or LF is part of the name; only the pair ends a line.
    EXPECT_EQ(Split(L"a\nb\rc\r\n\n\r\r\n", 2, &leftover), (Names{L"a\nb\rc", L"\n\r"}));
    EXPECT_EQ(leftover, L"");
}

TEST(NameText, LineCountTakesAnUnclosedLastLineAndDropsEmptyLinesAtTheEnd)
{
    EXPECT_EQ(CountNameLines(L""), 0);
    EXPECT_EQ(CountNameLines(L"\r\n\r\n"), 0);
    EXPECT_EQ(CountNameLines(L"a\r\nb\r\n"), 2);
    EXPECT_EQ(CountNameLines(L"a\r\nb"), 2);
    EXPECT_EQ(CountNameLines(L"a\r\nb\r\n\r\n\r\n"), 2);
    // Empty lines before the last text count.
    EXPECT_EQ(CountNameLines(L"\r\na\r\n\r\nb"), 4);
    // Only the pair ends a line: a lone CR or LF at the end is text.
    EXPECT_EQ(CountNameLines(L"a\r\n\n"), 2);
    EXPECT_EQ(CountNameLines(L"a\r\r\n"), 1);
    EXPECT_EQ(CountNameLines(L"가\r\n나"), 2);
}

TEST(NameSort, StableCaseInsensitiveOrder)
{
    CSortStringArray a;
    a.Sort();
    EXPECT_EQ(a.GetSize(), 0);
    Fill(a, {L"Z"});
    a.Sort();
    EXPECT_EQ(Contents(a), Names{L"Z"});

    // Equal ignoring case keeps the given order; "_" ranks before letters
    // (letters compare as lower case); Korean after Latin; a prefix first.
    Fill(a, {L"b.txt", L"가.txt", L"README", L"B.TXT", L"_z", L"readme", L"a", L"Readme", L"나", L"가", L"1", L"ab"});
    a.Sort();
    EXPECT_EQ(Contents(a), (Names{L"1", L"_z", L"a", L"ab", L"b.txt", L"B.TXT", L"README", L"readme", L"Readme",
                                  L"가", L"가.txt", L"나"}));
}

TEST(NameSort, SortGivesTheReferenceOrder)
{
    // The reference: UTF-16 units in order, ASCII letters as lower case,
    // equal names in their given order. Over random names of pieces on
    // every side of the letters, and every ASCII character alone, after a
    // Korean one and before one.
    const wchar_t* pieces[] = {L"a", L"A", L"b", L"B", L"_", L"가", L"각", L"나", L"1", L".", L" ", L"~",
                               L"z", L"Z", L"ㄱ", L"漢", L"[", L"`", L"^", L"\\", L"Ａ", L"ａ", L"가A", L"가a"};
    std::mt19937 rng(42);
    Names names;
    for (int i = 0; i < 400; ++i) {
        std::wstring n;
        int len = 1 + (int)(rng() % 4);
        for (int k = 0; k < len; ++k)
            n += pieces[rng() % (sizeof(pieces) / sizeof(pieces[0]))];
        names.push_back(n);
    }
    for (wchar_t c = 1; c < 128; ++c)
        for (const std::wstring& n : {std::wstring(1, c), L"가" + std::wstring(1, c), c + std::wstring(L"나"),
                                      c + std::wstring(L"가")})
            names.push_back(n);
    auto folded = [](std::wstring n) {
        for (wchar_t& c : n)
            c += c >= L'A' && c <= L'Z' ? L'a' - L'A' : 0;
        return n;
    };
    Names reference = names;
    std::stable_sort(reference.begin(), reference.end(),
                     [&](const std::wstring& x, const std::wstring& y) { return folded(x) < folded(y); });
    CSortStringArray sorted;
    Fill(sorted, names);
    sorted.Sort();
    EXPECT_EQ(Contents(sorted), reference);
}
