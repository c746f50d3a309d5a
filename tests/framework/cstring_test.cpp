// CString: formatting in the C locale, joining and comparing.
#include <gtest/gtest.h>

#include "cstring.h"

TEST(CStringFormat, FormatsLikePrintfGrowingPastAnyBufferEvenFromItsOwnText) {
    CString str;
    str.Format("%f|%s|%u|%d|%c", 0.4875, "C:\\Formeln\\oval.FKT", 10u, -3, 'x');
    EXPECT_STREQ("0.487500|C:\\Formeln\\oval.FKT|10|-3|x", str);
    const std::string strLong(254, 'y');  // 256 characters in all: a whole first buffer
    str.Format("<%s>", strLong.c_str());
    EXPECT_EQ("<" + strLong + ">", str.Str());
    str = "abc";
    str.Format("%s%s", str.GetString(), str.GetString());
    EXPECT_STREQ("abcabc", str);
}

TEST(CStringOperators, JoinAndCompareTakingNullAsEmpty) {
    CString str = "x" + CString("a") + "b";
    str += CString("c");
    EXPECT_STREQ("xabc", str);
    EXPECT_TRUE(str == "xabc");
    EXPECT_TRUE(str != "xabd");
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)) == "");
    EXPECT_TRUE(CString() == nullptr);
    EXPECT_EQ(4, str.GetLength());
}
