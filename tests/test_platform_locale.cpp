// The whole suite relies on the Korean ANSI code page; a wrong locale must
// fail loudly here rather than let the other tests pass by accident.
#include <gtest/gtest.h>
#include <mbctype.h>
#include <mbstring.h>

#include "framework/afxstr.h"

TEST(Locale, AnsiAndMultibyteCodePagesAre949)
{
    ASSERT_EQ(GetACP(), 949u);
    EXPECT_EQ(_getmbcp(), 949);
    // "가" is 0xB0 0xA1 in code page 949: a lead byte and its trail byte.
    CString s("가");
    ASSERT_EQ(s.GetLength(), 2);
    EXPECT_TRUE(_ismbblead((unsigned char)s.GetAt(0)));
}
