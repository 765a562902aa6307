#include "dba/planner.h"

#include "dba/index.h"
#include "dba/session.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <variant>

namespace dba {

namespace {

using Param = std::variant<std::string, double>;

// One SQL look-up returning keys; `withRecords` is the same look-up
// returning each key with its record's text. The texts of each form with
// a bound on the rows read are kept with them.
struct Lookup {
    std::string sql, withRecords;
    std::string bounded[2]; // [withRecords]: "... LIMIT ?"
    std::vector<Param> params;
};

// The key set of one access: the union of its look-ups. Lower rank is
// expected to be more selective (0 exact key, 1 equality, 2 prefix, 4 range,
// 5 presence).
struct Access {
    int rank = 0;
    std::vector<Lookup> lookups;
};

// Where the values of a field can be looked up.
struct Source {
    std::string table;
    bool isKey = false;
    std::string store;     // index store, or the table itself for the key
    std::string keyNumber; // the key's numeric store
    std::string valueColumn() const { return isKey ? "key" : "value"; }
};

// The smallest text above every text that begins with `prefix`; empty when
// there is none (or the prefix is empty).
std::string PrefixEnd(std::string prefix) {
    while (!prefix.empty() && static_cast<unsigned char>(prefix.back()) == 0xFF)
        prefix.pop_back();
    if (!prefix.empty())
        prefix.back() = static_cast<char>(static_cast<unsigned char>(prefix.back()) + 1);
    return prefix;
}

const char* SqlOp(Op op) {
    switch (op) {
    case Op::Eq:
        return "=";
    case Op::Lt:
        return "<";
    case Op::Le:
        return "<=";
    case Op::Gt:
        return ">";
    case Op::Ge:
        return ">=";
    case Op::Ne:
        break;
    }
    return nullptr;
}

// Look-up of the keys of the rows of `store` that satisfy `where`. The
// conditions name the store's own columns (value, num; key only when the
// store is the table itself), so the same text serves the joined form.
Lookup MakeLookup(const Source& src, const std::string& store, const std::string& where,
                  std::vector<Param> params) {
    Lookup l;
    l.sql = "SELECT key FROM " + QuoteName(store) + " WHERE " + where;
    l.withRecords = store == src.table ? "SELECT key, rec FROM " + QuoteName(store) + " WHERE " + where
                                       : "SELECT s.key, t.rec FROM " + QuoteName(store) + " s JOIN " +
                                             QuoteName(src.table) + " t ON t.key = s.key WHERE " + where;
    l.bounded[0] = l.sql + " LIMIT ?";
    l.bounded[1] = l.withRecords + " LIMIT ?";
    l.params = std::move(params);
    return l;
}

// Look-up of the keys whose value column satisfies `where` (text params).
Lookup ByValue(const Source& src, const std::string& where, std::vector<Param> params,
               bool nonNumbersOnly = false) {
    return MakeLookup(src, src.store, nonNumbersOnly && !src.isKey ? where + " AND num IS NULL" : where,
                      std::move(params));
}

std::optional<Access> AccessForTest(const Source& src, const Test& t) {
    const std::string col = src.valueColumn();
    Access a;
    if (t.match == Match::Whole) {
        const char* op = SqlOp(t.op);
        if (!op)
            return std::nullopt;
        if (auto number = NumericValue(t.text)) {
            // Numbers compare as numbers: through the numeric column, widened
            // to <= / >= so that rounding to a double never drops an entry.
            const char* numOp = t.op == Op::Eq ? "=" : (t.op == Op::Lt || t.op == Op::Le) ? "<=" : ">=";
            std::string numStore = src.isKey ? src.keyNumber : src.store;
            std::string numWhere = src.isKey ? "" : " AND num IS NOT NULL";
            a.lookups.push_back(MakeLookup(src, numStore, std::string("num ") + numOp + " ?" + numWhere, {*number}));
            if (t.op == Op::Eq) {
                a.rank = 1; // a text equal byte for byte to a number is a number
            } else {
                // Texts that are not numbers compare with it as bytes.
                a.lookups.push_back(ByValue(src, col + " " + op + " ?", {t.text}, true));
                a.rank = 4;
            }
            return a;
        }
        a.lookups.push_back(ByValue(src, col + " " + op + " ?", {t.text}));
        a.rank = t.op != Op::Eq ? 4 : src.isKey ? 0 : 1;
        return a;
    }
    if (t.match == Match::Prefix) {
        // The first len(text) bytes against the text: "begins with" is a
        // range; the ordering forms are bounded by the same two limits.
        if (t.text.empty())
            return std::nullopt;
        std::string end = PrefixEnd(t.text);
        switch (t.op) {
        case Op::Eq:
            a.rank = 2;
            if (end.empty())
                a.lookups.push_back(ByValue(src, col + " >= ?", {t.text}));
            else
                a.lookups.push_back(ByValue(src, col + " >= ? AND " + col + " < ?", {t.text, end}));
            return a;
        case Op::Lt:
            a.rank = 4;
            a.lookups.push_back(ByValue(src, col + " < ?", {t.text}));
            return a;
        case Op::Le:
            if (end.empty())
                return std::nullopt;
            a.rank = 4;
            a.lookups.push_back(ByValue(src, col + " < ?", {end}));
            return a;
        case Op::Gt:
        case Op::Ge:
            a.rank = 4;
            a.lookups.push_back(ByValue(src, col + " >= ?", {t.text}));
            return a;
        case Op::Ne:
            return std::nullopt;
        }
    }
    return std::nullopt; // ends with, contains: no order to use
}

class Planner {
public:
    Planner(Session& session, const std::string& table, const TableSchema& schema,
            const std::map<std::string, ItemPtr>& names)
        : session_(session), table_(table), schema_(schema), names_(names) {}

    std::optional<Access> ForCond(const Cond& cond) const {
        if (cond.negated)
            return std::nullopt;
        std::optional<Source> src = SourceOf(cond.field);
        if (!src)
            return std::nullopt;
        Access result;
        if (cond.alternatives.empty()) {
            if (src->isKey)
                return std::nullopt; // every key is non-empty
            result.rank = 5;
            result.lookups.push_back(ByValue(*src, "value > ''", {}));
            return result;
        }
        for (const std::vector<Test>& alternative : cond.alternatives) {
            // Any one test of an alternative bounds it; take the best.
            std::optional<Access> best;
            for (const Test& t : alternative) {
                std::optional<Access> a = AccessForTest(*src, t);
                if (a && (!best || a->rank < best->rank))
                    best = std::move(a);
            }
            if (!best)
                return std::nullopt;
            result.rank = std::max(result.rank, best->rank);
            for (Lookup& l : best->lookups)
                result.lookups.push_back(std::move(l));
        }
        return result;
    }

    // Candidates of an access, with their records when `withRecords`;
    // false (and `out` unspecified) when there are more than `limit`.
    bool Fetch(const Access& access, std::size_t limit, bool withRecords, std::vector<Candidate>& out) const {
        out.clear();
        // A server computes a whole result before sending it: each look-up
        // asks for a bounded number of rows, and only when that bound is
        // reached with few distinct keys (a record with many values in the
        // range) is it asked again without one.
        const long long bound = static_cast<long long>(limit) * 2 + 16;
        std::size_t check = limit + 1; // when to count distinct keys
        for (const Lookup& l : access.lookups) {
            for (bool bounded : {true, false}) {
                long long rows = 0;
                Statement st = session_.Sql(bounded  ? l.bounded[withRecords ? 1 : 0]
                                            : withRecords ? l.withRecords
                                                          : l.sql);
                for (std::size_t i = 0; i < l.params.size(); ++i) {
                    if (const auto* text = std::get_if<std::string>(&l.params[i]))
                        st.Bind(static_cast<int>(i + 1), *text);
                    else
                        st.Bind(static_cast<int>(i + 1), std::get<double>(l.params[i]));
                }
                if (bounded)
                    st.Bind(static_cast<int>(l.params.size() + 1), bound);
                while (st.Step()) {
                    ++rows;
                    Candidate& c = out.emplace_back();
                    c.key = st.Text(0);
                    if (withRecords)
                        c.text.emplace(st.Text(1));
                    if (out.size() >= check) {
                        Normalize(out);
                        if (out.size() > limit)
                            return false;
                        check = out.size() + limit / 2 + 1;
                    }
                }
                if (!bounded || rows < bound)
                    break;
                // Cut short with few distinct keys: read it whole (the keys
                // read twice are merged by Normalize).
            }
        }
        Normalize(out);
        return out.size() <= limit;
    }

    // Sorted by key, each key once (keeping a record text when one of its
    // copies has it).
    static void Normalize(std::vector<Candidate>& found) {
        std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) { return a.key < b.key; });
        std::size_t kept = 0;
        for (std::size_t i = 0; i < found.size(); ++i) {
            if (kept > 0 && found[kept - 1].key == found[i].key) {
                if (!found[kept - 1].text && found[i].text)
                    found[kept - 1].text = std::move(found[i].text);
                continue;
            }
            if (kept != i)
                found[kept] = std::move(found[i]);
            ++kept;
        }
        found.resize(kept);
    }

private:
    std::optional<Source> SourceOf(const FieldRef& field) const {
        Source src;
        src.table = table_;
        src.keyNumber = KeyNumberStore(table_);
        if (field.isKey()) {
            src.isKey = true;
            src.store = table_;
            return src;
        }
        std::string text;
        const CompiledItem* item = nullptr;
        if (field.kind == FieldRef::Kind::Number) {
            text = std::to_string(field.number);
        } else {
            text = field.name;
            auto found = names_.find(field.name);
            if (found != names_.end())
                item = found->second.get();
            if (item && item->kind == CompiledItem::Kind::Key) {
                src.isKey = true;
                src.store = table_;
                return src;
            }
        }
        int number = field.kind == FieldRef::Kind::Number              ? field.number
                     : item && item->kind == CompiledItem::Kind::Field ? item->field
                                                                       : -1;
        for (const IndexDecl& index : schema_.indexes) {
            if (!index.expr || index.expr->readsOtherTables)
                continue;
            bool same = index.item == text || (number > 0 && index.expr->kind == CompiledItem::Kind::Field &&
                                               index.expr->field == number);
            if (same) {
                src.store = index.store;
                return src;
            }
        }
        return std::nullopt;
    }

    Session& session_;
    const std::string& table_;
    const TableSchema& schema_;
    const std::map<std::string, ItemPtr>& names_;
};

} // namespace


// The look-ups of a query's conditions: they depend on its text and the
// schema only, so they are built once per query text.
struct QueryPlan {
    long long generation = -1;
    std::optional<Access> idAccess;
    std::vector<std::vector<Access>> groups; // usable accesses per AND-group
};

std::optional<std::vector<Candidate>> CandidateKeys(Session& session, const std::string& table,
                                                    const TableSchema& schema, const Query& query,
                                                    const std::map<std::string, ItemPtr>& names) {
    Planner planner(session, table, schema, names);
    const long long generation = session.schema().generation;
    std::shared_ptr<QueryPlan>& plan = session.plans[&query];
    if (!plan || plan->generation != generation || generation < 0) {
        plan = std::make_shared<QueryPlan>();
        plan->generation = generation;
        if (query.idCond)
            plan->idAccess = planner.ForCond(*query.idCond);
        if (query.groups.empty())
            plan->groups.emplace_back();
        for (const Group& g : query.groups) {
            std::vector<Access> usable;
            for (const Cond& c : g.conds)
                if (std::optional<Access> a = planner.ForCond(c))
                    usable.push_back(std::move(*a));
            plan->groups.push_back(std::move(usable));
        }
    }

    // Sizes seen by earlier queries of the session for the same look-up
    // (same SQL, other values): read the small key sets first, and skip
    // the large ones when narrowing.
    std::unordered_map<std::string, std::size_t>& seen = session.accessSizes;
    if (seen.size() > 4096)
        seen.clear();
    auto estimate = [&](const Access& a) -> std::size_t {
        auto found = seen.find(a.lookups.front().sql);
        if (found != seen.end())
            return found->second;
        static const std::size_t byRank[] = {1, 16, 24, 1000, 1000, 10000};
        return byRank[std::min(a.rank, 5)];
    };
    // An access expected to give at most this many keys reads their records
    // in the same statement: one statement instead of one read per key.
    // Larger sets are narrowed by the group's other accesses first.
    constexpr std::size_t ReadAlong = 32;

    std::vector<Candidate> all;
    for (const std::vector<Access>& group : plan->groups) {
        std::vector<std::pair<std::size_t, const Access*>> usable;
        for (const Access& a : group)
            usable.emplace_back(estimate(a), &a);
        if (plan->idAccess)
            usable.emplace_back(estimate(*plan->idAccess), &*plan->idAccess);
        if (usable.empty())
            return std::nullopt;
        std::stable_sort(usable.begin(), usable.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // Sizes are unknown until read: every access is read up to a limit
        // that grows until one of them fits. An access seen larger than the
        // limit is not tried at it; one never seen is, to learn its size.
        std::vector<Candidate> best, keys;
        std::size_t chosen = 0;
        bool found = false, withRecords = false;
        for (std::size_t limit = 8; !found; limit *= 16) {
            for (std::size_t i = 0; i < usable.size() && !found; ++i) {
                if (usable[i].first > limit && seen.count(usable[i].second->lookups.front().sql))
                    continue;
                const Access& a = *usable[i].second;
                const bool along = usable[i].first <= std::min(limit, ReadAlong);
                if (planner.Fetch(a, limit, along, keys)) {
                    seen[a.lookups.front().sql] = keys.size();
                    best.swap(keys);
                    chosen = i;
                    found = true;
                    withRecords = along;
                } else {
                    std::size_t& size = seen[a.lookups.front().sql];
                    size = std::max(size, limit + 1);
                }
            }
        }
        // The group's conditions all hold on a match: other small key sets
        // narrow the candidates, each saving record reads (none to save
        // when the records came with their keys).
        for (std::size_t i = 0; i < usable.size() && best.size() > 1 && !withRecords; ++i) {
            const std::size_t bound = std::max<std::size_t>(32, best.size() * 4);
            if (i == chosen || usable[i].first > bound)
                continue;
            const Access& a = *usable[i].second;
            if (planner.Fetch(a, bound, false, keys)) {
                seen[a.lookups.front().sql] = keys.size();
                std::vector<Candidate> both;
                std::size_t k = 0;
                for (Candidate& c : best) {
                    while (k < keys.size() && keys[k].key < c.key)
                        ++k;
                    if (k < keys.size() && keys[k].key == c.key)
                        both.push_back(std::move(c));
                }
                best.swap(both);
            } else {
                seen[a.lookups.front().sql] = bound + 1;
            }
        }
        for (Candidate& c : best)
            all.push_back(std::move(c));
    }
    Planner::Normalize(all);
    return all;
}

} // namespace dba
