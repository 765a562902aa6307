#include "dba/selection.h"

#include "dba/dictionary.h"
#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/planner.h"
#include "dba/query.h"
#include "dba/record_store.h"

#include <algorithm>
#include <forward_list>
#include <functional>
#include <set>
#include <numeric>

namespace dba {

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

FieldRef OutputField(const std::string& word) {
    FieldRef f;
    if (word == "@ID") {
        f.kind = FieldRef::Kind::Id;
    } else if (!word.empty() && word.size() <= 6 &&
               std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        f.kind = FieldRef::Kind::Number;
        f.number = std::stoi(word);
    } else {
        f.kind = FieldRef::Kind::Name;
        f.name = word;
    }
    return f;
}

struct Match {
    std::string key, text;
    SortRow sort;
};

class Selection {
public:
    Selection(Session& session, const Query& query, const std::vector<FieldRef>& outputs)
        : session_(session), query_(query), outputs_(outputs),
          translations_([&session](const std::string& table, const std::string& key) {
              return ReadRecordText(session, table, key);
          }),
          fetch_([this](const FieldRef& f) { return View(f, key_, text_); }) {}

    ResultList Run(bool useIndexes) {
        std::optional<std::vector<Candidate>> candidates = Prepare(useIndexes);
        if (candidates) {
            std::vector<std::string> unread;
            for (Candidate& c : *candidates) {
                if (c.text)
                    Consider(c.key, *c.text);
                else
                    unread.push_back(std::move(c.key));
            }
            ReadRecordTexts(session_, query_.table, unread,
                            [&](const std::string& key, std::string_view text) { Consider(key, text); });
        } else {
            Statement scan = session_.Sql("SELECT key, rec FROM " + QuoteName(query_.table));
            while (scan.Step())
                Consider(scan.Text(0), scan.Text(1));
        }
        // The sort values of the matches, their translations read first
        // (on a server, one statement per table rather than one per match).
        ReadTranslationsAhead();
        for (Match& m : matches_) {
            computed_.clear();
            key_ = m.key;
            text_ = m.text;
            m.sort = MakeSortRow(query_, m.key, fetch_);
        }
        return Rows();
    }

    // Resolves the names and asks the planner for candidates (nullopt: scan).
    std::optional<std::vector<Candidate>> Prepare(bool useIndexes) {
        const Schema& schema = session_.schema();
        const TableSchema* table = schema.Find(query_.table);
        if (!table)
            throw TableNotFound(query_.table);
        // Every name is resolved before any record is read: an unknown name
        // is an error even when nothing would match.
        auto resolve = [&](const FieldRef& f) {
            if (f.kind == FieldRef::Kind::Name && !names_.count(f.name))
                names_[f.name] = session_.Compiled(query_.table, f.name);
        };
        if (query_.idCond)
            resolve(query_.idCond->field);
        for (const Group& g : query_.groups)
            for (const Cond& c : g.conds)
                resolve(c.field);
        for (const SortKey& k : query_.sort)
            resolve(k.field);
        for (const FieldRef& f : outputs_)
            resolve(f);

        if (!useIndexes)
            return std::nullopt;
        return CandidateKeys(session_, query_.table, *table, query_, names_);
    }

private:
    ResultList Rows() {
        std::vector<std::size_t> order(matches_.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return CompareSortRows(query_.sort, matches_[a].sort, matches_[b].sort) < 0;
        });
        std::vector<std::vector<std::string>> rows;
        rows.reserve(order.size());
        for (std::size_t i : order) {
            const Match& m = matches_[i];
            std::vector<std::string> cells;
            cells.reserve(outputs_.size());
            for (const FieldRef& f : outputs_)
                cells.push_back(Fetch(f, m.key, m.text));
            rows.push_back(std::move(cells));
        }
        return ResultList(std::move(rows));
    }

    std::string Fetch(const FieldRef& f, const std::string& key, const std::string& text) {
        switch (f.kind) {
        case FieldRef::Kind::Id:
            return key;
        case FieldRef::Kind::Number:
            return f.number == 0 ? key : Extract(text, f.number);
        case FieldRef::Kind::Name:
            break;
        }
        auto found = names_.find(f.name);
        if (found == names_.end())
            throw UnknownName("Nom de champ inconnu : " + Shown(f.name));
        return ResolveItem(*found->second, key, text, &translations_);
    }

    // A field of the record under test as a view: into the record for
    // fields and key slices, into `computed_` for what a dictionary name
    // builds.
    std::string_view View(const FieldRef& f, std::string_view key, std::string_view text) {
        switch (f.kind) {
        case FieldRef::Kind::Id:
            return key;
        case FieldRef::Kind::Number:
            return f.number == 0 ? key : FieldOf(text, f.number);
        case FieldRef::Kind::Name:
            break;
        }
        auto found = names_.find(f.name);
        if (found == names_.end())
            throw UnknownName("Nom de champ inconnu : " + f.name);
        const CompiledItem& item = *found->second;
        switch (item.kind) {
        case CompiledItem::Kind::Key:
            return key;
        case CompiledItem::Kind::Field:
            return FieldOf(text, item.field);
        case CompiledItem::Kind::KeySlice:
            return KeySlice(key, item.start, item.length);
        default:
            return computed_.emplace_front(ResolveItem(item, key, text, &translations_));
        }
    }

    // Evaluates the record where it lies (a statement's row, a look-up's
    // result) and copies it only when it matches.
    void Consider(std::string_view key, std::string_view text) {
        computed_.clear();
        key_ = key;
        text_ = text;
        if (Evaluate(query_, fetch_))
            matches_.push_back(Match{std::string(key), std::string(text), {}});
    }

    // Reads together the records of other tables that the sort fields and
    // the output fields of the matches translate through.
    void ReadTranslationsAhead() {
        if (!session_.storage().RemoteCalls() || matches_.size() < 2)
            return;
        std::map<std::string, std::set<std::string>> wanted; // table: keys
        std::function<void(const CompiledItem&, const Match&)> visit = [&](const CompiledItem& item,
                                                                           const Match& m) {
            if (item.kind == CompiledItem::Kind::Translate) {
                const std::string source = item.source ? ResolveItem(*item.source, m.key, m.text, &translations_)
                                                       : std::string(KeySlice(m.key, item.start, item.length));
                for (const std::string& value : Split(source, VM))
                    if (!value.empty() && !translations_.Has(item.targetTable, value))
                        wanted[item.targetTable].insert(value);
            }
            for (const ItemPtr& part : item.items)
                visit(*part, m);
            if (item.kind != CompiledItem::Kind::Translate && item.source)
                visit(*item.source, m);
        };
        std::vector<const CompiledItem*> items;
        auto add = [&](const FieldRef& f) {
            if (f.kind != FieldRef::Kind::Name)
                return;
            const CompiledItem* item = names_.at(f.name).get();
            if (item->readsOtherTables && std::find(items.begin(), items.end(), item) == items.end())
                items.push_back(item);
        };
        for (const SortKey& k : query_.sort)
            add(k.field);
        for (const FieldRef& f : outputs_)
            add(f);
        for (const Match& m : matches_)
            for (const CompiledItem* item : items)
                visit(*item, m);
        for (const auto& [table, keys] : wanted) {
            std::vector<std::string> list(keys.begin(), keys.end());
            ReadRecordTexts(session_, table, list, [&](const std::string& key, std::string_view text) {
                translations_.Put(table, key, std::string(text));
            });
            for (const std::string& key : list)
                if (!translations_.Has(table, key))
                    translations_.Put(table, key, std::nullopt);
        }
    }

    Session& session_;
    const Query& query_;
    const std::vector<FieldRef>& outputs_;
    std::map<std::string, ItemPtr> names_;
    TranslationCache translations_;
    std::forward_list<std::string> computed_; // views handed out stay valid
    std::string_view key_, text_;      // the record under test
    FieldFetcher fetch_;               // its fields
    std::vector<Match> matches_;
};

} // namespace

ResultList RunSelection(Session& session, const std::string& command, const std::string& fields,
                        bool useIndexes) {
    std::shared_ptr<const Query> query = session.Parsed(command);
    std::vector<FieldRef> outputs;
    for (const std::string& word : Words(fields))
        outputs.push_back(OutputField(word));
    if (outputs.empty())
        outputs.push_back(OutputField("0"));
    ResultList result;
    // One read transaction: the candidates and the records they lead to are
    // seen at the same instant.
    auto run = [&] { result = Selection(session, *query, outputs).Run(useIndexes); };
    session.ReadOnly(std::ref(run));
    return result;
}

} // namespace dba

namespace dba {

std::string ExplainSelection(Session& session, const std::string& command) {
    std::shared_ptr<const Query> query = session.Parsed(command);
    std::vector<FieldRef> outputs;
    std::string result;
    session.ReadOnly([&] {
        std::optional<std::vector<Candidate>> candidates = Selection(session, *query, outputs).Prepare(true);
        result =
            candidates ? "index : " + std::to_string(candidates->size()) + " candidats" : "lecture complète";
    });
    return result;
}

} // namespace dba
