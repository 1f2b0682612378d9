// The whole suite relies on the Korean ANSI code page; a wrong locale must
// fail loudly here rather than let the other tests pass by accident.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <mbstring.h>

#include "framework/afxstr.h"
#include "res/resource.h"

TEST(Locale, AnsiAndMultibyteCodePagesAre949)
{
    ASSERT_EQ(GetACP(), 949u);
    EXPECT_EQ(_getmbcp(), 949);
    // "가" is 0xB0 0xA1 in code page 949: a lead byte and its trail byte.
    CString s("가");
    ASSERT_EQ(s.GetLength(), 2);
    EXPECT_TRUE(_ismbblead((unsigned char)s.GetAt(0)));
}

// Every text of the string table, loaded as the program loads it: exact
// code page 949 bytes. The other tests compare texts by id.
TEST(Texts, EveryStringTableEntryHasItsExactText)
{
    const struct {
        UINT id;
        const char* text;
    } entries[] = {
        {IDS_ABOUTBOX, "Quorvel 정보(&A)..."},
        {IDS_COMPUTER, "내 컴퓨터"},
        {IDS_RENAME_CAPTION, "이름바꾸기"},
        {IDS_RENAME_REPORT, "전체 %1개 중 %2개 파일의 이름을 바꾸지 못했습니다."},
        {IDS_REPORT_LINE, "%1 -> %2: %3"},
        {IDS_REPORT_MORE, "..."},
        {IDS_NAME_REQUIRED, "이름을 입력해야합니다."},
        {IDS_RENAME_ERROR_CAPTION, "파일 이름 바꾸기 오류"},
        {IDS_NAME_IN_USE,
         "%1의 이름을 바꿀수 없습니다.\n지정한 이름을 가진 파일이 이미 있습니다.\n다른 파일 이름을 지정하십시오."},
        {IDS_CANNOT_RENAME, "%1의 이름을 바꿀수 없습니다.\n%2"},
        {IDS_SHIFTED_LINES_QUESTION,
         "파일은 %1개인데 줄은 %2개입니다.\n줄을 지우거나 더하면 그 아래 파일마다 다른 줄의 이름이 붙습니다.\n"
         "그래도 이름을 바꾸시겠습니까?"},
        {IDS_TOO_MANY_FILES, "파일이 %1개 있어 이름 순서로 앞의 %2개만 보입니다."},
        {IDS_UNDO_RENAME, "이름바꾸기 되돌리기"},
        {IDS_UNDO_RENAME_REPORT, "전체 %1개 중 %2개 파일의 이름을 되돌리지 못했습니다."},
        {IDS_NO_CONTROL, "대화 상자에 %1번 컨트롤이 없어서 창을 열 수 없습니다."},
        {IDS_PROGRAM_ERROR_CAPTION, "Quorvel 프로그램 오류"},
        {IDS_NAMES_LEFT_OUT, "이름에 쓸 수 없는 글자가 있는 파일 %1개는 목록에서 뺐습니다."},
    };
    for (const auto& e : entries)
        EXPECT_EQ(AfxLoadText(e.id).str(), std::string(e.text)) << e.id;

    // Insertions are taken as they are, never scanned for markers again.
    CString s;
    AfxFormatString2(s, IDS_CANNOT_RENAME, "%2%1", "x");
    EXPECT_EQ(s.str(), CString("%2%1의 이름을 바꿀수 없습니다.\nx").str());
}
