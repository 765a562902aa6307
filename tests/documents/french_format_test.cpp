// Stored figures and dates written the French way, from their digits.
#include "documents/french_format.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

const QString nbsp(QChar(0x00A0));

TEST(FrenchFormatTest, FiguresAndDatesReadAsAFrenchContractWritesThem) {
    struct Case {
        const char* what;
        QString got, expected;
    } cases[] = {
        {"thousands grouped, two decimals", documents::FormatDecimal(1234567, 2, 2), "12" + nbsp + "345,67"},
        {"a million of hours x 100", documents::FormatDecimal(100000000, 2, 0), "1" + nbsp + "000" + nbsp + "000"},
        {"a rate of three decimals keeps its third", documents::FormatTauxHoraire(12505), "12,505" + nbsp + "€"},
        {"a rate's trailing zero goes", documents::FormatTauxHoraire(11500), "11,50" + nbsp + "€"},
        {"below one", documents::FormatDecimal(5, 3, 2), "0,005"},
        {"negative", documents::FormatDecimal(-1250, 2, 2), "-12,50"},
        {"zero is never negative", documents::FormatDecimal(0, 2, 2), "0,00"},
        {"whole hours", documents::FormatHeures(2000), "20 heures"},
        {"hours and hundredths", documents::FormatHeures(2550), "25,50 heures"},
        {"one hour, singular", documents::FormatHeures(100), "1 heure"},
        {"one and a half, singular", documents::FormatHeures(150), "1,50 heure"},
        {"the first of the month", documents::FormatDateLongue(QDate(2020, 3, 1)), "1er mars 2020"},
        {"accented month", documents::FormatDateLongue(QDate(2026, 12, 15)), "15 décembre 2026"},
        {"a stored day number", documents::DateLongueStockee("10000"), "18 mai 1995"},
        {"no day stored", documents::DateLongueStockee(""), ""},
        {"not a day number", documents::DateLongueStockee("12/03/2020"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.got, c.expected);
    }
    EXPECT_EQ(documents::LireEntierStocke(" 12000 "), 12000);
    EXPECT_EQ(documents::LireEntierStocke("12,5"), std::nullopt);
}

} // namespace
