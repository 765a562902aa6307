#include "data/demo_pay_entry_items.h"

#include "data/contrat_fields.h"
#include "data/demo_catalogue.h"
#include "data/tables.h"
#include "rules/pay_entry_items.h"

#include <algorithm>

namespace data::demo {

namespace {

namespace c = data::contrat;

const PayEntryItem& CatalogueItem(const std::string& code) {
    const auto& items = PayEntryItems();
    return *std::find_if(items.begin(), items.end(), [&](const PayEntryItem& i) { return i.code == code; });
}

// One item as the screen would have computed it from what the user typed:
// base x 100 and rate x 10000 where the item lets them be typed.
rules::PayEntryItem Item(const std::string& code, rules::Scaled base, rules::Scaled rate,
                         rules::Scaled amount, const std::string& activity) {
    const PayEntryItem& p = CatalogueItem(code);
    rules::PayEntryItem item{code, base, rate, amount, activity};
    if (p.baseMode != "0" && p.baseMode != "1")
        item.base = 0;
    if (p.rateMode == "1" || p.rateMode == "4")
        item.rate = std::stoll(p.fixedRate);
    else if (p.rateMode != "0")
        item.rate = 0;
    if (p.amountMode == "1")
        item.amount = std::stoll(p.fixedAmount);
    else if (p.amountMode == "2")
        item.amount = rules::AmountFromBaseAndRate(item.base, item.rate);
    return item;
}

bool Production(const dba::Record& r) {
    return r.Item(c::Statut) != c::StatutAdministratif;
}

} // namespace

void WritePayEntryShowcase(Builder& b) {
    dba::Table contrats = b.db.OpenTable(tables::CONTRAT);
    const dba::ResultList keys = b.db.SelectRecords("SSELECT CONTRAT AVEC 65 # \"O\"", "0");
    std::vector<dba::Record> production, multiActivity, administrative;
    for (int i = 1; i <= keys.DCount(); ++i) {
        dba::Record r = contrats.ReadRecord(keys.Item(i, 1));
        if (r.DCount(c::Activites) == 0)
            continue;
        if (!Production(r))
            administrative.push_back(r);
        else if (r.DCount(c::Activites) >= 2)
            multiActivity.push_back(r);
        else
            production.push_back(r);
    }
    auto write = [](dba::Record& r, const std::vector<rules::PayEntryItem>& items) {
        rules::WritePayEntryItems(r, items);
        r.DBWrite();
    };

    // Every entry mode on one production contract, charged to its two
    // activities: additional hours 151,67 h at 9,61 make 1457,55.
    if (!multiActivity.empty()) {
        dba::Record& r = multiActivity.front();
        const std::string a1 = r.Item(c::Activites, 1), a2 = r.Item(c::Activites, 2);
        write(r, {Item("010", 15167, 96100, 0, a1), Item("020", 1250, 118800, 0, a2),
                  Item("030", 24000, 0, 0, a1), Item("040", 0, 0, 15000, a2), Item("050", 0, 0, 0, a1),
                  Item("080", 400, 0, 0, a2)});
    }
    // A second one still holding the advance on salary, withdrawn from the
    // catalogue since: loading that line takes it off the list.
    if (multiActivity.size() >= 2) {
        dba::Record& r = multiActivity[1];
        const std::string a1 = r.Item(c::Activites, 1), a2 = r.Item(c::Activites, 2);
        write(r, {Item("090", -350, 118800, 0, a2), Item("070", 0, 0, 20000, a1), Item("100", 0, 0, 0, a1)});
    }
    // The first production contracts in key order (the first helper's
    // among them): three items on their activity.
    for (std::size_t i = 0; i < production.size() && i < 3; ++i) {
        dba::Record& r = production[i];
        const std::string a = r.Item(c::Activites, 1);
        write(r, {Item("010", 800, 118800, 0, a), Item("030", 12000, 0, 0, a), Item("060", 0, 0, 4250, a)});
    }
    // A contract with more lines than the list shows at once.
    if (production.size() > 3) {
        dba::Record& r = production[3];
        const std::string a = r.Item(c::Activites, 1);
        std::vector<rules::PayEntryItem> items;
        const char* codes[] = {"010", "020", "030", "040", "050", "060", "080", "090", "100"};
        for (int i = 0; i < 17; ++i)
            items.push_back(Item(codes[i % 9], 100 * (i + 1) + 25, 112300 + 100 * i, 1000 * (i + 1), a));
        write(r, items);
    }
    // Administrative staff: items without activity.
    if (!administrative.empty())
        write(administrative.front(),
              {Item("010", 1050, 131500, 0, ""), Item("050", 0, 0, 0, ""), Item("100", 0, 0, 0, "")});
}

} // namespace data::demo
