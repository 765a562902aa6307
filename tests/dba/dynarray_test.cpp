#include "dba/dynarray.h"
#include "dba/errors.h"

#include <gtest/gtest.h>

using namespace dba;

namespace {
std::string R(std::string s) {
    for (char& c : s)
        c = c == '^' ? FM : c == ']' ? VM : c == '\\' ? SM : c;
    return s;
}
} // namespace

TEST(DynArray, ExtractReadsPastTheEndAsEmpty) {
    std::string rec = R("a^b]c\\d^^e");
    EXPECT_EQ(Extract(rec, 1), "a");
    EXPECT_EQ(Extract(rec, 2), R("b]c\\d"));
    EXPECT_EQ(Extract(rec, 2, 2), R("c\\d"));
    EXPECT_EQ(Extract(rec, 2, 2, 2), "d");
    EXPECT_EQ(Extract(rec, 3), "");
    EXPECT_EQ(Extract(rec, 4), "e");
    EXPECT_EQ(Extract(rec, 9), "");
    EXPECT_EQ(Extract(rec, 2, 5), "");
    EXPECT_EQ(CountParts(Extract(rec, 2), VM), 2);
    EXPECT_EQ(CountParts("", VM), 0);
}

TEST(DynArray, ReplacePadsWithEmptyParts) {
    std::string rec;
    Replace(rec, 3, 0, 0, "x");
    EXPECT_EQ(rec, R("^^x"));
    Replace(rec, 3, 3, 0, "z");
    EXPECT_EQ(rec, R("^^x]]z"));
    Replace(rec, 1, 2, 2, "s");
    EXPECT_EQ(rec, R("]\\s^^x]]z"));
    Replace(rec, 3, 1, 0, "y");
    EXPECT_EQ(rec, R("]\\s^^y]]z"));
}

TEST(DynArray, InsertAndDeleteValues) {
    std::string rec = R("k^a]b");
    InsertValue(rec, 2, -1, "c");
    EXPECT_EQ(rec, R("k^a]b]c"));
    InsertValue(rec, 2, 1, "z");
    EXPECT_EQ(rec, R("k^z]a]b]c"));
    InsertValue(rec, 4, -1, "n");
    EXPECT_EQ(rec, R("k^z]a]b]c^^n"));
    DeleteValue(rec, 2, 2);
    EXPECT_EQ(rec, R("k^z]b]c^^n"));
    DeleteValue(rec, 2, 9); // nothing there: unchanged
    EXPECT_EQ(rec, R("k^z]b]c^^n"));
}

TEST(DynArray, RefusesMarksAndBadUtf8) {
    EXPECT_NO_THROW(CheckPart(R("a]b"), 1));
    EXPECT_THROW(CheckPart(R("a^b"), 1), InvalidValue);
    EXPECT_THROW(CheckPart(R("a]b"), 2), InvalidValue);
    EXPECT_NO_THROW(CheckPart(R("a\\b"), 2));
    EXPECT_THROW(CheckPart(R("a\\b"), 3), InvalidValue);
    EXPECT_NO_THROW(CheckPart("Élodie Noël", 3));
    EXPECT_THROW(CheckPart("caf\xE9", 3), InvalidValue);     // Latin-1, not UTF-8
    EXPECT_THROW(CheckPart("\xC0\xAF", 3), InvalidValue);    // overlong
    EXPECT_THROW(CheckPart("\xED\xA0\x80", 3), InvalidValue); // surrogate
}
