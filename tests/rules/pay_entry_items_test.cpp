#include "rules/pay_entry_items.h"

#include "data/tables.h"
#include "support/library_fixture.h"

#include <functional>
#include <gtest/gtest.h>

using namespace rules;

TEST(PayEntryItems, TypedAndListedNumbersAreReadExactly) {
    struct Case {
        const char* text;
        int decimals;
        std::optional<Scaled> expected;
    } cases[] = {
        {"151,67", 2, 15167},
        {"151.67", 2, 15167},
        {"   151,67", 2, 15167}, // as the fixed-width list shows it
        {"  9,6100", 4, 96100},
        {"9,61", 4, 96100},
        {"1457,55", 2, 145755},
        {"0,29", 2, 29}, // 0.29 x 100 is 28.999... in binary
        {"1,15", 2, 115},
        {"7", 2, 700},
        {",5", 2, 50},
        {"5,", 2, 500},
        {"-12,5", 2, -1250},
        {"+3", 2, 300},
        {"-0,00", 2, 0},
        // beyond the decimals kept: half away from zero
        {"0,005", 2, 1},
        {"0,0049", 2, 0},
        {"-0,005", 2, -1},
        {"9,99995", 4, 100000},
        {"12,3", 0, 12},
        {"12,5", 0, 13},
        // not numbers
        {"", 2, std::nullopt},
        {"  ", 2, std::nullopt},
        {"-", 2, std::nullopt},
        {",", 2, std::nullopt},
        {"1,2,3", 2, std::nullopt},
        {"12-", 2, std::nullopt},
        {"1 2", 2, std::nullopt},
        {"1e3", 2, std::nullopt},
        {"99999999999999999999", 2, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseScaled(std::string_view(c.text), c.decimals), c.expected);
    }
    EXPECT_EQ(StoredScaled("15167"), 15167);
    EXPECT_EQ(StoredScaled(""), 0);
    EXPECT_EQ(StoredScaled("-350"), -350);
}

TEST(PayEntryItems, ColumnsAreFixedWidthAndReadBackUnchanged) {
    struct Case {
        const char* what;
        QString shown;
        QString expected;
    } cases[] = {
        {"base", FormatBase(15167, ","), "   151,67"},
        {"negative base", FormatBase(-1250, ","), "   -12,50"},
        {"zero base", FormatBase(0, ","), "     0,00"},
        {"small base", FormatBase(5, ","), "     0,05"},
        {"largest base", FormatBase(-9999999, ","), "-99999,99"},
        {"base wider than its column", FormatBase(12345678900, ","), "123456789,00"},
        {"rate", FormatRate(96100, ","), "  9,6100"},
        {"rate with a point", FormatRate(112500, "."), " 11.2500"},
        {"zero rate", FormatRate(0, ","), "  0,0000"},
        {"negative rate keeps its sign", FormatRate(-5, ","), " -0,0005"},
        {"amount", FormatAmount(145755, ","), "  1457,55"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.shown, c.expected);
    }
    for (Scaled v : {0LL, 1LL, -1LL, 15167LL, -9999999LL, 145755LL, 12345678900LL}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(ParseScaled(FormatBase(v, ","), BaseDecimals), v);
        EXPECT_EQ(ParseScaled(FormatRate(v, "."), RateDecimals), v);
    }
}

TEST(PayEntryItems, AmountIsBaseTimesRateRoundedHalfUp) {
    struct Case {
        const char* what;
        Scaled base, rate, amount;
    } cases[] = {
        {"151,67 x 9,6100 = 1457,5487", 15167, 96100, 145755},
        {"0,50 x 0,3500 = 0,175: the half goes up", 50, 3500, 18},
        {"1,00 x 0,0049 = 0,0049", 100, 49, 0},
        {"1,00 x 0,0050 = 0,005", 100, 50, 1},
        {"35,00 x 11,2500", 3500, 112500, 39375},
        {"no base", 0, 96100, 0},
        {"no rate", 15167, 0, 0},
        {"a deduction is the opposite of the matching line", -50, 3500, -18},
        {"negative, below the half", -100, 49, 0},
        {"largest figures of the columns", 9999999, 9999999, 9999998000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AmountFromBaseAndRate(c.base, c.rate), c.amount);
    }
}

TEST(PayEntryItems, BaseFromPercentageOfTheLastEntry) {
    EXPECT_EQ(WholeBaseEntry(15167), 151);
    EXPECT_EQ(WholeBaseEntry(99), 0);
    EXPECT_EQ(WholeBaseEntry(-15167), -151);
    struct Case {
        const char* percentage;
        long long last;
        Scaled base;
    } cases[] = {
        {"125", 10, 1250},  {"125", 151, 18875}, {"12,5", 100, 1250}, {"33,3333", 10, 333},
        {"66,6667", 1, 67}, {"100", 0, 0},       {"", 40, 0},         {"125", -8, -1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.percentage) + " % of " + std::to_string(c.last));
        EXPECT_EQ(BaseFromPercentage(c.percentage, c.last), c.base);
    }
}

TEST(PayEntryItems, ModesSetTheEntryBoxes) {
    using F = EntryBoxSettings::Focus;
    struct Case {
        const char* what;
        const char *baseMode, *rateMode, *amountMode;
        bool baseEnabled, baseCleared;
        std::optional<Scaled> base;
        bool rateEnabled;
        std::optional<Scaled> rate;
        bool rateFormatted, amountEnabled;
        std::optional<Scaled> amount;
        F focus;
    } cases[] = {
        {"everything typed", "0", "0", "0", true, false, {}, true, {}, false, true, {}, F::Base},
        {"base from a percentage", "1", "0", "2", true, true, {}, true, {}, false, false, {}, F::Base},
        {"no base, fixed rate", "2", "1", "2", false, false, 0, false, 112500, true, false, {}, F::None},
        {"no base, rate shown as 0", "3", "2", "0", false, false, 0, false, 0, false, true, {}, F::Amount},
        {"no base, rate 0 formatted", "4", "3", "1", false, false, 0, false, 0, true, false, 550, F::None},
        {"fixed rate of mode 4", "0", "4", "2", true, false, {}, false, 112500, true, false, {}, F::Base},
        {"rate typed first when no base",
         "2",
         "0",
         "2",
         false,
         false,
         0,
         true,
         {},
         false,
         false,
         {},
         F::Rate},
        {"unknown modes are typed", "", "9", "", true, false, {}, true, {}, false, true, {}, F::Base},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EntryBoxSettings s = SettingsForModes(c.baseMode, c.rateMode, c.amountMode, "112500", "550");
        EXPECT_EQ(s.base.enabled, c.baseEnabled);
        EXPECT_EQ(s.base.clear, c.baseCleared);
        EXPECT_EQ(s.base.value, c.base);
        EXPECT_EQ(s.rate.enabled, c.rateEnabled);
        EXPECT_EQ(s.rate.value, c.rate);
        if (c.rate) {
            EXPECT_EQ(s.rate.formatted, c.rateFormatted);
        }
        EXPECT_EQ(s.amount.enabled, c.amountEnabled);
        EXPECT_EQ(s.amount.value, c.amount);
        EXPECT_EQ(s.focus, c.focus);
    }
    // A computed amount waits for the confirmation: nothing stale is shown.
    EXPECT_TRUE(SettingsForModes("0", "0", "2", "", "").amount.clear);
}

TEST(PayEntryItems, ConfirmationChecksInOrder) {
    auto complete = [] {
        EntryToCheck e;
        e.codeOffered = true;
        e.baseEnabled = e.rateEnabled = e.amountEnabled = true;
        e.base = "151,67";
        e.rate = "9,61";
        e.amount = "10";
        e.activity = "Aide à domicile";
        return e;
    };
    struct Case {
        const char* what;
        std::function<void(EntryToCheck&)> change;
        std::optional<QString> message;
        EntryField focus;
    } cases[] = {
        {"complete", [](EntryToCheck&) {}, std::nullopt, EntryField::Code},
        {"unknown code before anything else",
         [](EntryToCheck& e) {
             e.codeOffered = false;
             e.base.clear();
         },
         "La rubrique de saisie n'existe pas, veuillez la ressaisir.", EntryField::Libelle},
        {"blank base", [](EntryToCheck& e) { e.base = "  "; },
         "La base de la rubrique de saisie est obligatoire.", EntryField::Base},
        {"empty base of a disabled box",
         [](EntryToCheck& e) {
             e.baseEnabled = false;
             e.base.clear();
         },
         std::nullopt, EntryField::Code},
        {"rate before amount",
         [](EntryToCheck& e) {
             e.rate.clear();
             e.amount.clear();
         },
         "Le taux de la rubrique de saisie est obligatoire.", EntryField::Rate},
        {"amount", [](EntryToCheck& e) { e.amount.clear(); },
         "Le montant de la rubrique de saisie est obligatoire.", EntryField::Amount},
        {"production without activity", [](EntryToCheck& e) { e.activity.clear(); },
         "L'activité est obligatoire.", EntryField::Activity},
        {"administrative without activity",
         [](EntryToCheck& e) {
             e.production = false;
             e.activity.clear();
         },
         std::nullopt, EntryField::Code},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EntryToCheck e = complete();
        c.change(e);
        const auto refusal = CheckEntry(e);
        ASSERT_EQ(refusal.has_value(), c.message.has_value());
        if (refusal) {
            EXPECT_EQ(refusal->message, *c.message);
            EXPECT_EQ(refusal->focus, c.focus);
        }
    }
}

TEST(PayEntryItems, NumericEntryRefusals) {
    EXPECT_EQ(NumericEntryRefusal("", ","), std::nullopt);
    EXPECT_EQ(NumericEntryRefusal("-12,5", ","), std::nullopt);
    EXPECT_EQ(NumericEntryRefusal("-", ","), QString("Vous ne pouvez pas saisir seulement un moins."));
    EXPECT_EQ(NumericEntryRefusal(",", ","), QString("Vous ne pouvez pas saisir une virgule seule."));
    EXPECT_EQ(NumericEntryRefusal("-,", ","),
              QString("Vous ne pouvez pas saisir un moins et une virgule seuls."));
    EXPECT_TRUE(NumericEntryRefusal("12-", ",").has_value());
    EXPECT_TRUE(NumericEntryRefusal("99999999999999999999", ",").has_value());
}

TEST(PayEntryItems, CatalogueLeavesOutWithdrawnItemsAndSortsByLabel) {
    LibraryDatabase lib;
    using data::tables::RUBSAISIE;
    lib.Put(RUBSAISIE, "010", {{1, "Heures complémentaires"}, {6, "0"}, {8, "0"}, {10, "2"}, {18, "0"}});
    lib.Put(RUBSAISIE, "020", {{1, "Acompte"}, {6, "3"}, {8, "2"}, {10, "0"}, {18, "1"}});
    lib.Put(RUBSAISIE, "030",
            {{1, "Indemnité de repas"}, {6, "3"}, {8, "3"}, {9, ""}, {10, "1"}, {11, "550"}});
    lib.Put(RUBSAISIE, "040", {{1, "Astreinte"}, {6, "1"}, {7, "125"}, {8, "1"}, {9, "3500"}, {10, "2"}});
    const dba::ResultList catalogue = lib.db.SelectRecords(CatalogueQuery(), CatalogueFields);
    ASSERT_EQ(catalogue.DCount(), 3);
    EXPECT_EQ(catalogue.Item(1, catalogue_column::Code), "040");
    EXPECT_EQ(catalogue.Item(1, catalogue_column::Pourcentage), "125");
    EXPECT_EQ(catalogue.Item(1, catalogue_column::TauxFixe), "3500");
    EXPECT_EQ(catalogue.Item(2, catalogue_column::Code), "010");
    EXPECT_EQ(catalogue.Item(3, catalogue_column::MontantFixe), "550");
    EXPECT_EQ(FindCatalogueRow(catalogue, "030"), 3);
    EXPECT_EQ(FindCatalogueRow(catalogue, "020"), 0); // withdrawn
    EXPECT_EQ(FindCatalogueRow(catalogue, ""), 0);
}

TEST(PayEntryItems, ItemsWrittenAndReadAgainUnchanged) {
    LibraryDatabase lib;
    using data::tables::CONTRAT;
    lib.Put(CONTRAT, "50001001", {{1, "02"}, {6, "P"}, {94, "1"}, {148, "x"}});
    dba::Table contrats = lib.db.OpenTable(CONTRAT);
    const std::vector<PayEntryItem> items = {
        {"010", 15167, 96100, 145755, "00101"},
        {"050", 0, 0, 550, "00102"},
        {"090", -1250, 118800, -14850, "00101"},
    };
    dba::Record r = contrats.ReadRecord("50001001");
    WritePayEntryItems(r, items);
    r.DBWrite();
    const dba::Record stored = contrats.ReadRecord("50001001");
    EXPECT_EQ(ReadPayEntryItems(stored), items);
    EXPECT_EQ(stored.Item(90), Values({"15167", "0", "-1250"}));
    EXPECT_EQ(stored.Item(91, 1), "96100");
    EXPECT_EQ(stored.Item(92, 3), "-14850");
    EXPECT_EQ(stored.Item(148), "x");

    // Written again unchanged, the record text stays exactly the same.
    dba::Record again = stored;
    WritePayEntryItems(again, ReadPayEntryItems(stored));
    EXPECT_EQ(again.Item(), stored.Item());

    // The second of three removed: the first and third keep their own activity.
    WritePayEntryItems(again, {items[0], items[2]});
    EXPECT_EQ(again.Item(89), Values({"010", "090"}));
    EXPECT_EQ(again.Item(93), Values({"00101", "00101"}));
    EXPECT_EQ(again.DCount(92), 2);

    // An administrative contract's items carry an empty activity; a row
    // without a code ends the list.
    WritePayEntryItems(again, {{"050", 0, 0, 550, ""}, {"", 100, 0, 0, "x"}, {"010", 100, 10000, 100, ""}});
    EXPECT_EQ(again.Item(89), "050");
    EXPECT_EQ(again.Item(93), "");

    WritePayEntryItems(again, {});
    for (int f = 89; f <= 93; ++f)
        EXPECT_EQ(again.Item(f), "") << f;
    EXPECT_TRUE(ReadPayEntryItems(again).empty());
}

TEST(PayEntryItems, CopiesOfTheFieldsPutBackWhole) {
    LibraryDatabase lib;
    lib.Put(data::tables::CONTRAT, "50001001",
            {{89, Values({"010", "020"})}, {90, Values({"100", "200"})}, {93, Values({"", ""})}});
    dba::Record r = lib.db.OpenTable(data::tables::CONTRAT).ReadRecord("50001001");
    const std::string text = r.Item();
    const PayEntryFields copy = CopyPayEntryFields(r);
    WritePayEntryItems(r, {{"030", 1, 2, 3, "a"}});
    EXPECT_NE(CopyPayEntryFields(r), copy);
    RestorePayEntryFields(r, copy);
    EXPECT_EQ(CopyPayEntryFields(r), copy);
    EXPECT_EQ(r.Item(), text);
}
