// The batch commands and the undo history without a window: each
// transformation, the whole commands from editor text to editor text, and
// the history's bound.
#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>

#include "names/BatchEdit.h"
#include "names/NameList.h"
#include "names/UndoHistory.h"

namespace {

std::string S(const CString& s) { return s.str(); }

// "캚" is 0xB0 0x41 in code page 949: its trail byte is the letter 'A'.
const char KAL[] = "\xB0\x41";
// "가" is 0xB0 0xA1: its trail byte has the value of a lead byte.
const char GA[] = "\xB0\xA1";

}  // namespace

TEST(BatchLogic, TestCharactersAreWholeKoreanCharacters)
{
    // The cases below mean nothing unless these bytes really are one
    // character each in the code page the program runs in.
    for (const char* p : {KAL, GA}) {
        WCHAR w[4] = {0};
        EXPECT_EQ(MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, p, 2, w, 4), 1) << p;
        EXPECT_TRUE(_ismbblead((unsigned char)p[0]));
    }
    EXPECT_TRUE(_ismbblead((unsigned char)GA[1]));
}

TEST(BatchLogic, ReplaceScansOnceLeftToRightAndCaseMatters)
{
    EXPECT_EQ(S(ReplaceInName("a.mp3", "a", "aa")), "aa.mp3");
    EXPECT_EQ(S(ReplaceInName("banana", "a", "aa")), "baanaanaa");
    // Overlapping occurrences: the leftmost goes, the scan goes on behind it.
    EXPECT_EQ(S(ReplaceInName("aaa", "aa", "b")), "ba");
    // The inserted text is never scanned again.
    EXPECT_EQ(S(ReplaceInName("xa", "a", "xa")), "xxa");
    EXPECT_EQ(S(ReplaceInName("ab", "ab", "aab")), "aab");
    // Byte comparison: other cases of letters are other texts.
    EXPECT_EQ(S(ReplaceInName("Song song SONG", "song", "track")), "Song track SONG");
    // An empty find text leaves the name alone; an empty replacement deletes.
    EXPECT_EQ(S(ReplaceInName("abc", "", "x")), "abc");
    EXPECT_EQ(S(ReplaceInName("a-b-c", "-", "")), "abc");
    EXPECT_EQ(S(ReplaceInName("", "a", "b")), "");
    // Korean text is found and replaced like any other.
    EXPECT_EQ(S(ReplaceInName("노래 01.mp3", "노래", "곡")), "곡 01.mp3");
}

TEST(BatchLogic, ReplaceNeverMatchesAtATrailByte)
{
    const std::string name = std::string(KAL) + "BC";
    // "AB" stands in the bytes (trail 'A', then 'B') but not as characters.
    EXPECT_EQ(S(ReplaceInName(name.c_str(), "AB", "x")), name);
    EXPECT_EQ(S(ReplaceInName(name.c_str(), "A", "x")), name);
    EXPECT_EQ(S(ReplaceInName(name.c_str(), "B", "x")), std::string(KAL) + "xC");
    // A trail byte with a lead byte's value does not start a character, so
    // "가가" holds no "\xA1\xB0".
    const std::string gaga = std::string(GA) + GA;
    EXPECT_EQ(S(ReplaceInName(gaga.c_str(), "\xA1\xB0", "x")), gaga);
    EXPECT_EQ(S(ReplaceInName(gaga.c_str(), GA, "a")), "aa");
}

TEST(BatchLogic, InsertFrontAndChangeExtension)
{
    EXPECT_EQ(S(InsertFrontOfName("song.mp3", "01 ")), "01 song.mp3");
    EXPECT_EQ(S(InsertFrontOfName("", "new")), "new");
    EXPECT_EQ(S(InsertFrontOfName("곡.mp3", "")), "곡.mp3");

    EXPECT_EQ(S(ChangeExtensionOfName("song.txt", "mp3")), "song.mp3");
    // No dot is sought: the cut is always 3 bytes.
    EXPECT_EQ(S(ChangeExtensionOfName("page.html", "txt")), "page.htxt");
    EXPECT_EQ(S(ChangeExtensionOfName("song.txt", ".text")), "song..text");
    // A line of 3 bytes or fewer gives the typed text alone.
    EXPECT_EQ(S(ChangeExtensionOfName("abc", "mp3")), "mp3");
    EXPECT_EQ(S(ChangeExtensionOfName("ab", "mp3")), "mp3");
    EXPECT_EQ(S(ChangeExtensionOfName("", "mp3")), "mp3");
    // An empty field removes the last 3 bytes.
    EXPECT_EQ(S(ChangeExtensionOfName("song.mp3", "")), "song.");
}

TEST(BatchLogic, ChangeExtensionCutsWholeKoreanCharacters)
{
    // Last three bytes are whole characters: exactly 3 bytes go.
    EXPECT_EQ(S(CutExtension("abcd가")), "abc");
    EXPECT_EQ(S(CutExtension("노래.mp3")), "노래.");
    // The cut would end inside "나": the whole of it goes as well.
    EXPECT_EQ(S(CutExtension("abc가나다")), "abc가");
    EXPECT_EQ(S(CutExtension("가나")), "");
    EXPECT_EQ(S(CutExtension("가abc")), "가");
    EXPECT_EQ(S(CutExtension("a가bc")), "a");
    EXPECT_EQ(S(ChangeExtensionOfName("가나다라", "mp3")), "가나mp3");
    // The byte before the cut is the trail byte of "가" with a lead byte's
    // value; the walk from the start knows it ends a character.
    EXPECT_EQ(S(CutExtension(CString("a") + GA + "bcd")), std::string("a") + GA);
    // A trail byte that is an ASCII letter.
    EXPECT_EQ(S(CutExtension(CString("x") + KAL + "mp3")), std::string("x") + KAL);
    EXPECT_EQ(S(CutExtension(CString("x") + KAL + "p3")), "x");
}

TEST(BatchLogic, LineSplitTakesAnUnclosedLastLineToo)
{
    CString names[4];
    EXPECT_EQ(S(SplitNames("a\r\n\r\nc\r\n", 3, names)), "");
    EXPECT_EQ(S(names[0]), "a");
    EXPECT_EQ(S(names[1]), "");
    EXPECT_EQ(S(names[2]), "c");

    // The unclosed last run is the next name; the names past it are empty.
    names[2] = "stale";
    EXPECT_EQ(S(SplitNames("a\r\nxyz", 3, names)), "");
    EXPECT_EQ(S(names[0]), "a");
    EXPECT_EQ(S(names[1]), "xyz");
    EXPECT_EQ(S(names[2]), "");
    // A command closes that line, and transforms it like the others.
    EXPECT_EQ(S(InsertFrontOfNames("a\r\nxyz", 3, names, "1 ")), "1 a\r\n1 xyz\r\n1 \r\n");

    EXPECT_EQ(S(SplitNames("a\r\nb\r\nc\r\n", 2, names)), "c\r\n");
    EXPECT_EQ(S(names[1]), "b");

    // Join and split give back the names, Korean ones included.
    const CString in[3] = {"가나.mp3", "", "a b"};
    CString out[3];
    CString text = JoinNames(in, 3);
    EXPECT_EQ(S(text), "가나.mp3\r\n\r\na b\r\n");
    EXPECT_EQ(S(SplitNames(text, 3, out)), "");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(S(out[i]), S(in[i]));
    EXPECT_EQ(S(JoinNames(in, 0)), "");
}

TEST(BatchLogic, CommandsWriteExactlyOneLinePerName)
{
    CString names[MAX_NAMES];
    // Fewer line ends than names: the missing lines become names too.
    EXPECT_EQ(S(ReplaceInNames("a.mp3\r\n", 3, names, "a", "b")), "b.mp3\r\n\r\n\r\n");
    EXPECT_EQ(S(InsertFrontOfNames("a.mp3\r\n", 3, names, "01 ")), "01 a.mp3\r\n01 \r\n01 \r\n");
    EXPECT_EQ(S(names[2]), "01 ");
    EXPECT_EQ(S(ChangeExtensionOfNames("a.mp3\r\n", 2, names, "wav")), "a.wav\r\nwav\r\n");
    EXPECT_EQ(S(names[0]), "a.wav");

    // Lines beyond the count, closed or not, are gone.
    EXPECT_EQ(S(ReplaceInNames("a\r\nb\r\nextra\r\nmore", 2, names, "x", "y")), "a\r\nb\r\n");
    EXPECT_EQ(S(InsertFrontOfNames("a\r\nunclosed", 1, names, "-")), "-a\r\n");
    EXPECT_EQ(S(ChangeExtensionOfNames("anything\r\n", 0, names, "mp3")), "");

    // An empty find text still rewrites the text to one line per name.
    EXPECT_EQ(S(ReplaceInNames("a\r\nb\r\nc", 2, names, "", "z")), "a\r\nb\r\n");
    EXPECT_EQ(S(names[1]), "b");
}

TEST(BatchLogic, UndoGivesBackTextsNewestFirst)
{
    CUndoHistory undo;
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);
    EXPECT_EQ(undo.GetDepth(), 0);

    undo.Record("first");
    undo.Record("second");
    undo.Record("third");
    EXPECT_EQ(undo.GetDepth(), 3);
    EXPECT_EQ(S(*undo.Undo()), "third");
    EXPECT_EQ(S(*undo.Undo()), "second");
    EXPECT_TRUE(undo.CanUndo());
    EXPECT_EQ(S(*undo.Undo()), "first");
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);

    // An undone step is gone: the next record takes its slot.
    undo.Record("a");
    undo.Record("b");
    EXPECT_EQ(S(*undo.Undo()), "b");
    undo.Record("c");
    EXPECT_EQ(S(*undo.Undo()), "c");
    EXPECT_EQ(S(*undo.Undo()), "a");
    EXPECT_FALSE(undo.CanUndo());

    undo.Record("x");
    undo.Record("y");
    undo.Reset();
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(undo.Undo(), nullptr);
    undo.Record("z");
    EXPECT_EQ(S(*undo.Undo()), "z");
}

TEST(BatchLogic, UndoKeepsTheNewestHundredSteps)
{
    CUndoHistory undo;
    // Long texts live on the heap, so the drop is checked with moved
    // buffers as well as short ones.
    auto Text = [](int i) { return CString(("step " + std::to_string(i)).c_str()) + (i % 2 ? CString(std::string(100, 'x')) : CString()); };
    for (int i = 0; i < MAX_UNDO; ++i)
        undo.Record(Text(i));
    EXPECT_EQ(undo.GetDepth(), MAX_UNDO);
    undo.Record(Text(MAX_UNDO));
    undo.Record(Text(MAX_UNDO + 1));
    EXPECT_EQ(undo.GetDepth(), MAX_UNDO);
    for (int i = MAX_UNDO + 1; i >= 2; --i) {
        const CString* p = undo.Undo();
        ASSERT_NE(p, nullptr) << i;
        EXPECT_EQ(S(*p), S(Text(i)));
    }
    EXPECT_FALSE(undo.CanUndo());
}

TEST(BatchLogic, UndoOverOutsideSlotsStaysWithinThem)
{
    // The dialog keeps the slots and the depth as members anyone can set;
    // a depth outside 0 to MAX_UNDO must not lead the history past them.
    CString texts[MAX_UNDO];
    int nDepth = -5;
    EXPECT_EQ(TakeUndo(texts, nDepth), nullptr);
    EXPECT_EQ(nDepth, 0);
    nDepth = -5;
    EXPECT_EQ(S(RecordUndo(texts, nDepth, "a")), "a");
    EXPECT_EQ(nDepth, 1);
    EXPECT_EQ(S(texts[0]), "a");

    nDepth = MAX_UNDO + 7;
    RecordUndo(texts, nDepth, "newest");
    EXPECT_EQ(nDepth, MAX_UNDO);
    EXPECT_EQ(S(texts[MAX_UNDO - 1]), "newest");
    nDepth = MAX_UNDO + 7;
    ASSERT_NE(TakeUndo(texts, nDepth), nullptr);
    EXPECT_EQ(nDepth, MAX_UNDO - 1);
}
