#pragma once
// Pay-entry items of a contract ("rubriques de saisie"): recurring pay lines
// chosen from the RUBSAISIE catalogue, each with a base, a rate and an
// amount. Every figure is an exact scaled integer: base and amount in
// hundredths, rate in ten-thousandths. Typed and listed texts are read digit
// by digit, never through binary floating point, so a value reads back
// unchanged after a write and a new display, and 151,67 x 9,6100 gives
// exactly 1457,55.
#include "dba/database.h"
#include "rules/pay_entry_amounts.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rules {

// --- Numbers ---

// ParseScaled of a text box or list entry.
std::optional<Scaled> ParseScaled(const QString& text, int decimals);

// The fixed-width text of the lists: `value` / 10^decimals with all its
// decimals and `separator`, right-aligned in a width of integerDigits + 1
// + decimals (+ 1 for the sign column when `isSigned`). A value too large
// for the width is written whole, wider, rather than cut; an unsigned
// column still shows a minus sign rather than lose it.
QString FormatScaled(Scaled value, int decimals, int integerDigits, bool isSigned, const QString& separator);

// The three columns as the screen shows them.
QString FormatBase(Scaled base, const QString& separator);     // 5 integer digits, 2 decimals, signed
QString FormatRate(Scaled rate, const QString& separator);     // 3 integer digits, 4 decimals, unsigned
QString FormatAmount(Scaled amount, const QString& separator); // 5 integer digits, 2 decimals, signed

// Why a numeric entry left in a base, rate or amount box is refused, or
// nullopt when it is a number or empty.
std::optional<QString> NumericEntryRefusal(const QString& text, const QString& separator);

// --- Catalogue ---

// The catalogue offered on the screen: every item whose field 18 is not
// "1", sorted by label, with its columns in this order.
std::string CatalogueQuery();
inline constexpr char CatalogueFields[] = "0 1 6 9 8 11 10 7";
namespace catalogue_column {
inline constexpr int Code = 1, Libelle = 2, ModeBase = 3, TauxFixe = 4, ModeTaux = 5, MontantFixe = 6,
                     ModeMontant = 7, Pourcentage = 8;
}
// The row (from 1) of `code` in the catalogue result list, or 0.
int FindCatalogueRow(const dba::ResultList& catalogue, std::string_view code);

// How an item's modes set the base, rate and amount boxes when its code is
// chosen.
struct EntryBoxSetting {
    bool enabled = true;
    bool clear = false;          // emptied
    std::optional<Scaled> value; // set to this value
    bool formatted = false;      // the value is shown in the column's format (else as "0")
    bool wantsFocus = false;
};
struct EntryBoxSettings {
    EntryBoxSetting base, rate, amount;
    enum class Focus { None, Base, Rate, Amount } focus = Focus::None; // the first box to type in
};
// Modes as stored: base "0" typed, "1" typed then recomputed from the
// percentage, "2"/"3"/"4" none (0); rate "0" typed, "1"/"4" fixed
// (`fixedRate` x 10000), "2"/"3" none (0); amount "0" typed, "1" fixed
// (`fixedAmount` x 100), "2" computed when the item is confirmed (the box
// is emptied meanwhile). An unknown mode leaves its box to be typed.
EntryBoxSettings SettingsForModes(std::string_view baseMode, std::string_view rateMode,
                                  std::string_view amountMode, std::string_view fixedRate,
                                  std::string_view fixedAmount);

// --- Checks when an item is confirmed ---

enum class EntryField { Code, Libelle, Base, Rate, Amount, Activity };
struct EntryToCheck {
    bool codeOffered = false; // the code is in the catalogue offered
    bool baseEnabled = false;
    QString base;
    bool rateEnabled = false;
    QString rate;
    bool amountEnabled = false;
    QString amount;
    bool production = true; // the contract's status is production (not "Adm / Ssiad")
    QString activity;       // the activity chosen
};
struct EntryRefusal {
    QString message;
    EntryField focus;
};
// The first check that fails, in the order the user reads the line:
// unknown code, missing base, rate, amount, missing activity of a
// production contract. nullopt when the item may be confirmed.
std::optional<EntryRefusal> CheckEntry(const EntryToCheck& entry);

// --- The contract's items (fields 89 to 93 of CONTRAT) ---

struct PayEntryItem {
    std::string code;
    Scaled base = 0;      // x 100
    Scaled rate = 0;      // x 10000
    Scaled amount = 0;    // x 100
    std::string activity; // ACTIVITES key; empty for administrative contracts
    bool operator==(const PayEntryItem&) const = default;
};

// The items of `contract`: value n of fields 89 to 93 for n = 1, 2, ...
// while value n of field 89 is not empty.
std::vector<PayEntryItem> ReadPayEntryItems(const dba::Record& contract);
// Empties fields 89 to 93 whole, then writes value i + 1 of each for item
// i, stopping at the first item without a code. A record that already
// holds exactly these items is left as it is.
void WritePayEntryItems(dba::Record& contract, const std::vector<PayEntryItem>& items);

// Fields 89 to 93 whole, as the screen copies them when it opens.
struct PayEntryFields {
    std::string fields[5];
    bool operator==(const PayEntryFields&) const = default;
};
PayEntryFields CopyPayEntryFields(const dba::Record& contract);
void RestorePayEntryFields(dba::Record& contract, const PayEntryFields& copy);

} // namespace rules
