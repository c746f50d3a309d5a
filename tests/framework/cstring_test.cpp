#include <gtest/gtest.h>

#include <cstring>

#include "cstring.h"

TEST(CStringRemove, RemovesEveryOccurrenceAndCountsThem) {
    struct {
        const char* pszText;
        char ch;
        const char* pszResult;
        int nRemoved;
    } const kCases[] = {
        {"a\r\nb\r\n", '\r', "a\nb\n", 2},
        {"", '\r', "", 0},
        {"xxx", 'x', "", 3},
        {"abc", 'z', "abc", 0},
    };
    for (const auto& c : kCases) {
        CString str(c.pszText);
        EXPECT_EQ(c.nRemoved, str.Remove(c.ch)) << c.pszText;
        EXPECT_STREQ(c.pszResult, str) << c.pszText;
    }
}

TEST(CStringFormat, FormatsLikePrintfInTheCLocale) {
    CString str;
    str.Format("%f", 0.4875);
    EXPECT_STREQ("0.487500", str);
    str.Format("Formulaparser - %s", "C:\\Formeln\\oval.FKT");
    EXPECT_STREQ("Formulaparser - C:\\Formeln\\oval.FKT", str);
    str.Format("%u|%d|%c", 10u, -3, 'x');
    EXPECT_STREQ("10|-3|x", str);
}

TEST(CStringFormat, OutgrowsAnyFixedBuffer) {
    CString strLong('y', 1000);
    CString str;
    str.Format("<%s>", static_cast<const char*>(strLong));
    EXPECT_EQ(1002, str.GetLength());
    EXPECT_EQ('>', str[1001]);
}

TEST(CStringFormat, MayFormatItsOwnText) {
    CString str("abc");
    str.Format("%s%s", str.GetString(), str.GetString());
    EXPECT_STREQ("abcabc", str);
}

TEST(CStringParts, LeftRightAndMidClampToTheText) {
    const CString str("Velastro");
    struct {
        CString strActual;
        const char* pszExpected;
    } const kCases[] = {
        {str.Left(3), "Vel"},   {str.Left(-1), ""},          {str.Left(99), "Velastro"},
        {str.Right(3), "tro"},  {str.Right(99), "Velastro"}, {str.Mid(2), "lastro"},
        {str.Mid(2, 3), "las"}, {str.Mid(-5, 2), "Ve"},      {str.Mid(7, 9), "o"},
        {str.Mid(99), ""},
    };
    for (const auto& c : kCases)
        EXPECT_STREQ(c.pszExpected, c.strActual);
}

TEST(CStringSearch, FindsFromAPositionOrReportsMinusOne) {
    const CString str("a+b+c");
    EXPECT_EQ(1, str.Find('+'));
    EXPECT_EQ(3, str.Find('+', 2));
    EXPECT_EQ(-1, str.Find('+', 4));
    EXPECT_EQ(-1, str.Find('+', 99));
    EXPECT_EQ(2, str.Find("b+"));
    EXPECT_EQ(-1, str.Find("x"));
    EXPECT_EQ(3, str.ReverseFind('+'));
    EXPECT_EQ(1, str.FindOneOf("*+"));
}

TEST(CStringEdit, ReplaceTrimAndCaseChangeInPlace) {
    CString str("  sin(x)*sin(y)  ");
    EXPECT_EQ(2, str.Replace("sin", "COS"));
    EXPECT_STREQ("  COS(x)*COS(y)  ", str);
    EXPECT_STREQ("COS(x)*COS(y)", str.Trim());
    EXPECT_STREQ("cos(x)*cos(y)", str.MakeLower());
    EXPECT_EQ(2, str.Replace('(', '['));
    str.MakeUpper();
    EXPECT_EQ(2, str.Replace(')', ']'));
    EXPECT_STREQ("COS[X]*COS[Y]", str);
    CString strChars("xxabcxx");
    EXPECT_STREQ("abcxx", strChars.TrimLeft('x'));
    EXPECT_STREQ("abc", strChars.TrimRight("x"));
}

TEST(CStringEdit, ReplaceWithALongerTextDoesNotRescanTheInsertion) {
    CString str("aa");
    EXPECT_EQ(2, str.Replace("a", "aa"));
    EXPECT_STREQ("aaaa", str);
}

TEST(CStringBuffer, ReleaseBufferTakesTheTextUpToItsEnd) {
    CString str;
    char* pBuffer = str.GetBuffer(10);
    std::strcpy(pBuffer, "hello");
    str.ReleaseBuffer();
    EXPECT_EQ(5, str.GetLength());
    EXPECT_STREQ("hello", str);
    std::memcpy(str.GetBuffer(5), "help!", 5);
    str.ReleaseBuffer(3);
    EXPECT_STREQ("hel", str);
}

TEST(CStringCompare, ComparesByteForByte) {
    const CString str("abc");
    EXPECT_TRUE(str == "abc");
    EXPECT_TRUE("abc" == str);
    EXPECT_TRUE(str != "abd");
    EXPECT_TRUE(str < CString("abd"));
    EXPECT_TRUE(CString("") < str);
    EXPECT_EQ(0, str.CompareNoCase("ABC"));
    EXPECT_TRUE(CString("\xE4") > CString("z")) << "bytes compare unsigned";
}

TEST(CStringAccess, OutOfRangeIndexReadsNulAndWritesNothing) {
    CString str("ab");
    EXPECT_EQ('b', str[1]);
    EXPECT_EQ('\0', str.GetAt(2));
    EXPECT_EQ('\0', str.GetAt(-1));
    str.SetAt(5, 'x');
    str.SetAt(0, 'A');
    EXPECT_STREQ("Ab", str);
}

TEST(CStringConcat, JoinsStringsPointersAndCharacters) {
    CString str = CString("a") + "b" + 'c';
    str += "d";
    str += 'e';
    str += CString("f");
    EXPECT_STREQ("abcdef", str);
    EXPECT_STREQ("xabcdef", "x" + str);
    EXPECT_STREQ("", CString(static_cast<const char*>(nullptr)));
}
