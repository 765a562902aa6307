// Evaluation of a parsed query against one record, and the order of the
// records a query returns.
#include "dba/dynarray.h"
#include "dba/query.h"

#include <algorithm>
#include <array>
#include <deque>
#include <stdexcept>

namespace dba {

namespace {

bool Holds(Op op, int comparison) {
    switch (op) {
    case Op::Eq:
        return comparison == 0;
    case Op::Ne:
        return comparison != 0;
    case Op::Lt:
        return comparison < 0;
    case Op::Le:
        return comparison <= 0;
    case Op::Gt:
        return comparison > 0;
    case Op::Ge:
        return comparison >= 0;
    }
    return false;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// The values of the fields one record is tested on. Each field is fetched
// and cut into values once, however many conditions test it: a condition
// repeated on a large field costs its tests, not another pass over the
// field. A field of one value (the usual case) is not copied nor cut.
class RecordValues {
public:
    explicit RecordValues(const FieldFetcher& fetch) : fetch_(fetch) {}

    // True when `test` holds for some value of the field (an empty field
    // is one empty value).
    template <typename Test> bool Any(const FieldRef& field, Test&& test) {
        const Entry& e = Of(field);
        if (!e.multi)
            return test(e.text);
        return std::any_of(e.values.begin(), e.values.end(), test);
    }

private:
    struct Entry {
        const FieldRef* field = nullptr;
        std::string_view text;
        bool multi = false;
        std::vector<std::string_view> values; // when multi
    };

    const Entry& Of(const FieldRef& field) {
        for (std::size_t i = 0; i < count_; ++i)
            if (*At(i).field == field)
                return At(i);
        if (count_ >= Inline)
            more_.emplace_back();
        Entry& e = At(count_++);
        e.field = &field;
        e.text = fetch_(field);
        std::size_t at = e.text.find(VM);
        e.multi = at != std::string_view::npos;
        for (std::size_t start = 0; e.multi;) {
            e.values.push_back(e.text.substr(start, at - start));
            if (at == std::string_view::npos)
                break;
            start = at + 1;
            at = e.text.find(VM, start);
        }
        return e;
    }
    Entry& At(std::size_t i) { return i < Inline ? inline_[i] : more_[i - Inline]; }

    static constexpr std::size_t Inline = 8;
    const FieldFetcher& fetch_;
    std::array<Entry, Inline> inline_;
    std::deque<Entry> more_; // beyond Inline fields; a deque keeps earlier entries in place
    std::size_t count_ = 0;
};

bool CondHolds(const Cond& cond, RecordValues& record) {
    bool holds;
    if (cond.alternatives.empty()) {
        holds = record.Any(cond.field, [](std::string_view v) { return !v.empty(); });
    } else {
        holds = std::any_of(
            cond.alternatives.begin(), cond.alternatives.end(), [&](const std::vector<Test>& tests) {
                return std::all_of(tests.begin(), tests.end(), [&](const Test& t) {
                    return record.Any(cond.field, [&](std::string_view v) { return TestValue(t, v); });
                });
            });
    }
    return holds != cond.negated;
}

} // namespace

bool TestValue(const Test& test, std::string_view value) {
    switch (test.match) {
    case Match::Whole:
        return Holds(test.op, CompareValues(value, test.text));
    case Match::Prefix: {
        std::string_view head = value.substr(0, std::min(value.size(), test.text.size()));
        return Holds(test.op, Sign(head.compare(test.text)));
    }
    case Match::Suffix: {
        std::size_t n = std::min(value.size(), test.text.size());
        std::string_view tail = value.substr(value.size() - n);
        return Holds(test.op, Sign(tail.compare(test.text)));
    }
    case Match::Contains: {
        bool found = value.find(test.text) != std::string_view::npos;
        if (test.op == Op::Eq)
            return found;
        if (test.op == Op::Ne)
            return !found;
        // The parser never builds this; a hand-made tree that does is a bug.
        throw std::logic_error("containment test with an ordering operator");
    }
    }
    return false;
}

bool EvaluateCond(const Cond& cond, const FieldFetcher& fetch) {
    RecordValues record(fetch);
    return CondHolds(cond, record);
}

bool Evaluate(const Query& query, const FieldFetcher& fetch) {
    RecordValues record(fetch);
    if (query.idCond && !CondHolds(*query.idCond, record))
        return false;
    if (query.groups.empty())
        return true;
    return std::any_of(query.groups.begin(), query.groups.end(), [&](const Group& g) {
        return std::all_of(g.conds.begin(), g.conds.end(),
                           [&](const Cond& c) { return CondHolds(c, record); });
    });
}

std::string_view SortValue(std::string_view field) {
    return field.substr(0, field.find(VM));
}

SortRow MakeSortRow(const Query& query, std::string key, const FieldFetcher& fetch) {
    SortRow row;
    row.key = std::move(key);
    row.values.reserve(query.sort.size());
    for (const SortKey& k : query.sort)
        row.values.emplace_back(SortValue(fetch(k.field)));
    return row;
}

int CompareSortRows(const std::vector<SortKey>& keys, const SortRow& a, const SortRow& b) {
    for (std::size_t i = 0; i < keys.size() && i < a.values.size() && i < b.values.size(); ++i) {
        int c = CompareForSort(a.values[i], b.values[i]);
        if (c != 0)
            return keys[i].descending ? -c : c;
    }
    return CompareForSort(a.key, b.key);
}

std::vector<FieldRef> FieldsUsed(const Query& query) {
    std::vector<FieldRef> fields;
    auto add = [&](const FieldRef& f) {
        if (std::find(fields.begin(), fields.end(), f) == fields.end())
            fields.push_back(f);
    };
    if (query.idCond)
        add(query.idCond->field);
    for (const Group& g : query.groups)
        for (const Cond& c : g.conds)
            add(c.field);
    for (const SortKey& k : query.sort)
        add(k.field);
    return fields;
}

} // namespace dba
