#pragma once
// The query language: its syntax tree, parser, evaluator and ordering.
//
//   command   := ("SELECT" | "SSELECT") table [idcond] [criteria] { sort }
//   idcond    := tests                          -- tests on @ID right after the table,
//                                                  ANDed with the whole criteria
//   criteria  := group { "OR" group }           -- AND binds tighter than OR
//   group     := cond { "AND" cond }
//   cond      := ("AVEC" | "SANS") field [tests]
//   tests     := op value { ("OR" | "AND") op value }   -- short forms: same field
//   sort      := ("PAR" | "PAR-DECR") field
//   field     := number | "@ID" | dictionary name
//   op        := "=" | "<>" | "#" | "<" | "<=" | ">" | ">="
//   value     := '"' text '"'
//
// The parser knows nothing of tables: dictionary names are resolved by the
// caller through a FieldFetcher, so the same tree serves the planner.
// docs/query-language.md is the reference for host developers.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace dba {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

// How a quoted value is compared: "x" whole (numeric-aware), "x]" the
// value's first len(x) bytes, "[x" its last len(x) bytes (both as bytes),
// "[x]" contains (only with = and <>/#). "]", "[" and "[]" alone are
// literal text.
enum class Match { Whole, Prefix, Suffix, Contains };

struct Test {
    Op op = Op::Eq;
    Match match = Match::Whole;
    std::string text; // the value without its [ ] markers
};

struct FieldRef {
    enum class Kind { Number, Id, Name };
    Kind kind = Kind::Number;
    int number = 0;   // Kind::Number (0 also means the key)
    std::string name; // Kind::Name: a dictionary name of the table
    bool isKey() const { return kind == Kind::Id || (kind == Kind::Number && number == 0); }
    bool operator==(const FieldRef&) const = default;
};

// One AVEC/SANS condition. `alternatives` is the condition's tests in
// disjunctive form (OR between alternatives, AND inside one): the field
// passes when all the tests of some alternative hold, each test holding
// when any value of the field satisfies it (an empty field is one empty
// value). No alternatives: a presence test, true when some value is not
// empty. `negated` (SANS) negates the whole condition.
struct Cond {
    bool negated = false;
    FieldRef field;
    std::vector<std::vector<Test>> alternatives;
};

struct Group {
    std::vector<Cond> conds; // all must hold
};

struct SortKey {
    FieldRef field;
    bool descending = false;
};

struct Query {
    bool sorted = false; // SSELECT
    std::string table;
    std::optional<Cond> idCond; // the test right after the table, on @ID
    std::vector<Group> groups;  // any must hold; none = every record
    std::vector<SortKey> sort;
};

// Throws QuerySyntaxError (position, token) for any malformed text; never
// returns a partial tree.
Query ParseQuery(std::string_view text);

// Gives the raw text of a field of the record under test (values separated
// by VM), as a view that stays valid while the record is evaluated: the
// evaluator reads fields without copying them, and asks for each field once
// per record. Throws UnknownName for a dictionary name the table lacks.
class FieldFetcher {
public:
    // Only callables returning a view: one returning a std::string would
    // hand out a view of a temporary.
    template <typename F, typename = std::enable_if_t<std::is_same_v<
                              std::invoke_result_t<const std::decay_t<F>&, const FieldRef&>, std::string_view>>>
    FieldFetcher(F&& fetch) : fetch_(std::forward<F>(fetch)) {}
    std::string_view operator()(const FieldRef& field) const { return fetch_(field); }

private:
    std::function<std::string_view(const FieldRef&)> fetch_;
};

bool Evaluate(const Query& query, const FieldFetcher& fetch);
bool EvaluateCond(const Cond& cond, const FieldFetcher& fetch);
// One test against one value (numeric-aware, with the [ ] forms).
bool TestValue(const Test& test, std::string_view value);

// True when the text is a number in the query language's sense: optional
// sign, digits, at most one decimal point, at least one digit.
bool IsNumber(std::string_view text);
// Comparison inside conditions: numerically when both are numbers,
// otherwise as byte strings. Returns <0, 0, >0.
int CompareValues(std::string_view a, std::string_view b);
// The total order of sorting: empty first, then numbers by value (equal
// numbers such as "02" and "2" by bytes), then other texts as byte strings.
int CompareForSort(std::string_view a, std::string_view b);

// The value a field sorts by: its first value.
std::string_view SortValue(std::string_view field);

// What a record sorts by under a query's PAR / PAR-DECR keys.
struct SortRow {
    std::string key;
    std::vector<std::string> values; // SortValue of each sort field, in order
};
SortRow MakeSortRow(const Query& query, std::string key, const FieldFetcher& fetch);
// The order of a query's result: each sort field in turn (PAR-DECR reverses
// that field only), then the key ascending. <0, 0, >0.
int CompareSortRows(const std::vector<SortKey>& keys, const SortRow& a, const SortRow& b);

// Every field the query reads (key condition, conditions, sort fields), each
// once, in order of first use; lets a caller resolve dictionary names first.
std::vector<FieldRef> FieldsUsed(const Query& query);

} // namespace dba
