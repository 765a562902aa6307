// The arbel-db console, run as a separate process on a real database file
// in a temporary directory, as support staff and scripts use it.
#include "dba/database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitCode = -1; // 128 + signal when the process was killed
    std::string out, err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "arbel-db-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        db_ = (dir_ / "base.db").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    RunResult Run(const std::vector<std::string>& args) {
        const std::string outPath = (dir_ / "stdout.txt").string();
        const std::string errPath = (dir_ / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> words{ARBEL_DB_EXE};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        RunResult result;
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, ARBEL_DB_EXE, &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << ARBEL_DB_EXE;
            return result;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = ReadFile(outPath);
        result.err = ReadFile(errPath);
        return result;
    }

    // arbel-db <database> args...
    RunResult Db(std::vector<std::string> args) {
        args.insert(args.begin(), db_);
        return Run(args);
    }

    // Runs a command that must succeed and returns its output.
    std::string Ok(const std::vector<std::string>& args) {
        RunResult r = Db(args);
        EXPECT_EQ(r.exitCode, 0) << "arbel-db " << args.front() << ": " << r.err;
        return r.out;
    }

    std::string WriteFile(const std::string& name, const std::string& content) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    void CreateBase() {
        Ok({"create"});
        Ok({"create-table", "CONTRAT"});
        Ok({"create-table", "CIVILAIDANT"});
    }

    fs::path dir_;
    std::string db_;
};

// Canonical export form: fields in numeric order, a value with subvalues as
// an array, trailing empty field 40 kept, non-ASCII text as UTF-8.
const std::string ContratLines =
    R"({"table":"CONTRAT","key":"00012001","fields":{"1":"02","2":"A01","3":"10001","4":"I","7":"21000","24":["3500","3000"]}})"
    "\n"
    R"({"table":"CONTRAT","key":"00012002","fields":{"1":"02","3":"10001","7":"20000","8":"20500","65":"O"}})"
    "\n"
    R"({"table":"CONTRAT","key":"00013001","fields":{"1":"01","3":"A01B02","7":"19000","30":[["a","b"],"c",""],"40":""}})"
    "\n"
    R"({"table":"CONTRAT","key":"00014001","fields":{"1":"02","3":"10001","4":"D","7":"20800"}})"
    "\n";
const std::string AidantLines =
    R"({"table":"CIVILAIDANT","key":"00012","fields":{"2":"Lefèvre","3":"Zoé \"Zo\"\tbis","31":"A01"}})"
    "\n"
    R"({"table":"CIVILAIDANT","key":"00014","fields":{"2":"Dupré","3":"Ána","31":"A01"}})"
    "\n";

TEST_F(ConsoleTest, ImportQueryAndExportRoundTripExactly) {
    CreateBase();
    const std::string file = WriteFile("in.jsonl", AidantLines + ContratLines);
    EXPECT_EQ(Ok({"import", file}), "6 enregistrement(s) importé(s)\n");

    EXPECT_EQ(Ok({"export", "CONTRAT"}), ContratLines);
    EXPECT_EQ(Ok({"export", "CIVILAIDANT"}), AidantLines);

    const std::string browse =
        R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "10001" AND AVEC 65 <> "O" PAR 7)";
    EXPECT_EQ(Ok({"query", browse, "--fields", "0 7 8 24", "--json"}),
              "[\"00014001\",\"20800\",\"\",\"\"]\n"
              "[\"00012001\",\"21000\",\"\",[\"3500\",\"3000\"]]\n");
    EXPECT_EQ(Ok({"query", browse, "--fields=0 7 8 24"}), "00014001\t20800\t\t\n"
                                                          "00012001\t21000\t\t3500 | 3000\n");
    EXPECT_EQ(Ok({"query", R"(SELECT CONTRAT AVEC 30 = "c")", "--fields", "30", "--json"}),
              "[[[\"a\",\"b\"],\"c\",\"\"]]\n");
    EXPECT_EQ(Ok({"query", R"(SELECT CONTRAT AVEC 1 = "99")", "--json"}), "");

    // A translation through the dictionary, as the browser sorts by name.
    Ok({"dict-set", "CONTRAT", "NomAidantContrat", R"(T 1 5 2 "CIVILAIDANT" "")"});
    EXPECT_EQ(Ok({"dict", "CONTRAT"}), "NomAidantContrat\tT 1 5 2 \"CIVILAIDANT\" \"\"\n");
    EXPECT_EQ(Ok({"query", R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 65 <> "O" PAR NomAidantContrat)",
                  "--fields", "0 NomAidantContrat"}),
              "00014001\tDupré\n00012001\tLefèvre\n");

    // The whole export, imported into a new base, gives the same records byte for byte.
    const std::string copy = WriteFile("all.jsonl", Ok({"export"}));
    const std::string db2 = (dir_ / "copie.db").string();
    ASSERT_EQ(Run({db2, "create"}).exitCode, 0);
    RunResult imported = Run({db2, "import", copy, "--create-tables"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(Run({db2, "export", "CONTRAT"}).out, ContratLines);
    EXPECT_EQ(Run({db2, "export", "CIVILAIDANT"}).out, AidantLines);
    const dba::Database a = dba::Database::Open(db_), b = dba::Database::Open(db2);
    for (const char* key : {"00012001", "00012002", "00013001", "00014001"})
        EXPECT_EQ(a.OpenTable("CONTRAT").ReadRecord(key).Item(),
                  b.OpenTable("CONTRAT").ReadRecord(key).Item())
            << key;
}

TEST_F(ConsoleTest, ShowSetAndDeleteARecord) {
    CreateBase();
    struct Step {
        std::vector<std::string> command;
        std::string show; // `show CONTRAT 00012001` afterwards
    };
    const std::vector<Step> steps = {
        {{"set", "CONTRAT", "00012001", "7", "21000"}, "00: 00012001\n07: 21000\n"},
        {{"set", "CONTRAT", "00012001", "24.2", "3000"}, "00: 00012001\n07: 21000\n24:  | 3000\n"},
        {{"set", "CONTRAT", "00012001", "24.1", "3500"}, "00: 00012001\n07: 21000\n24: 3500 | 3000\n"},
        {{"set", "CONTRAT", "00012001", "30.1.2", "b"},
         "00: 00012001\n07: 21000\n24: 3500 | 3000\n30:  ; b\n"},
        {{"set", "CONTRAT", "00012001", "7", ""}, "00: 00012001\n24: 3500 | 3000\n30:  ; b\n"},
        {{"set", "CONTRAT", "00012001", "1", "Élève"},
         "00: 00012001\n01: Élève\n24: 3500 | 3000\n30:  ; b\n"},
    };
    for (const auto& step : steps) {
        Ok(step.command);
        EXPECT_EQ(Ok({"show", "CONTRAT", "00012001"}), step.show) << step.command[3];
    }
    EXPECT_EQ(
        Ok({"show", "CONTRAT", "00012001", "--json"}),
        R"({"table":"CONTRAT","key":"00012001","fields":{"1":"Élève","24":["3500","3000"],"30":[["","b"]]}})"
        "\n");

    Ok({"delete", "CONTRAT", "00012001"});
    for (const auto& command : std::vector<std::vector<std::string>>{{"show", "CONTRAT", "00012001"},
                                                                     {"delete", "CONTRAT", "00012001"}}) {
        RunResult r = Db(command);
        EXPECT_EQ(r.exitCode, 1) << command[0];
        EXPECT_NE(r.err.find("RecordNotFound"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    RunResult r = Db({"show", "AUCUNE", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("TableNotFound"), std::string::npos) << r.err;
}

TEST_F(ConsoleTest, MalformedQueryNamesPositionAndToken) {
    CreateBase();
    RunResult r = Db({"query", R"(SSELECT CONTRAT AVEC 1 = "02" ET 3 = "x")"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("QuerySyntaxError"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("position 30"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("« ET »"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line, no trace: " << r.err;
}

TEST_F(ConsoleTest, BadImportLineRejectsTheWholeFile) {
    CreateBase();
    const std::string good1 = R"({"table":"CONTRAT","key":"00012001","fields":{"1":"02"}})";
    const std::string good2 = R"({"table":"CIVILAIDANT","key":"00012","fields":{"2":"Nom"}})";
    const std::string good4 = R"({"table":"CONTRAT","key":"00012009","fields":{"1":"02"}})";
    struct Case {
        std::string badLine;
        std::string expected; // in the message
    };
    const std::vector<Case> cases = {
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"02"})", "ligne 3, colonne 56"},
        {R"({"table":"CONTRAT","fields":{"1":"02"}})", "ligne 3 : membre « key » manquant"},
        {R"({"key":"1","fields":{}})", "ligne 3 : membre « table » manquant"},
        {R"({"table":"INCONNUE","key":"1","fields":{}})", "ligne 3 : table inexistante : INCONNUE"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"7":21000}})", "ligne 3 : champ 7"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"07":"21000"}})", "ligne 3 : nom de champ « 07 »"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"24":[["a",["b"]]]}})", "ligne 3 : champ 24"},
        {"{\"table\":\"CONTRAT\",\"key\":\"00012002\",\"fields\":{\"1\":\"\xC3\"}}", "ligne 3, colonne 52"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"\ud800"}})", "ligne 3, colonne"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{},"fields":{}})", "ligne 3, colonne"},
        {R"({"table":"CONTRAT","key":"00012001","fields":{"1":"01"}})", "déjà donné ligne 1"},
        {R"(["CONTRAT","00012002"])", "ligne 3 : une ligne doit être un objet"},
        {R"({"table":"CONTRAT","key":"","fields":{}})", "ligne 3 : membre « key »"},
        {R"({"table":"CONTRAT","key":"1","fields":{},"champs":{}})", "ligne 3 : membre « champs » inconnu"},
    };
    for (const auto& c : cases) {
        const std::string file =
            WriteFile("bad.jsonl", good1 + "\n" + good2 + "\n" + c.badLine + "\n" + good4);
        RunResult r = Db({"import", file});
        EXPECT_EQ(r.exitCode, 1) << c.badLine;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.badLine << "\n" << r.err;
        EXPECT_EQ(Ok({"query", "SELECT CONTRAT"}), "") << c.badLine;
        EXPECT_EQ(Ok({"query", "SELECT CIVILAIDANT"}), "") << c.badLine;
    }
}

TEST_F(ConsoleTest, ImportFailingInsideTheTransactionWritesNothing) {
    CreateBase();
    // Another session holds the lock of the third record: the first two are
    // written, then the write of the third fails and everything rolls back,
    // including the table created on the way.
    dba::Database other = dba::Database::Open(db_);
    other.SetUserName("editeur");
    try {
        other.OpenTable("CONTRAT").ReadRecordLocked("00012003");
    } catch (const dba::RecordNotFound&) {
        // the lock is kept for a missing record
    }
    const std::string file =
        WriteFile("in.jsonl", R"({"table":"NOUVELLE","key":"1","fields":{"1":"x"}})"
                              "\n"
                              R"({"table":"CONTRAT","key":"00012001","fields":{"1":"02"}})"
                              "\n"
                              R"({"table":"CONTRAT","key":"00012003","fields":{"1":"02"}})"
                              "\n");
    RunResult r = Db({"import", file, "--create-tables"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("ligne 3"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("RecordLocked"), std::string::npos) << r.err;
    EXPECT_EQ(Ok({"query", "SELECT CONTRAT"}), "");
    EXPECT_EQ(Ok({"tables"}), "CIVILAIDANT\nCONTRAT\n");
}

TEST_F(ConsoleTest, UsageErrorsExitTwoWithAUsageLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"base.db"},
        {"base.db", "frobnicate"},
        {"base.db", "show", "CONTRAT"},
        {"base.db", "show", "CONTRAT", "1", "2"},
        {"base.db", "query", "SELECT CONTRAT", "--fields"},
        {"base.db", "query", "SELECT CONTRAT", "--colonnes", "0"},
        {"base.db", "query", "SELECT CONTRAT", "--json", "--json"},
        {"base.db", "query", "SELECT CONTRAT", "--fields", " "},
        {"base.db", "set", "CONTRAT", "1", "7.x", "v"},
        {"base.db", "set", "CONTRAT", "1", "0", "v"},
        {"base.db", "set", "CONTRAT", "1", "1.2.3.4", "v"},
        {"base.db", "create", "--json"},
    };
    for (const auto& args : cases) {
        RunResult r = Run(args);
        const std::string shown = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(r.exitCode, 2) << shown;
        EXPECT_EQ(r.err.rfind("arbel-db: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: arbel-db FILE"), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(dir_ / "base.db")) << "a usage error must not create the file";

    RunResult help = Run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"create", "create-table", "tables", "query", "show", "set", "delete",
                                "import", "export", "dict", "dict-set", "index", "indexes", "check"}) {
        const std::string head = std::string("\n  ") + command;
        const bool listed =
            help.out.find(head + " ") != std::string::npos || help.out.find(head + "\n") != std::string::npos;
        EXPECT_TRUE(listed) << command;
    }
}

TEST_F(ConsoleTest, DataErrorsOnTheFileItself) {
    RunResult r = Db({"tables"});
    EXPECT_EQ(r.exitCode, 1) << "missing file";
    EXPECT_NE(r.err.find("StorageError"), std::string::npos) << r.err;
    Ok({"create"});
    r = Db({"create"});
    EXPECT_EQ(r.exitCode, 1) << "existing file";
    EXPECT_NE(r.err.find("StorageError"), std::string::npos) << r.err;
    r = Db({"import", (dir_ / "absent.jsonl").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("absent.jsonl"), std::string::npos) << r.err;
}

TEST_F(ConsoleTest, CheckPassesOnAConsistentIndexedBase) {
    CreateBase();
    Ok({"import", WriteFile("in.jsonl", AidantLines + ContratLines)});
    Ok({"index", "CONTRAT", "3"});
    Ok({"index", "CONTRAT", "2"});
    EXPECT_EQ(Ok({"indexes", "CONTRAT"}), "2\n3\n");
    Ok({"set", "CONTRAT", "00012002", "3", "10002"}); // the index follows the write
    RunResult r = Db({"check"});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "base cohérente\n");
    EXPECT_EQ(Ok({"query", R"(SELECT CONTRAT AVEC 3 = "10002")"}), "00012002\n");
}

} // namespace
