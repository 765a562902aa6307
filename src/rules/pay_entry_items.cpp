#include "rules/pay_entry_items.h"

#include "data/contrat_fields.h"
#include "data/numbers.h"
#include "dba/dynarray.h"

#include <limits>

namespace rules {

namespace {

constexpr int ContractFields[] = {data::contrat::RubSaisieCode, data::contrat::RubSaisieBase,
                                  data::contrat::RubSaisieTaux, data::contrat::RubSaisieMontant,
                                  data::contrat::RubSaisieActivite};

} // namespace

std::optional<Scaled> ParseScaled(const QString& text, int decimals) {
    return ParseScaled(std::string_view(text.toStdString()), decimals);
}

QString FormatScaled(Scaled value, int decimals, int integerDigits, bool isSigned, const QString& separator) {
    const bool negative = value < 0;
    // Through unsigned so that the smallest value keeps its size.
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    QString digits = QString::number(magnitude);
    if (digits.size() <= decimals)
        digits = QString(decimals + 1 - digits.size(), QLatin1Char('0')) + digits;
    QString text = digits.left(digits.size() - decimals);
    if (decimals > 0)
        text += separator + digits.right(decimals);
    if (negative)
        text.prepend(QLatin1Char('-'));
    const int width = integerDigits + (decimals > 0 ? 1 + decimals : 0) + (isSigned ? 1 : 0);
    return text.rightJustified(width, QLatin1Char(' '));
}

QString FormatBase(Scaled base, const QString& separator) {
    return FormatScaled(base, BaseDecimals, 5, true, separator);
}

QString FormatRate(Scaled rate, const QString& separator) {
    return FormatScaled(rate, RateDecimals, 3, false, separator);
}

QString FormatAmount(Scaled amount, const QString& separator) {
    return FormatScaled(amount, AmountDecimals, 5, true, separator);
}

std::optional<QString> NumericEntryRefusal(const QString& text, const QString& separator) {
    const QString t = text.trimmed();
    if (t.isEmpty() || ParseScaled(t, 0))
        return std::nullopt;
    const bool isSeparator = t == QLatin1String(",") || t == QLatin1String(".") || t == separator;
    if (t == QLatin1String("-"))
        return QStringLiteral("Vous ne pouvez pas saisir seulement un moins.");
    if (isSeparator)
        return QStringLiteral("Vous ne pouvez pas saisir une virgule seule.");
    if (t.size() == 2 && t[0] == u'-' &&
        (t[1] == u',' || t[1] == u'.' || (!separator.isEmpty() && t[1] == separator[0])))
        return QStringLiteral("Vous ne pouvez pas saisir un moins et une virgule seuls.");
    if (data::numbers::ToNumber(t) && !ParseScaled(t, 0))
        return QStringLiteral("Ce nombre est trop grand.");
    return QStringLiteral("Ce n'est pas un nombre : tapez des chiffres, une virgule et, en tête, un moins.");
}

std::string CatalogueQuery() {
    return "SSELECT RUBSAISIE AVEC 18 # \"1\" PAR 1";
}

int FindCatalogueRow(const dba::ResultList& catalogue, std::string_view code) {
    if (code.empty())
        return 0;
    for (int r = 1; r <= catalogue.DCount(); ++r)
        if (catalogue.Item(r, catalogue_column::Code) == code)
            return r;
    return 0;
}

EntryBoxSettings SettingsForModes(std::string_view baseMode, std::string_view rateMode,
                                  std::string_view amountMode, std::string_view fixedRate,
                                  std::string_view fixedAmount) {
    EntryBoxSettings s;
    if (baseMode == "1") {
        s.base.clear = true;
        s.base.wantsFocus = true;
    } else if (baseMode == "2" || baseMode == "3" || baseMode == "4") {
        s.base = {false, false, 0, true, false};
    } else {
        s.base.wantsFocus = true;
    }

    if (rateMode == "1" || rateMode == "4")
        s.rate = {false, false, StoredScaled(fixedRate), true, false};
    else if (rateMode == "2")
        s.rate = {false, false, 0, false, false};
    else if (rateMode == "3")
        s.rate = {false, false, 0, true, false};
    else
        s.rate.wantsFocus = true;

    if (amountMode == "1")
        s.amount = {false, false, StoredScaled(fixedAmount), true, false};
    else if (amountMode == "2")
        s.amount = {false, true, std::nullopt, false, false};
    else
        s.amount.wantsFocus = true;

    using F = EntryBoxSettings::Focus;
    s.focus = s.base.wantsFocus     ? F::Base
              : s.rate.wantsFocus   ? F::Rate
              : s.amount.wantsFocus ? F::Amount
                                    : F::None;
    return s;
}

std::optional<EntryRefusal> CheckEntry(const EntryToCheck& e) {
    if (!e.codeOffered)
        return EntryRefusal{QStringLiteral("La rubrique de saisie n'existe pas, veuillez la ressaisir."),
                            EntryField::Libelle};
    if (e.baseEnabled && e.base.trimmed().isEmpty())
        return EntryRefusal{QStringLiteral("La base de la rubrique de saisie est obligatoire."),
                            EntryField::Base};
    if (e.rateEnabled && e.rate.trimmed().isEmpty())
        return EntryRefusal{QStringLiteral("Le taux de la rubrique de saisie est obligatoire."),
                            EntryField::Rate};
    if (e.amountEnabled && e.amount.trimmed().isEmpty())
        return EntryRefusal{QStringLiteral("Le montant de la rubrique de saisie est obligatoire."),
                            EntryField::Amount};
    if (e.production && e.activity.trimmed().isEmpty())
        return EntryRefusal{QStringLiteral("L'activité est obligatoire."), EntryField::Activity};
    return std::nullopt;
}

std::vector<PayEntryItem> ReadPayEntryItems(const dba::Record& contract) {
    namespace c = data::contrat;
    std::vector<PayEntryItem> items;
    for (int n = 1;; ++n) {
        PayEntryItem item;
        item.code = contract.Item(c::RubSaisieCode, n);
        if (item.code.empty())
            break;
        item.base = StoredScaled(contract.Item(c::RubSaisieBase, n));
        item.rate = StoredScaled(contract.Item(c::RubSaisieTaux, n));
        item.amount = StoredScaled(contract.Item(c::RubSaisieMontant, n));
        item.activity = contract.Item(c::RubSaisieActivite, n);
        items.push_back(std::move(item));
    }
    return items;
}

void WritePayEntryItems(dba::Record& contract, const std::vector<PayEntryItem>& items) {
    namespace c = data::contrat;
    std::vector<PayEntryItem> written;
    for (const PayEntryItem& item : items) {
        if (item.code.empty())
            break;
        written.push_back(item);
    }
    // The same items stay as they are stored, so an unchanged list never
    // reads as a change of the contract.
    if (ReadPayEntryItems(contract) == written)
        return;
    for (int field : ContractFields)
        contract.SetItem(field, std::string());
    int n = 0;
    for (const PayEntryItem& item : written) {
        ++n;
        contract.SetItem(c::RubSaisieCode, n, item.code);
        contract.SetItem(c::RubSaisieBase, n, std::to_string(item.base));
        contract.SetItem(c::RubSaisieTaux, n, std::to_string(item.rate));
        contract.SetItem(c::RubSaisieMontant, n, std::to_string(item.amount));
        contract.SetItem(c::RubSaisieActivite, n, item.activity);
    }
}

PayEntryFields CopyPayEntryFields(const dba::Record& contract) {
    PayEntryFields copy;
    for (int i = 0; i < 5; ++i)
        copy.fields[i] = contract.Item(ContractFields[i]);
    return copy;
}

void RestorePayEntryFields(dba::Record& contract, const PayEntryFields& copy) {
    for (int i = 0; i < 5; ++i)
        contract.SetItem(ContractFields[i], copy.fields[i]);
}

} // namespace rules
