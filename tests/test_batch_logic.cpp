// The batch commands and the undo history without a window: each
// transformation, the whole commands from editor text to editor text, and
// the history's bound.
#include <gtest/gtest.h>

#include <string>

#include "names/BatchEdit.h"
#include "names/NameList.h"
#include "names/UndoHistory.h"

namespace {

std::wstring S(const CString& s) { return s.str(); }

}  // namespace

TEST(BatchLogic, ReplaceScansOnceLeftToRightAndCaseMatters)
{
    EXPECT_EQ(S(ReplaceInName(L"a.mp3", L"a", L"aa")), L"aa.mp3");
    EXPECT_EQ(S(ReplaceInName(L"banana", L"a", L"aa")), L"baanaanaa");
    // Overlapping occurrences: the leftmost goes, the scan goes on behind it.
    EXPECT_EQ(S(ReplaceInName(L"aaa", L"aa", L"b")), L"ba");
    // The inserted text is never scanned again.
    EXPECT_EQ(S(ReplaceInName(L"xa", L"a", L"xa")), L"xxa");
    EXPECT_EQ(S(ReplaceInName(L"ab", L"ab", L"aab")), L"aab");
    // Exact comparison: other cases of letters are other texts.
    EXPECT_EQ(S(ReplaceInName(L"Song song SONG", L"song", L"track")), L"Song track SONG");
    // An empty find text leaves the name alone; an empty replacement deletes.
    EXPECT_EQ(S(ReplaceInName(L"abc", L"", L"x")), L"abc");
    EXPECT_EQ(S(ReplaceInName(L"a-b-c", L"-", L"")), L"abc");
    EXPECT_EQ(S(ReplaceInName(L"", L"a", L"b")), L"");
    // Korean text is found and replaced like any other.
    EXPECT_EQ(S(ReplaceInName(L"노래 01.mp3", L"노래", L"곡")), L"곡 01.mp3");
}

TEST(BatchLogic, InsertFrontAndChangeExtension)
{
    EXPECT_EQ(S(InsertFrontOfName(L"song.mp3", L"01 ")), L"01 song.mp3");
    EXPECT_EQ(S(InsertFrontOfName(L"", L"new")), L"new");
    EXPECT_EQ(S(InsertFrontOfName(L"곡.mp3", L"")), L"곡.mp3");

    EXPECT_EQ(S(ChangeExtensionOfName(L"song.txt", L"mp3")), L"song.mp3");
    // No dot is sought: the cut is always 3 characters.
    EXPECT_EQ(S(ChangeExtensionOfName(L"page.html", L"txt")), L"page.htxt");
    EXPECT_EQ(S(ChangeExtensionOfName(L"song.txt", L".text")), L"song..text");
    // A line of 3 characters or fewer gives the typed text alone.
    EXPECT_EQ(S(ChangeExtensionOfName(L"abc", L"mp3")), L"mp3");
    EXPECT_EQ(S(ChangeExtensionOfName(L"ab", L"mp3")), L"mp3");
    EXPECT_EQ(S(ChangeExtensionOfName(L"", L"mp3")), L"mp3");
    // An empty field removes the last 3 characters.
    EXPECT_EQ(S(ChangeExtensionOfName(L"song.mp3", L"")), L"song.");
}

TEST(BatchLogic, ChangeExtensionCutsWholeKoreanCharacters)
{
    // A Korean character counts as one, as a Latin letter does.
    EXPECT_EQ(S(CutExtension(L"abcd가")), L"ab");
    EXPECT_EQ(S(CutExtension(L"노래.mp3")), L"노래.");
    EXPECT_EQ(S(CutExtension(L"abc가나다")), L"abc");
    EXPECT_EQ(S(CutExtension(L"가나")), L"");
    EXPECT_EQ(S(CutExtension(L"가abc")), L"가");
    EXPECT_EQ(S(CutExtension(L"a가bc")), L"a");
    EXPECT_EQ(S(ChangeExtensionOfName(L"가나다라", L"mp3")), L"가mp3");
    // So does an emoji, two UTF-16 units: no cut or match splits one.
    EXPECT_EQ(S(CutExtension(L"ab\xD83C\xDF89" L"cd")), L"ab");
    EXPECT_EQ(S(CutExtension(L"\xD83C\xDF89\xD83C\xDF89")), L"");
    EXPECT_EQ(S(ReplaceInName(L"x\xD83C\xDF89", L"\xDF89", L"y")), L"x\xD83C\xDF89");
    EXPECT_EQ(S(ReplaceInName(L"\xD83C\xDF89\xD83C", L"\xD83C", L"y")), L"\xD83C\xDF89y");
}

TEST(BatchLogic, LineSplitTakesAnUnclosedLastLineToo)
{
    CString names[4];
    EXPECT_EQ(S(SplitNames(L"a\r\n\r\nc\r\n", 3, names)), L"");
    EXPECT_EQ(S(names[0]), L"a");
    EXPECT_EQ(S(names[1]), L"");
    EXPECT_EQ(S(names[2]), L"c");

    // The unclosed last run is the next name; the names past it are empty.
    names[2] = L"stale";
    EXPECT_EQ(S(SplitNames(L"a\r\nxyz", 3, names)), L"");
    EXPECT_EQ(S(names[0]), L"a");
    EXPECT_EQ(S(names[1]), L"xyz");
    EXPECT_EQ(S(names[2]), L"");
    // A command closes that line, and transforms it like the others.
    EXPECT_EQ(S(TransformLines(L"a\r\nxyz", [](const CString& s) { return InsertFrontOfName(s, L"1 "); })),
              L"1 a\r\n1 xyz\r\n");

    EXPECT_EQ(S(SplitNames(L"a\r\nb\r\nc\r\n", 2, names)), L"c\r\n");
    EXPECT_EQ(S(names[1]), L"b");

    // Join and split give back the names, Korean ones included.
    const CString in[3] = {L"가나.mp3", L"", L"a b"};
    CString out[3];
    CString text = JoinNames(in, 3);
    EXPECT_EQ(S(text), L"가나.mp3\r\n\r\na b\r\n");
    EXPECT_EQ(S(SplitNames(text, 3, out)), L"");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(S(out[i]), S(in[i]));
    EXPECT_EQ(S(JoinNames(in, 0)), L"");
}

TEST(BatchLogic, CommandsKeepTheLinesAsTheyStand)
{
    auto front = [](const CString& s) { return InsertFrontOfName(s, L"01 "); };
    auto wav = [](const CString& s) { return ChangeExtensionOfName(s, L"wav"); };
    // A line deleted: the text stays one line short, and no name is made
    // up for the file that lost its line.
    EXPECT_EQ(S(TransformLines(L"a.mp3\r\nc.mp3\r\n", wav)), L"a.wav\r\nc.wav\r\n");
    // An emptied line stays empty; a short one still becomes the text.
    EXPECT_EQ(S(TransformLines(L"a.mp3\r\n\r\nab\r\n", wav)), L"a.wav\r\n\r\nwav\r\n");
    EXPECT_EQ(S(TransformLines(L"\r\n\r\nb", front)), L"\r\n\r\n01 b\r\n");
    // Lines the user added stay; empty lines at the end are none.
    EXPECT_EQ(S(TransformLines(L"a\r\nb\r\nextra\r\n\r\n\r\n", front)), L"01 a\r\n01 b\r\n01 extra\r\n");
    EXPECT_EQ(S(TransformLines(L"", front)), L"");
    EXPECT_EQ(S(TransformLines(L"a\r\nb\r\nc", [](const CString& s) { return ReplaceInName(s, L"", L"z"); })),
              L"a\r\nb\r\nc\r\n");
    // The rename counts the same lines.
    EXPECT_EQ(SplitLines(L"a\r\n\r\nb\r\n\r\n").size(), 3u);
    EXPECT_EQ(CountNameLines(L"a\r\n\r\nb\r\n\r\n"), 3);
}

TEST(BatchLogic, UndoGivesBackTextsNewestFirst)
{
    CUndoHistory undo;
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.GetDepth(), 0);

    undo.Record(L"first");
    undo.Record(L"second");
    undo.Record(L"third");
    EXPECT_EQ(undo.GetDepth(), 3);
    EXPECT_EQ(S(undo.Undo()->strText), L"third");
    EXPECT_EQ(S(undo.Undo()->strText), L"second");
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_EQ(S(undo.Undo()->strText), L"first");
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);

    // An undone step is gone: the next record takes its slot.
    undo.Record(L"a");
    undo.Record(L"b");
    EXPECT_EQ(S(undo.Undo()->strText), L"b");
    undo.Record(L"c");
    EXPECT_EQ(S(undo.Undo()->strText), L"c");
    EXPECT_EQ(S(undo.Undo()->strText), L"a");
    EXPECT_FALSE(undo.CanUndo());

    undo.Record(L"x");
    undo.Record(L"y");
    undo.Reset();
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);
    undo.Record(L"z");
    EXPECT_EQ(S(undo.Undo()->strText), L"z");
}

TEST(BatchLogic, UndoKeepsTheNewestHundredSteps)
{
    CUndoHistory undo;
    // Long texts live on the heap, so the drop is checked with moved
    // buffers as well as short ones.
    auto Text = [](int i) { return CString(L"step " + std::to_wstring(i) + (i % 2 ? std::wstring(100, L'x') : L"")); };
    // Each step's order and files move down with its text; runs of equal
    // files are shared among steps.
    auto Record = [&](int i) { undo.Record(Text(i), (ListOrder)(i % 5), {i / 3}); };
    for (int i = 0; i < MAX_UNDO; ++i)
        Record(i);
    EXPECT_EQ(undo.GetDepth(), MAX_UNDO);
    Record(MAX_UNDO);
    Record(MAX_UNDO + 1);
    EXPECT_EQ(undo.GetDepth(), MAX_UNDO);
    for (int i = MAX_UNDO + 1; i >= 2; --i) {
        const CUndoStep* p = undo.Undo();
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(S(p->strText), S(Text(i)));
        EXPECT_EQ(p->nOrder, i % 5);
        EXPECT_EQ(*p->pFiles, std::vector<int>{i / 3}) << i;
    }
    EXPECT_FALSE(undo.CanUndo());
}
