#include "control/contract_search.h"

#include "data/dates.h"

#include <gtest/gtest.h>

using namespace control;

// The browser's tests cover the ordinary values; these are the edges.
TEST(ContractSearch, PayPeriodStartAndEmptyListEdges) {
    EXPECT_EQ(QString::number(PeriodStartDay("202611")),
              data::dates::DateToInternal(QStringLiteral("01/11/2026")));
    EXPECT_EQ(PeriodStartDay(""), 0);
    EXPECT_EQ(PeriodStartDay("2026"), 0);
    EXPECT_FALSE(ScrollBarVisible(0));
    EXPECT_EQ(ScrollMaximum(0), 0);
}
