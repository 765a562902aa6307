#include "data/numbers.h"
#include "data/procedures.h"
#include "data/utility_services.h"

#include <gtest/gtest.h>

using namespace data::numbers;

TEST(Numbers, FormatDecimalsWithBothSeparators) {
    struct Case {
        double value;
        int n;
        const char* comma;
        const char* point;
    } cases[] = {
        {3.5, 2, "3,50", "3.50"},
        {2.5, 0, "3", "3"},
        {-2.5, 0, "-3", "-3"},
        {1.005, 2, "1,01", "1.01"},
        {0.125, 2, "0,13", "0.13"},
        {-0.001, 2, "0,00", "0.00"},
        {9.999, 2, "10,00", "10.00"},
        {99.95, 1, "100,0", "100.0"},
        {1234567.891, 3, "1234567,891", "1234567.891"},
        {0, 3, "0,000", "0.000"},
        {-48.01, 2, "-48,01", "-48.01"},
        {0.5, 0, "1", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comma);
        EXPECT_EQ(data::Format_Decimales(c.value, c.n, QStringLiteral(",")), QString::fromLatin1(c.comma));
        EXPECT_EQ(data::Format_Decimales(c.value, c.n, QStringLiteral(".")), QString::fromLatin1(c.point));
    }
}

TEST(Numbers, FormatDecimalsUsesTheWorkstationSeparator) {
    auto& services = data::UtilityServices::Instance();
    services.SetDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(data::Format_Decimales(3.5, 2), QStringLiteral("3,50"));
    services.SetDecimalSeparator(QStringLiteral("."));
    EXPECT_EQ(data::Format_Decimales(3.5, 2), QStringLiteral("3.50"));
    services.ResetDecimalSeparator();
    EXPECT_EQ(data::Format_Decimales(3.5, 2), QStringLiteral("3") + QLocale::system().decimalPoint() + "50");
}

// The separator and the rounding are FormatDecimals'; this is the padding.
TEST(Numbers, FormatFixedLinesUp) {
    struct Case {
        double value;
        int integerDigits, decimals;
        bool isSigned;
        const char* expected;
    } cases[] = {
        {12.5, 4, 2, false, "  12,50"},     {12.5, 4, 2, true, "   12,50"},
        {-12.5, 4, 2, true, "  -12,50"},    {-9999.99, 4, 2, true, "-9999,99"},
        {1.2345, 3, 4, false, "  1,2345"},  {42, 3, 0, false, " 42"},
        {12345.5, 4, 2, false, "12345,50"}, // too large: written whole, never cut
        {-3, 4, 2, false, "  -3,00"},       // unsigned column keeps a minus rather than lose it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatFixed(c.value, c.integerDigits, c.decimals, c.isSigned, QStringLiteral(",")),
                  QString::fromLatin1(c.expected));
    }
    // Columns of one kind have one width, so they line up in a fixed-pitch font.
    EXPECT_EQ(FormatFixed(0, 4, 2, true, ",").size(), FormatFixed(-1234.5, 4, 2, true, ",").size());
}

TEST(Numbers, ToNumberAndCheckNumericEntry) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    } cases[] = {
        {"12", true, 12},         {"12,5", true, 12.5}, {"12.5", true, 12.5}, {"-3", true, -3},
        {" -0,25 ", true, -0.25}, {",5", true, 0.5},    {"5,", true, 5},      {"0012", true, 12},
        {"-", false, 0},          {",", false, 0},      {"-,", false, 0},     {"1,2,3", false, 0},
        {"1.2,3", false, 0},      {"1-2", false, 0},    {"12a", false, 0},    {"1e3", false, 0},
        {"+3", false, 0},         {"- 3", false, 0},    {"1 000", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto v = ToNumber(QString::fromLatin1(c.text));
        EXPECT_EQ(v.has_value(), c.valid);
        if (v) {
            EXPECT_DOUBLE_EQ(*v, c.value);
        }
        EXPECT_EQ(CheckNumericEntry(QString::fromLatin1(c.text)), c.valid);
    }
    EXPECT_TRUE(CheckNumericEntry(QString()));
    EXPECT_TRUE(CheckNumericEntry(QStringLiteral("   ")));
}

TEST(Numbers, FilterNumericKey) {
    struct Case {
        char typed;
        bool allowMinus;
        const char* current;
        const char* separator;
        int expected;
    } cases[] = {
        {'7', false, "", ",", '7'},     {'0', false, "12", ",", '0'},   {',', false, "12", ",", ','},
        {'.', false, "12", ",", ','},   {',', false, "12", ".", '.'},   {'.', false, "12", ".", '.'},
        {',', false, "1,2", ",", 0},    {'.', false, "1,2", ",", 0},    {',', false, "1.2", ",", 0},
        {'-', false, "", ",", 0},       {'-', true, "", ",", '-'},      {'-', true, "-1", ",", 0},
        {'a', true, "", ",", 0},        {' ', true, "", ",", 0},        {'+', true, "", ",", 0},
        {'\b', false, "12", ",", '\b'}, {'\r', false, "12", ",", '\r'}, {'\x16', false, "", ",", '\x16'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.typed) + " in \"" + c.current + "\"");
        EXPECT_EQ(FilterNumericKey(c.typed, c.allowMinus, QString::fromLatin1(c.separator),
                                   QString::fromLatin1(c.current)),
                  c.expected);
    }
    data::UtilityServices services;
    services.SetDecimalSeparator(QStringLiteral(","));
    EXPECT_EQ(services.FilterNumericKey('.', false), ',');
    EXPECT_EQ(services.FilterNumericKey('.', false, QStringLiteral("3,")), 0);
}

TEST(Numbers, NettoyerSigne) {
    struct Case {
        const char* text;
        bool mayBeNegative;
        const char* expected;
    } cases[] = {
        {"-  12", true, "-12"},
        {"-  12", false, "-  12"},
        {"   12,50", true, "12,50"},
        {"   12,50", false, "12,50"},
        {"12", true, "12"},
        {"-12", true, "-12"},
        {"", true, ""},
        {"  ", false, ""},
        {"-", true, "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(data::Nettoyer_Signe(QString::fromLatin1(c.text), c.mayBeNegative),
                  QString::fromLatin1(c.expected));
    }
}
