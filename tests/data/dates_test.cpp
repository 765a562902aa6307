#include "data/dates.h"
#include "data/utility_services.h"

#include <gtest/gtest.h>

using namespace data::dates;

TEST(Dates, DayNumbersOfKnownDates) {
    struct Case {
        const char* date;
        const char* day;
    } cases[] = {
        // Anchors of the numbering; the calendar itself is walked day by day below.
        {"31/12/1967", "0"},     {"01/01/1968", "1"},     {"30/12/1967", "-1"},
        {"18/05/1995", "10000"}, {"14/10/2241", "99999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(DateToInternal(QString::fromLatin1(c.date)), QString::fromLatin1(c.day));
        EXPECT_EQ(InternalToDate(QString::fromLatin1(c.day)), QString::fromLatin1(c.date));
    }
}

TEST(Dates, EveryDayRoundTripsOverFourCenturies) {
    const long long first = *ToDayNumber(QDate(1900, 1, 1));
    const long long last = *ToDayNumber(QDate(2300, 12, 31));
    QDate expected(1900, 1, 1);
    for (long long day = first; day <= last; ++day, expected = expected.addDays(1)) {
        const QString text = InternalToDate(QString::number(day));
        ASSERT_EQ(text, expected.toString(QStringLiteral("dd/MM/yyyy"))) << day;
        ASSERT_EQ(DateToInternal(text), QString::number(day)) << text.toStdString();
    }
}

TEST(Dates, InvalidTextsGiveEmptyText) {
    for (const char* text : {"", "29/02/1900", "31/04/2004", "00/01/2004", "12/13/2004", "12/03/04",
                             "12-03-2004", "abc", "12/03/2004x"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(DateToInternal(QString::fromLatin1(text)), QString());
    }
    EXPECT_EQ(DateToInternal(QStringLiteral(" 1/2/2004 ")), QStringLiteral("13181"));
    for (const char* text : {"", " ", "abc", "12.5", "1e3", "--1", "99999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(InternalToDate(QString::fromLatin1(text)), QString());
    }
    EXPECT_EQ(InternalToDate(QStringLiteral(" 10000 ")), QStringLiteral("18/05/1995"));
    EXPECT_EQ(DateToInternal(QDate()), QString());
    EXPECT_EQ(DateToInternal(QDate(1995, 5, 18)), QStringLiteral("10000"));
}

TEST(Dates, CompleteDateAcceptedForms) {
    const QDate today(2025, 6, 15);
    struct Case {
        const char* typed;
        const char* completed;
    } cases[] = {
        {"12/03/2004", "12/03/2004"},    {"12.03.2004", "12/03/2004"}, {"12-03-2004", "12/03/2004"},
        {"12 03 2004", "12/03/2004"},    {"1/2/2004", "01/02/2004"},   {"12/3/04", "12/03/2004"},
        {"12/03/04", "12/03/2004"},      {"12/03", "12/03/2025"},      {"12032004", "12/03/2004"},
        {"120304", "12/03/2004"},        {"1203", "12/03/2025"},       {"7", "07/06/2025"},
        {"  12/03/2004 ", "12/03/2004"}, {"29/02/2000", "29/02/2000"}, {"31/12/45", "31/12/2045"},
        {"01/01/46", "01/01/1946"},      {"010199", "01/01/1999"},     {"12//03/2004", "12/03/2004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const Completion r = CompleteDate(QString::fromLatin1(c.typed), today);
        EXPECT_FALSE(r.rejected);
        EXPECT_EQ(r.text, QString::fromLatin1(c.completed));
    }
}

TEST(Dates, CompleteDateRejections) {
    const QDate today(2025, 6, 15);
    for (const char* typed :
         {"31/02/2004",  "29/02/1900",  "29/02/2023", "31/04",      "32",     "00/01/2004", "12/13/2004",
          "123",         "12345",       "1234567",    "123456789",  "12/3/4", "12/3/204",   "12/03/2004/1",
          "123/03/2004", "12/003/2004", "ab/cd/efgh", "12/0a/2004", "3102",   "310223"}) {
        SCOPED_TRACE(typed);
        const Completion r = CompleteDate(QString::fromLatin1(typed), today);
        EXPECT_TRUE(r.rejected);
        EXPECT_EQ(r.text, QString::fromLatin1(typed)) << "a rejected text is given back unchanged";
    }
    const Completion empty = CompleteDate(QStringLiteral("  "), today);
    EXPECT_FALSE(empty.rejected);
    EXPECT_EQ(empty.text, QString());
}

TEST(Dates, UtilityServicesRemembersTheLastCompletion) {
    data::UtilityServices services;
    services.SetToday(QDate(2025, 6, 15));
    EXPECT_EQ(services.CompleteDate(QStringLiteral("31/02")), QStringLiteral("31/02"));
    EXPECT_TRUE(services.DateRejected());
    EXPECT_EQ(services.CompleteDate(QStringLiteral("28/02")), QStringLiteral("28/02/2025"));
    EXPECT_FALSE(services.DateRejected());
    EXPECT_EQ(services.DateToInternal(services.CompleteDate(QStringLiteral("18051995"))),
              QStringLiteral("10000"));
    EXPECT_EQ(services.InternalToDate(QStringLiteral("1")), QStringLiteral("01/01/1968"));
}
