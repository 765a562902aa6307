// Tokenizer and recursive-descent parser of the query language. The parser
// either returns a complete tree or throws QuerySyntaxError naming the byte
// position and the text of the token it could not accept.
#include "dba/errors.h"
#include "dba/query.h"

#include <cctype>

namespace dba {

namespace {

struct Token {
    enum class Kind { Word, Operator, Quoted, End };
    Kind kind = Kind::End;
    std::string text;  // as written (quotes included for Quoted)
    std::string value; // Quoted: the text between the quotes
    Op op = Op::Eq;    // Operator
    std::size_t position = 0;
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool IsOperatorChar(char c) {
    return c == '=' || c == '<' || c == '>' || c == '#';
}
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (IsSpace(c)) {
            ++i;
            continue;
        }
        Token t;
        t.position = i;
        if (c == '"') {
            std::size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos)
                throw QuerySyntaxError("guillemet fermant manquant", i, std::string(text.substr(i)));
            t.kind = Token::Kind::Quoted;
            t.text = std::string(text.substr(i, close + 1 - i));
            t.value = std::string(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (IsOperatorChar(c)) {
            t.kind = Token::Kind::Operator;
            char next = i + 1 < text.size() ? text[i + 1] : '\0';
            if (c == '<' && next == '=') {
                t.op = Op::Le;
            } else if (c == '<' && next == '>') {
                t.op = Op::Ne;
            } else if (c == '>' && next == '=') {
                t.op = Op::Ge;
            } else {
                t.op = c == '=' ? Op::Eq : c == '#' ? Op::Ne : c == '<' ? Op::Lt : Op::Gt;
            }
            std::size_t length = (t.op == Op::Le || t.op == Op::Ge || (t.op == Op::Ne && c == '<')) ? 2 : 1;
            t.text = std::string(text.substr(i, length));
            i += length;
        } else {
            std::size_t end = i;
            while (end < text.size() && !IsSpace(text[end]) && text[end] != '"' && !IsOperatorChar(text[end]))
                ++end;
            t.kind = Token::Kind::Word;
            t.text = std::string(text.substr(i, end - i));
            i = end;
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.kind = Token::Kind::End;
    end.position = text.size();
    tokens.push_back(std::move(end));
    return tokens;
}

bool IsKeyword(std::string_view word) {
    return word == "SELECT" || word == "SSELECT" || word == "AVEC" || word == "SANS" || word == "AND" ||
           word == "OR" || word == "PAR" || word == "PAR-DECR";
}

// Table names are plain words; '@' and the brackets are kept out so that a
// misplaced field or value is reported where it stands.
bool IsTableName(std::string_view word) {
    if (word.empty() || IsKeyword(word))
        return false;
    for (char c : word) {
        bool ok = IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' || c == '-' || c == '.';
        if (!ok)
            return false;
    }
    return true;
}

bool IsDictionaryName(std::string_view word) {
    if (word.empty() || !IsAsciiLetter(word.front()))
        return false;
    for (char c : word)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_')
            return false;
    return true;
}

// The [ ] markers of a quoted value. A marker needs at least one byte of
// text beside it: "]", "[" and "[]" alone are literal text.
Test MakeTest(Op op, const std::string& raw) {
    Test t;
    t.op = op;
    bool opens = !raw.empty() && raw.front() == '[';
    bool closes = !raw.empty() && raw.back() == ']';
    if (opens && closes && raw.size() > 2) {
        t.match = Match::Contains;
        t.text = raw.substr(1, raw.size() - 2);
    } else if (opens && closes) {
        t.match = Match::Whole;
        t.text = raw;
    } else if (closes && raw.size() > 1) {
        t.match = Match::Prefix;
        t.text = raw.substr(0, raw.size() - 1);
    } else if (opens && raw.size() > 1) {
        t.match = Match::Suffix;
        t.text = raw.substr(1);
    } else {
        t.match = Match::Whole;
        t.text = raw;
    }
    return t;
}

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(Tokenize(text)) {}

    Query ParseCommand() {
        Query q;
        const Token& first = Peek();
        if (first.kind == Token::Kind::End)
            Fail("texte vide", first);
        if (!IsWord(first, "SELECT") && !IsWord(first, "SSELECT"))
            Fail("SELECT ou SSELECT attendu", first);
        q.sorted = first.text == "SSELECT";
        Next();

        const Token& table = Peek();
        if (table.kind != Token::Kind::Word || !IsTableName(table.text))
            Fail("nom de table attendu", table);
        q.table = table.text;
        Next();

        if (Peek().kind == Token::Kind::Operator) {
            Cond id;
            id.field.kind = FieldRef::Kind::Id;
            ParseTests(id);
            q.idCond = std::move(id);
        } else if (AtShortForm()) {
            Fail("forme abrégée sans champ précédent", Peek());
        }

        if (IsCondStart(Peek()))
            ParseCriteria(q);

        while (IsWord(Peek(), "PAR") || IsWord(Peek(), "PAR-DECR")) {
            SortKey key;
            key.descending = Peek().text == "PAR-DECR";
            const Token& keyword = Next();
            key.field = ParseField("champ attendu après " + keyword.text);
            q.sort.push_back(std::move(key));
        }

        if (Peek().kind != Token::Kind::End)
            FailUnexpected(Peek());
        return q;
    }

private:
    const Token& Peek(std::size_t ahead = 0) const {
        std::size_t i = std::min(index_ + ahead, tokens_.size() - 1);
        return tokens_[i];
    }
    const Token& Next() {
        const Token& t = tokens_[index_];
        if (index_ + 1 < tokens_.size())
            ++index_;
        return t;
    }
    static bool IsWord(const Token& t, std::string_view word) {
        return t.kind == Token::Kind::Word && t.text == word;
    }
    static bool IsCondStart(const Token& t) { return IsWord(t, "AVEC") || IsWord(t, "SANS"); }
    bool AtShortForm() const {
        return (IsWord(Peek(), "OR") || IsWord(Peek(), "AND")) && Peek(1).kind == Token::Kind::Operator;
    }

    [[noreturn]] static void Fail(const std::string& reason, const Token& at) {
        throw QuerySyntaxError(reason, at.position, at.text);
    }

    // Names what was expected when a token cannot continue the command.
    [[noreturn]] void FailUnexpected(const Token& t) const {
        if (IsWord(t, "AND") || IsWord(t, "OR")) {
            if (IsCondStart(Peek(1)))
                Fail(t.text + " sans condition avant lui", t);
            if (Peek(1).kind == Token::Kind::Operator)
                Fail("forme abrégée mal placée", t);
            Fail("AVEC ou SANS attendu après " + t.text, Peek(1));
        }
        if (t.kind == Token::Kind::Operator)
            Fail("opérateur inattendu", t);
        if (t.kind == Token::Kind::Quoted)
            Fail("valeur inattendue", t);
        Fail("mot inattendu", t);
    }

    void ParseCriteria(Query& q) {
        q.groups.emplace_back();
        q.groups.back().conds.push_back(ParseCond());
        for (;;) {
            if (IsWord(Peek(), "AND") && IsCondStart(Peek(1))) {
                Next();
                q.groups.back().conds.push_back(ParseCond());
            } else if (IsWord(Peek(), "OR") && IsCondStart(Peek(1))) {
                Next();
                q.groups.emplace_back();
                q.groups.back().conds.push_back(ParseCond());
            } else {
                return;
            }
        }
    }

    Cond ParseCond() {
        Cond c;
        c.negated = Peek().text == "SANS";
        const Token& keyword = Next();
        c.field = ParseField("champ attendu après " + keyword.text);
        if (Peek().kind == Token::Kind::Operator)
            ParseTests(c);
        else if (AtShortForm())
            Fail("forme abrégée après un test de présence", Peek());
        return c;
    }

    // op value { (OR | AND) op value }: OR opens a new alternative, AND adds
    // a test to the current one, so AND binds tighter among a field's tests.
    void ParseTests(Cond& c) {
        c.alternatives.push_back({ParseTest()});
        while (AtShortForm()) {
            bool opensAlternative = Next().text == "OR";
            Test t = ParseTest();
            if (opensAlternative)
                c.alternatives.push_back({std::move(t)});
            else
                c.alternatives.back().push_back(std::move(t));
        }
    }

    Test ParseTest() {
        const Token& op = Next();
        const Token& value = Peek();
        if (value.kind != Token::Kind::Quoted)
            Fail("valeur entre guillemets attendue après " + op.text, value);
        Test t = MakeTest(op.op, value.value);
        if (t.match == Match::Contains && t.op != Op::Eq && t.op != Op::Ne)
            Fail("[texte] ne s'emploie qu'avec =, <> ou #", value);
        Next();
        return t;
    }

    FieldRef ParseField(const std::string& reason) {
        const Token& t = Peek();
        FieldRef f;
        if (t.kind != Token::Kind::Word || IsKeyword(t.text))
            Fail(reason, t);
        if (t.text == "@ID") {
            f.kind = FieldRef::Kind::Id;
        } else if (IsAsciiDigit(t.text.front())) {
            for (char c : t.text)
                if (!IsAsciiDigit(c))
                    Fail("numéro de champ incorrect", t);
            if (t.text.size() > 9)
                Fail("numéro de champ trop grand", t);
            f.kind = FieldRef::Kind::Number;
            f.number = std::stoi(t.text);
        } else if (IsDictionaryName(t.text)) {
            f.kind = FieldRef::Kind::Name;
            f.name = t.text;
        } else {
            Fail("nom de champ incorrect", t);
        }
        Next();
        return f;
    }

    std::vector<Token> tokens_;
    std::size_t index_ = 0;
};

} // namespace

Query ParseQuery(std::string_view text) {
    return Parser(text).ParseCommand();
}

} // namespace dba
