// The parser against the query texts the library builds, and against
// malformed texts. Trees are compared through a compact rendering:
//   [SELECT|SSELECT] table [id{tests}] [where cond AND cond OR cond ...] [by key ...]
// a cond is "field" (AVEC presence), "!field" (SANS), or field{alt | alt}
// with the tests of one alternative joined by "&"; a test is the operator
// and the value, prefixed begins/ends/contains for the [ ] forms.
#include "dba/errors.h"
#include "dba/query.h"

#include <gtest/gtest.h>

namespace dba {
namespace {

std::string Render(const FieldRef& f) {
    switch (f.kind) {
    case FieldRef::Kind::Number:
        return std::to_string(f.number);
    case FieldRef::Kind::Id:
        return "@ID";
    case FieldRef::Kind::Name:
        return f.name;
    }
    return "?";
}

std::string Render(const Test& t) {
    static const char* ops[] = {"=", "<>", "<", "<=", ">", ">="};
    static const char* matches[] = {"", "begins", "ends", "contains"};
    return std::string(ops[static_cast<int>(t.op)]) + matches[static_cast<int>(t.match)] + "\"" + t.text +
           "\"";
}

std::string RenderTests(const Cond& c) {
    std::string out = "{";
    for (std::size_t a = 0; a < c.alternatives.size(); ++a) {
        if (a)
            out += " | ";
        for (std::size_t t = 0; t < c.alternatives[a].size(); ++t)
            out += (t ? "&" : "") + Render(c.alternatives[a][t]);
    }
    return out + "}";
}

std::string Render(const Cond& c) {
    std::string out = (c.negated ? "!" : "") + Render(c.field);
    return c.alternatives.empty() ? out : out + RenderTests(c);
}

std::string Render(const Query& q) {
    std::string out = (q.sorted ? "SSELECT " : "SELECT ") + q.table;
    if (q.idCond)
        out += " id" + RenderTests(*q.idCond);
    for (std::size_t g = 0; g < q.groups.size(); ++g) {
        out += g ? " OR " : " where ";
        for (std::size_t c = 0; c < q.groups[g].conds.size(); ++c)
            out += (c ? " AND " : "") + Render(q.groups[g].conds[c]);
    }
    for (std::size_t s = 0; s < q.sort.size(); ++s)
        out += (s ? " " : " by ") + std::string(q.sort[s].descending ? "-" : "+") + Render(q.sort[s].field);
    return out;
}

struct ParseCase {
    const char* text;
    const char* tree;
};

// The texts the browser, the editor, the rules and the side screens compose,
// with realistic values in place of their variable parts.
const ParseCase kLibraryQueries[] = {
    // Contract search of the browser, each option.
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "00042" AND AVEC 7 <= "20650" OR >= "20650" AND AVEC 8 >= "20636" OR = "" AND AVEC 65 <> "O" PAR NomAidantContrat PAR PrenomAidantContrat)",
     R"(SSELECT CONTRAT where 1{="02"} AND 3{="00042"} AND 7{<="20650" | >="20650"} AND 8{>="20636" | =""} AND 65{<>"O"} by +NomAidantContrat +PrenomAidantContrat)"},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "00042" AND AVEC 8 < "20636" AND AVEC 8 <> "" AND AVEC 65 <> "O" PAR 7)",
     R"(SSELECT CONTRAT where 1{="02"} AND 3{="00042"} AND 8{<"20636"} AND 8{<>""} AND 65{<>"O"} by +7)"},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "00042" AND AVEC 65 <> "O" PAR-DECR 7)",
     R"(SSELECT CONTRAT where 1{="02"} AND 3{="00042"} AND 65{<>"O"} by -7)"},
    // Editor start-up lists.
    {R"(SSELECT ACTIVITES AVEC 0 = "E01" PAR 1)", R"(SSELECT ACTIVITES where 0{="E01"} by +1)"},
    {R"(SSELECT ACTIVITES AVEC 0 = "E01" AND AVEC 12 <> "M" PAR 1)",
     R"(SSELECT ACTIVITES where 0{="E01"} AND 12{<>"M"} by +1)"},
    {R"(SSELECT ACTIVITES AVEC 0 = "E01]" AND AVEC 12 = "M" PAR 1)",
     R"(SSELECT ACTIVITES where 0{=begins"E01"} AND 12{="M"} by +1)"},
    {"SSELECT ASSOCIATION PAR 1", "SSELECT ASSOCIATION by +1"},
    {"SSELECT CONVENTIONCOL PAR 1", "SSELECT CONVENTIONCOL by +1"},
    {R"(SSELECT RUBCHARGE AVEC 28 = "1" AND AVEC 30 = "")",
     R"(SSELECT RUBCHARGE where 28{="1"} AND 30{=""})"},
    {R"(SSELECT CIVILAIDE AVEC NomPrenomAide = "DURAND J]" AND AVEC CodeAideElts AND SANS 43 PAR 2)",
     R"(SSELECT CIVILAIDE where NomPrenomAide{=begins"DURAND J"} AND CodeAideElts AND !43 by +2)"},
    {R"(SSELECT PCS AVEC 0 < "100" PAR 1)", R"(SSELECT PCS where 0{<"100"} by +1)"},
    {R"(SSELECT PCS AVEC 0 = "56]" AND AVEC 0 > "56" PAR 1)",
     R"(SSELECT PCS where 0{=begins"56"} AND 0{>"56"} by +1)"},
    {R"(SSELECT RUBCHARGE AVEC 16 = "08" AND AVEC 11 = "Montant" AND AVEC 30 = "" OR AVEC 16 = "08" AND AVEC 15 = "Montant" AND AVEC 30 = "" PAR 1)",
     R"(SSELECT RUBCHARGE where 16{="08"} AND 11{="Montant"} AND 30{=""} OR 16{="08"} AND 15{="Montant"} AND 30{=""} by +1)"},
    {R"(SSELECT PCS AVEC 0 = "563b")", R"(SSELECT PCS where 0{="563b"})"},
    {R"(SSELECT ETABLISSEMENT AVEC 0 = "E01]")", R"(SSELECT ETABLISSEMENT where 0{=begins"E01"})"},
    {R"(SSELECT ORGANISMESOCIAL AVEC 0 = "E01]" AND AVEC 3 = "03")",
     R"(SSELECT ORGANISMESOCIAL where 0{=begins"E01"} AND 3{="03"})"},
    {R"(SSELECT GRILLESCC AVEC 0 = "02]" AND AVEC 8 <> "1" PAR 1)",
     R"(SSELECT GRILLESCC where 0{=begins"02"} AND 8{<>"1"} by +1)"},
    {R"(SSELECT CONTRATSPREV AVEC ConvColPrev = "02")", R"(SSELECT CONTRATSPREV where ConvColPrev{="02"})"},
    {R"(SSELECT PROFIL AVEC 4 = "1" PAR 1)", R"(SSELECT PROFIL where 4{="1"} by +1)"},
    {R"(SSELECT PROFIL AVEC 4 <> "1" PAR 1)", R"(SSELECT PROFIL where 4{<>"1"} by +1)"},
    {R"(SSELECT RUBSAISIE AVEC 18 # "1" PAR 1)", R"(SSELECT RUBSAISIE where 18{<>"1"} by +1)"},
    // Hours limit and overlaps.
    {R"(SSELECT CONTRAT AVEC 0 = "00042]" AND AVEC 8 = "" OR >= "20650" AND AVEC 7 <= "20650" AND AVEC 65 <> "O")",
     R"(SSELECT CONTRAT where 0{=begins"00042"} AND 8{="" | >="20650"} AND 7{<="20650"} AND 65{<>"O"})"},
    {R"(SSELECT TPSAIDANTINDISPO AVEC 0 = "00042]" AND AVEC 5 = "O" AND AVEC DateDebIndispo <= "20650" AND AVEC 1 >= "20650" OR = "")",
     R"(SSELECT TPSAIDANTINDISPO where 0{=begins"00042"} AND 5{="O"} AND DateDebIndispo{<="20650"} AND 1{>="20650" | =""})"},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 2 = "E01" AND AVEC 3 = "00007" AND AVEC 0 = "00042]" AND SANS 0 = "00042001" AND AVEC 65 <> "O" PAR 3)",
     R"(SSELECT CONTRAT where 1{="02"} AND 2{="E01"} AND 3{="00007"} AND 0{=begins"00042"} AND !0{="00042001"} AND 65{<>"O"} by +3)"},
    {R"(SSELECT CONTRAT AVEC 1 <> "02" AND AVEC 2 = "E01" AND AVEC 0 = "00042]" AND SANS 0 = "00042001" AND AVEC 65 <> "O" PAR 3)",
     R"(SSELECT CONTRAT where 1{<>"02"} AND 2{="E01"} AND 0{=begins"00042"} AND !0{="00042001"} AND 65{<>"O"} by +3)"},
    // Modification, deletion and end-date guards.
    {R"(SSELECT DETAILCALCUL AVEC 0 = "00042001]")", R"(SSELECT DETAILCALCUL where 0{=begins"00042001"})"},
    {R"(SSELECT OPPOSITION AVEC 0 = "00042001]")", R"(SSELECT OPPOSITION where 0{=begins"00042001"})"},
    {R"(SSELECT DETAILCALCUL AVEC 0 > "00042001202403" AND = "00042001]")",
     R"(SSELECT DETAILCALCUL where 0{>"00042001202403"&=begins"00042001"})"},
    {R"(SSELECT DETAILINTER AVEC 0 = "00042001]" AND > "[202403")",
     R"(SSELECT DETAILINTER where 0{=begins"00042001"&>ends"202403"})"},
    {R"(SSELECT CONTRAT AVEC 0 = "00042]" AND AVEC 1 <> "02" AND AVEC 2 = "E01" AND AVEC 0 <> "00042001" AND AVEC 65 <> "O")",
     R"(SSELECT CONTRAT where 0{=begins"00042"} AND 1{<>"02"} AND 2{="E01"} AND 0{<>"00042001"} AND 65{<>"O"})"},
    {R"(SSELECT CONTRAT AVEC 0 = "00042]" AND AVEC 1 = "02" AND AVEC 2 = "E01" AND AVEC 3 = "00007" AND AVEC 0 <> "00042001" AND AVEC 65 <> "O")",
     R"(SSELECT CONTRAT where 0{=begins"00042"} AND 1{="02"} AND 2{="E01"} AND 3{="00007"} AND 0{<>"00042001"} AND 65{<>"O"})"},
    {R"(SELECT TPSDETAILSINTERV AVEC @ID = "0004200007]" AND AVEC TypeActDetailInterv = "M" AND AVEC DateDebInterv <= "20650" AND AVEC 1 >= "20650" OR = "")",
     R"(SELECT TPSDETAILSINTERV where @ID{=begins"0004200007"} AND TypeActDetailInterv{="M"} AND DateDebInterv{<="20650"} AND 1{>="20650" | =""})"},
    {R"(SELECT TPSMOI AVEC 4 = "00042001")", R"(SELECT TPSMOI where 4{="00042001"})"},
    {R"(SELECT TPSDETAILSINTERV = "00042001]" AVEC 1 >= "20650" OR = "" AND AVEC CodeActInterv = "AD" AND AVEC CodeAide = "00007" AND AVEC TypeActDetailInterv = "M" PAR JourInterv PAR HeureInterv)",
     R"(SELECT TPSDETAILSINTERV id{=begins"00042001"} where 1{>="20650" | =""} AND CodeActInterv{="AD"} AND CodeAide{="00007"} AND TypeActDetailInterv{="M"} by +JourInterv +HeureInterv)"},
    {R"(SELECT TPSDETAILSINTERV = "00042001]" AVEC 1 >= "20650" OR = "" AND AVEC CodeActInterv = "AD" AND AVEC TypeActDetailInterv # "M" PAR JourInterv PAR HeureInterv)",
     R"(SELECT TPSDETAILSINTERV id{=begins"00042001"} where 1{>="20650" | =""} AND CodeActInterv{="AD"} AND TypeActDetailInterv{<>"M"} by +JourInterv +HeureInterv)"},
    {R"(SSELECT TPSEXCEPTIONS AVEC 1 = "00042" AND AVEC DateDebExcep >= "20650")",
     R"(SSELECT TPSEXCEPTIONS where 1{="00042"} AND DateDebExcep{>="20650"})"},
    // Fixed-term reason: helpers by name, absences, contracts of a helper.
    {R"(SSELECT CIVILAIDANT AVEC NomPrenomAidant = "DUPONT M]" AND AVEC 36 >= "20650" OR = "" PAR 2 PAR 3)",
     R"(SSELECT CIVILAIDANT where NomPrenomAidant{=begins"DUPONT M"} AND 36{>="20650" | =""} by +2 +3)"},
    {R"(SSELECT CIVILAIDANT AVEC NomPrenomAidant = "DUPONT M]" PAR 2 PAR 3)",
     R"(SSELECT CIVILAIDANT where NomPrenomAidant{=begins"DUPONT M"} by +2 +3)"},
    {R"(SSELECT ABSENCESAIDANT AVEC @ID = "00042]" AND AVEC 2 >= "[20650" AND AVEC TypeAbs <> "18" AND AVEC TypeAbs <> "19" AND AVEC TypeAbs <> "20" AND AVEC TypeAbs <> "21" PAR DebAbsAidant)",
     R"(SSELECT ABSENCESAIDANT where @ID{=begins"00042"} AND 2{>=ends"20650"} AND TypeAbs{<>"18"} AND TypeAbs{<>"19"} AND TypeAbs{<>"20"} AND TypeAbs{<>"21"} by +DebAbsAidant)"},
    {R"(SSELECT CONTRAT AVEC @ID = "00042]" AND AVEC 3 = "00007" AND AVEC 7 <= "20650" AND AVEC 8 >= "20650" OR = "" OR AVEC @ID = "00042]" AND AVEC 3 = "00007" AND AVEC 7 >= "20650" AND AVEC 8 >= "20650" OR = "")",
     R"(SSELECT CONTRAT where @ID{=begins"00042"} AND 3{="00007"} AND 7{<="20650"} AND 8{>="20650" | =""} OR @ID{=begins"00042"} AND 3{="00007"} AND 7{>="20650"} AND 8{>="20650" | =""})"},
};

// Forms the library does not compose but the language has.
const ParseCase kOtherForms[] = {
    {"SELECT CONTRAT", "SELECT CONTRAT"},
    {"  SSELECT\tCONTRAT\n", "SSELECT CONTRAT"},
    {R"(SELECT T = "a]" OR = "b]")", R"(SELECT T id{=begins"a" | =begins"b"})"},
    {R"(SELECT T = "a]" AND > "a5" OR = "c")", R"(SELECT T id{=begins"a"&>"a5" | ="c"})"},
    {R"(SELECT T = "a]" PAR-DECR 2)", R"(SELECT T id{=begins"a"} by -2)"},
    {R"(SELECT T AVEC 7 <= "t" OR >= "t" AND AVEC 8 >= "p" OR = "")",
     R"(SELECT T where 7{<="t" | >="t"} AND 8{>="p" | =""})"},
    {R"(SELECT T AVEC 7 >= "a" AND <= "b" OR = "" AND < "z")", R"(SELECT T where 7{>="a"&<="b" | =""&<"z"})"},
    {R"(SELECT T SANS 7 = "a" OR = "b")", R"(SELECT T where !7{="a" | ="b"})"},
    {R"(SELECT T AVEC 1 = "a" OR AVEC 2 = "b" AND SANS 3 OR SANS 4)",
     R"(SELECT T where 1{="a"} OR 2{="b"} AND !3 OR !4)"},
    {R"(SELECT T AVEC 1="a"AND AVEC 2<>"b")", R"(SELECT T where 1{="a"} AND 2{<>"b"})"},
    {R"(SELECT T AVEC 1 < "a" AND <= "b" AND > "c" AND >= "d" AND <> "e" AND # "f")",
     R"(SELECT T where 1{<"a"&<="b"&>"c"&>="d"&<>"e"&<>"f"})"},
    {R"(SELECT T AVEC 1 = "[x]" OR # "[y]")", R"(SELECT T where 1{=contains"x" | <>contains"y"})"},
    {R"(SELECT T AVEC 1 = "]" OR = "[" OR = "[]" OR = "[]]" OR = "a]]")",
     R"(SELECT T where 1{="]" | ="[" | ="[]" | =contains"]" | =begins"a]"})"},
    {R"(SELECT T AVEC 1 = "a b ] [ c" OR = "AVEC 2 = x")",
     R"(SELECT T where 1{="a b ] [ c" | ="AVEC 2 = x"})"},
    {R"(SELECT T AVEC 0 = "" PAR 0 PAR @ID PAR Nom_2)", R"(SELECT T where 0{=""} by +0 +@ID +Nom_2)"},
    {R"(SELECT T AVEC 007 = "x")", R"(SELECT T where 7{="x"})"},
    {R"(SELECT CONTRAT.2024 AVEC 1 = "x")", R"(SELECT CONTRAT.2024 where 1{="x"})"},
};

TEST(QueryParse, LibraryQueriesGiveTheirTrees) {
    for (const ParseCase& c : kLibraryQueries) {
        SCOPED_TRACE(c.text);
        Query q;
        ASSERT_NO_THROW(q = ParseQuery(c.text));
        EXPECT_EQ(Render(q), c.tree);
    }
}

TEST(QueryParse, OtherFormsGiveTheirTrees) {
    for (const ParseCase& c : kOtherForms) {
        SCOPED_TRACE(c.text);
        Query q;
        ASSERT_NO_THROW(q = ParseQuery(c.text));
        EXPECT_EQ(Render(q), c.tree);
    }
}

// The rendering above hides nothing the evaluator uses: check one tree field
// by field.
TEST(QueryParse, TreeOfTheBrowserSearch) {
    Query q = ParseQuery(
        R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 7 <= "20650" OR >= "20650" OR AVEC NomAidantContrat = "DU]" PAR NomAidantContrat PAR-DECR 7)");
    EXPECT_TRUE(q.sorted);
    EXPECT_EQ(q.table, "CONTRAT");
    EXPECT_FALSE(q.idCond.has_value());
    ASSERT_EQ(q.groups.size(), 2u);
    ASSERT_EQ(q.groups[0].conds.size(), 2u);
    const Cond& seven = q.groups[0].conds[1];
    EXPECT_FALSE(seven.negated);
    EXPECT_EQ(seven.field.kind, FieldRef::Kind::Number);
    EXPECT_EQ(seven.field.number, 7);
    ASSERT_EQ(seven.alternatives.size(), 2u);
    ASSERT_EQ(seven.alternatives[1].size(), 1u);
    EXPECT_EQ(seven.alternatives[1][0].op, Op::Ge);
    EXPECT_EQ(seven.alternatives[1][0].match, Match::Whole);
    EXPECT_EQ(seven.alternatives[1][0].text, "20650");
    const Cond& name = q.groups[1].conds.at(0);
    EXPECT_EQ(name.field.kind, FieldRef::Kind::Name);
    EXPECT_EQ(name.field.name, "NomAidantContrat");
    EXPECT_EQ(name.alternatives.at(0).at(0).match, Match::Prefix);
    EXPECT_EQ(name.alternatives.at(0).at(0).text, "DU");
    ASSERT_EQ(q.sort.size(), 2u);
    EXPECT_FALSE(q.sort[0].descending);
    EXPECT_TRUE(q.sort[1].descending);
    EXPECT_EQ(q.sort[1].field.number, 7);

    Query id = ParseQuery(R"(SELECT T = "a]")");
    ASSERT_TRUE(id.idCond.has_value());
    EXPECT_EQ(id.idCond->field.kind, FieldRef::Kind::Id);
    EXPECT_TRUE(id.idCond->field.isKey());
    EXPECT_FALSE(id.sorted);
}

TEST(QueryParse, FieldsUsedListsEachFieldOnce) {
    Query q = ParseQuery(R"(SELECT T = "a]" AVEC 7 = "x" AND AVEC Nom OR AVEC 7 = "y" PAR Nom PAR 8)");
    std::string fields;
    for (const FieldRef& f : FieldsUsed(q))
        fields += Render(f) + " ";
    EXPECT_EQ(fields, "@ID 7 Nom 8 ");
}

struct BadCase {
    const char* text;
    std::size_t position;
    const char* token;
};

const BadCase kMalformed[] = {
    {"", 0, ""},                                                    // empty text
    {"   ", 3, ""},                                                 // blanks only
    {"select CONTRAT", 0, "select"},                                // keywords are upper-case
    {"LIST CONTRAT", 0, "LIST"},                                    // unknown command
    {"SELECT", 6, ""},                                              // missing table
    {R"(SELECT AVEC 1 = "a")", 7, "AVEC"},                          // keyword in place of the table
    {R"(SELECT "CONTRAT")", 7, R"("CONTRAT")"},                     // quoted table
    {"SELECT @ID", 7, "@ID"},                                       // not a table name
    {"SELECT CONTRAT AVEC", 19, ""},                                // AVEC without field
    {"SELECT CONTRAT SANS PAR 1", 20, "PAR"},                       // keyword in place of the field
    {"SELECT CONTRAT AVEC -1", 20, "-1"},                           // bad field
    {"SELECT CONTRAT AVEC 1x", 20, "1x"},                           // bad field
    {"SELECT CONTRAT AVEC _x", 20, "_x"},                           // bad dictionary name
    {"SELECT CONTRAT AVEC 1234567890", 20, "1234567890"},           // field number too large
    {"SELECT CONTRAT AVEC 1 =", 23, ""},                            // operator without value
    {"SELECT CONTRAT AVEC 1 = 02", 24, "02"},                       // unquoted value
    {R"(SELECT CONTRAT AVEC 1 = = "a")", 24, "="},                  // two operators
    {R"(SELECT CONTRAT AVEC 1 => "a")", 23, ">"},                   // no such operator
    {R"(SELECT CONTRAT AVEC 1 = "02)", 24, R"("02)"},               // unterminated quote
    {R"(SELECT CONTRAT AVEC 1 = "a" AND = "b)", 34, R"("b)"},       // unterminated quote, later
    {R"(SELECT CONTRAT OR = "x")", 15, "OR"},                       // short form with no previous field
    {R"(SELECT CONTRAT AND = "x")", 15, "AND"},                     // short form with no previous field
    {R"(SELECT CONTRAT AVEC 1 OR = "x")", 22, "OR"},                // short form after a presence test
    {R"(SELECT CONTRAT AVEC 1 = "a" PAR 2 OR = "b")", 34, "OR"},    // short form after the sort
    {R"(SELECT CONTRAT AVEC 1 < "[a]")", 24, R"("[a]")"},           // contains with an ordering operator
    {R"(SELECT CONTRAT = "a" AND >= "[b]")", 28, R"("[b]")"},       // the same in a short form
    {"SELECT CONTRAT PAR", 18, ""},                                 // PAR without field
    {"SELECT CONTRAT PAR-DECR AVEC 1", 24, "AVEC"},                 // PAR-DECR without field
    {R"(SELECT CONTRAT PAR 1 "x")", 21, R"("x")"},                  // junk after the sort
    {R"(SELECT CONTRAT AVEC 1 = "a" PAR 2 AVEC 3)", 34, "AVEC"},    // condition after the sort
    {R"(SELECT CONTRAT AVEC 1 = "a" "b")", 28, R"("b")"},           // value without operator
    {R"(SELECT CONTRAT AVEC 1 "a")", 22, R"("a")"},                 // presence test then a value
    {"SELECT CONTRAT avec 1", 15, "avec"},                          // unknown word
    {"SELECT CONTRAT AVEC @ID SANS 2", 24, "SANS"},                 // conditions not joined
    {R"(SELECT CONTRAT AVEC 1 = "a" AND)", 31, ""},                 // AND at the end
    {R"(SELECT CONTRAT AVEC 1 = "a" OR)", 30, ""},                  // OR at the end
    {R"(SELECT CONTRAT AVEC 1 = "a" AND 2 = "b")", 32, "2"},        // AND without AVEC
    {R"(SELECT CONTRAT AVEC 1 = "a" OR PAR 2)", 31, "PAR"},         // OR without AVEC
    {R"(SELECT CONTRAT AND AVEC 1 = "a")", 15, "AND"},              // AND with nothing before
    {R"(SELECT CONTRAT = "a]" AND AVEC 1 = "b")", 22, "AND"},       // key condition then AND
    {R"(SELECT CONTRAT = "a]" OR AVEC 1 = "b")", 22, "OR"},         // key condition then OR
    {R"(SELECT CONTRAT = )", 17, ""},                               // key condition without value
    {R"(SELECT CONTRAT AVEC 1 = "a" AND AVEC 2 = "b" X)", 45, "X"}, // trailing word
};

TEST(QueryParse, MalformedTextsAreRejectedWhereTheyGoWrong) {
    for (const BadCase& c : kMalformed) {
        SCOPED_TRACE(c.text);
        try {
            ParseQuery(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const QuerySyntaxError& e) {
            EXPECT_EQ(e.position(), c.position) << e.what();
            EXPECT_EQ(e.token(), c.token) << e.what();
            EXPECT_FALSE(e.reason().empty());
            EXPECT_EQ(e.number(), QuerySyntaxError::Number);
        }
    }
}

TEST(QueryParse, ErrorMessageNamesPositionAndToken) {
    try {
        ParseQuery(R"(SSELECT CONTRAT AVEC 1 = 02)");
        FAIL() << "accepted";
    } catch (const QuerySyntaxError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("25"), std::string::npos) << message;
        EXPECT_NE(message.find("02"), std::string::npos) << message;
    }
}

} // namespace
} // namespace dba
