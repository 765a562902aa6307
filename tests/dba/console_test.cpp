// The arbel-db console, run as a separate process on a real database file
// in a temporary directory, as support staff and scripts use it.
#include "dba/database.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

    // Runs arbel-db as another user (empty: this process's user).
    RunResult Run(const std::vector<std::string>& args, const std::string& asUser = {}) {
        const std::string outPath = (dir_ / "stdout.txt").string();
        const std::string errPath = (dir_ / "stderr.txt").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::vector<std::string> words{ARBEL_DB_EXE};
        if (!asUser.empty())
            words = {"/usr/sbin/runuser", "-u", asUser, "--", ARBEL_DB_EXE};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        RunResult result;
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, words[0].c_str(), &actions, nullptr, argv.data(), environ);
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
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"02"})",
         "ligne 3, colonne 56 : JSON incorrect (« } » attendu)"},
        {R"({"table":"CONTRAT","fields":{"1":"02"}})", "ligne 3 : membre « key » manquant"},
        {R"({"key":"1","fields":{}})", "ligne 3 : membre « table » manquant"},
        {R"({"table":"INCONNUE","key":"1","fields":{}})", "ligne 3 : table inexistante : INCONNUE"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"7":21000}})", "ligne 3 : champ 7"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"07":"21000"}})", "ligne 3 : nom de champ « 07 »"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"24":[["a",["b"]]]}})", "ligne 3 : champ 24"},
        {"{\"table\":\"CONTRAT\",\"key\":\"00012002\",\"fields\":{\"1\":\"\xC3\"}}",
         "ligne 3, colonne 52 : JSON incorrect (texte qui n'est pas de l'UTF-8 valide)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"\ud800"}})", "(surrogate UTF-16 isolé)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{},"fields":{}})",
         "ligne 3, colonne 49 : JSON incorrect (membre « fields » en double)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{}} {})", "(texte en trop après la valeur JSON)"},
        {"{\"table\":\"CONTRAT\",\"key\":\"0001\t2002\",\"fields\":{}}",
         "(caractère de contrôle dans un texte)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"\x"}})", "(échappement inconnu)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":tru}})", "(valeur JSON attendue)"},
        {R"({"table":"CONTRAT","key":"00012002","fields":{"1":"02",}})", "(nom de membre attendu)"},
        {R"({"table":"CONTRAT","key" "00012002","fields":{}})", "(« : » attendu)"},
        {std::string(70, '[') + std::string(70, ']'), "(imbrication trop profonde)"},
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

bool Exists(const std::string& path) {
    return fs::exists(path);
}

TEST_F(ConsoleTest, AFileThatIsNotOursIsRefusedAndLeftByteForByte) {
    struct Case {
        const char* name;
        const char* sql; // run by another program on a new SQLite file; nullptr: raw content
        std::string content;
    };
    const std::vector<Case> cases = {
        {"empty file", nullptr, ""},
        {"text file", nullptr, "nom;prénom\nDupré;Ána\n"},
        {"another program's base", "CREATE TABLE clients (nom TEXT); INSERT INTO clients VALUES ('Dupré');",
         ""},
        {"another program's base in WAL mode",
         "PRAGMA journal_mode = WAL; CREATE TABLE clients (nom TEXT); INSERT INTO clients VALUES ('Dupré');",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = (dir_ / "autre.db").string();
        fs::remove(path);
        if (c.sql) {
            sqlite3* other = nullptr;
            ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
            ASSERT_EQ(sqlite3_exec(other, c.sql, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(other);
        } else {
            WriteFile("autre.db", c.content);
        }
        const std::string before = ReadFile(path);
        for (const std::vector<std::string>& command : {std::vector<std::string>{path, "tables"},
                                                        {path, "set", "CONTRAT", "1", "1", "x"},
                                                        {path, "check"}}) {
            RunResult r = Run(command);
            EXPECT_EQ(r.exitCode, 1) << command[1];
            EXPECT_NE(r.err.find("n'est pas une base de données"), std::string::npos) << r.err;
        }
        EXPECT_EQ(ReadFile(path), before) << "the file was changed";
        EXPECT_FALSE(Exists(path + "-wal") || Exists(path + "-shm") || Exists(path + "-journal"));
    }
}

TEST_F(ConsoleTest, ADamagedBaseRefusesWritesAndAnExportNeverLooksComplete) {
    CreateBase();
    std::string lines;
    for (int i = 1; i <= 3000; ++i)
        lines += R"({"table":"CONTRAT","key":"K)" + std::to_string(100000 + i) + R"(","fields":{"1":")" +
                 std::string(200, 'a' + i % 26) + "\"}}\n";
    Ok({"import", WriteFile("gros.jsonl", lines)});
    {
        // 8 KiB overwritten in the middle of the file, as a failing disk does.
        std::fstream file(db_, std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(0, std::ios::end);
        const std::streamoff middle = file.tellg() / 2 / 4096 * 4096;
        file.seekp(middle);
        const std::string garbage(8192, '\x55');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    const std::string copy = (dir_ / "copie.db").string();
    fs::copy_file(db_, copy);
    const auto says_damaged = [](const RunResult& r) {
        return r.err.find("endommagée") != std::string::npos && r.err.find("check") != std::string::npos &&
               r.err.find("restaurez la dernière sauvegarde") != std::string::npos;
    };

    // Met while reading: the export says so in its last line, and exits 1.
    RunResult exported = Db({"export", "CONTRAT"});
    EXPECT_EQ(exported.exitCode, 1);
    EXPECT_TRUE(says_damaged(exported)) << exported.err;
    const std::size_t last = exported.out.rfind('\n', exported.out.size() - 2);
    EXPECT_EQ(exported.out.compare(last == std::string::npos ? 0 : last + 1, 18, "# EXPORT INCOMPLET"), 0)
        << exported.out.substr(exported.out.size() > 300 ? exported.out.size() - 300 : 0);
    const std::string partial = WriteFile("partiel.jsonl", exported.out);
    const std::string fresh = (dir_ / "neuve.db").string();
    ASSERT_EQ(Run({fresh, "create"}).exitCode, 0);
    RunResult imported = Run({fresh, "import", partial, "--create-tables"});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_NE(imported.err.find("export qui n'a pas pu finir"), std::string::npos) << imported.err;
    // Into a file: nothing at all, not even a temporary file.
    const std::string target = (dir_ / "export.jsonl").string();
    EXPECT_EQ(Db({"export", "--output", target}).exitCode, 1);
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().filename().string().rfind("export.jsonl", 0), std::string::npos)
            << entry.path();

    // From then on nothing is written, by any later command either.
    for (const std::string& base : {db_, copy}) {
        SCOPED_TRACE(base);
        if (base == copy) {
            RunResult check = Run({copy, "check"}); // found by a check this time
            EXPECT_EQ(check.exitCode, 1);
            EXPECT_TRUE(says_damaged(check)) << check.err;
        }
        for (const std::vector<std::string>& write :
             {std::vector<std::string>{base, "set", "CONTRAT", "K100001", "2", "x"},
              {base, "create-table", "AUTRE"},
              {base, "import",
               WriteFile("un.jsonl", R"({"table":"CIVILAIDANT","key":"1","fields":{"1":"x"}})")}}) {
            RunResult r = Run(write);
            EXPECT_EQ(r.exitCode, 1) << write[1];
            EXPECT_NE(r.err.find("DatabaseDamaged"), std::string::npos) << r.err;
            EXPECT_TRUE(says_damaged(r)) << r.err;
        }
        EXPECT_EQ(Run({base, "tables"}).out, "CIVILAIDANT\nCONTRAT\n");
    }
}

TEST_F(ConsoleTest, AReadOnlyFolderOrFileIsReadAndWritesSayWhatToChange) {
    // Permissions bind any user but root: as root, run as "nobody".
    std::string user;
    if (::getuid() == 0) {
        if (!::getpwnam("nobody") || !Exists("/usr/sbin/runuser"))
            GTEST_SKIP()
                << "running as root without a user \"nobody\" and runuser: permissions cannot be tried";
        user = "nobody";
    }
    CreateBase();
    Ok({"set", "CONTRAT", "00012001", "7", "21000"});
    struct Case {
        const char* name;
        fs::perms folder, file;
        const char* says;
    };
    const fs::perms rx = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                         fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    const fs::perms readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const std::vector<Case> cases = {
        {"read-only folder", rx,
         fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec),
         "le dossier"},
        {"read-only file", fs::perms::all, readable, "le fichier n'est pas modifiable"},
        {"both", rx, readable, "ni le fichier ni son dossier"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::permissions(db_, c.file);
        fs::permissions(dir_, c.folder);
        EXPECT_EQ(Run({db_, "tables"}, user).out, "CIVILAIDANT\nCONTRAT\n");
        EXPECT_EQ(Run({db_, "show", "CONTRAT", "00012001"}, user).out, "00: 00012001\n07: 21000\n");
        RunResult r = Run({db_, "set", "CONTRAT", "00012001", "7", "1"}, user);
        EXPECT_EQ(r.exitCode, 1);
        for (const char* part :
             {"est en lecture seule", c.says, "droit d'écriture", "Rien n'a été écrit", "DatabaseReadOnly"})
            EXPECT_NE(r.err.find(part), std::string::npos) << part << "\n" << r.err;
        EXPECT_EQ(r.err.find("INSERT"), std::string::npos) << r.err;
        EXPECT_FALSE(Exists(db_ + "-wal") || Exists(db_ + "-shm")) << "left behind in the folder";
        fs::permissions(dir_, fs::perms::all);
        fs::permissions(db_, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(Ok({"show", "CONTRAT", "00012001"}), "00: 00012001\n07: 21000\n");
    }
    if (user.empty())
        return; // the owner may write: the case below needs another user
    // The owner may still write while this user reads: reading without
    // SQLite's locks could see a half-written page, so reading is refused
    // with what to change.
    fs::permissions(db_, fs::perms::owner_read | fs::perms::owner_write | readable);
    fs::permissions(dir_, fs::perms::owner_all | rx);
    const RunResult r = Run({db_, "show", "CONTRAT", "00012001"}, user);
    fs::permissions(dir_, fs::perms::all);
    EXPECT_EQ(r.exitCode, 1);
    for (const char* part :
         {"ne peut pas être lue", "d'autres peuvent y écrire", "droit d'écriture sur ce dossier"})
        EXPECT_NE(r.err.find(part), std::string::npos) << part << "\n" << r.err;
}

TEST_F(ConsoleTest, BadBytesAreRefusedWithTheirPosition) {
    CreateBase();
    Ok({"set", "CONTRAT", "00012001", "7", "21000"});
    struct Case {
        std::vector<std::string> command;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"set", "CONTRAT", "00012001", "7",
          "a\xFD"
          "b"},
         "séparateur de valeurs (0xFD) à l'octet 2"},
        {{"set", "CONTRAT", "00012001", "7.1", "\xFCx"}, "séparateur de sous-valeurs (0xFC) à l'octet 1"},
        {{"set", "CONTRAT", "00012001", "7", "ok\xC3("}, "octet 0xC3 qui n'est pas de l'UTF-8 à l'octet 3"},
        {{"set", "CONTRAT", "0001\xFE", "7", "x"}, "Clé refusée : séparateur de champs (0xFE) à l'octet 5"},
        {{"query", "SELECT CONTRAT AVEC 7 = \"\xFD\""}, "position 25"},
        {{"query", "SELECT CONTRAT AVEC 7 = \"21\xE9\""}, "position 27"},
        {{"import", WriteFile("nul.jsonl", R"({"table":"CONTRAT","key":"0001\u0000","fields":{"1":"x"}})")},
         "ligne 1 : membre « key » : caractère nul à l'octet 5"},
        {{"import",
          WriteFile("nul2.jsonl", R"({"table":"CONTRAT","key":"0001","fields":{"1":["x","a\u0000"]}})")},
         "ligne 1 : champ 1 : caractère nul à l'octet 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        RunResult r = Db(c.command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find_first_of("\xFC\xFD\xFE\xE9"), std::string::npos)
            << "raw bytes echoed: " << r.err;
    }
    EXPECT_EQ(Ok({"show", "CONTRAT", "00012001"}), "00: 00012001\n07: 21000\n");
    EXPECT_EQ(Ok({"query", "SELECT CONTRAT"}), "00012001\n");
}

TEST_F(ConsoleTest, ImportOfAFolderIsRefused) {
    CreateBase();
    fs::create_directory(dir_ / "dossier");
    RunResult r = Db({"import", (dir_ / "dossier").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("est un dossier"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(ConsoleTest, MessagesStayOneShortLineWhateverTheyQuote) {
    CreateBase();
    struct Case {
        const char* name;
        std::vector<std::string> command;
        int exitCode;
        std::size_t lines; // a usage error adds its usage line
    };
    const std::vector<Case> cases = {
        {"unterminated quote of 120 KB",
         {"query", "SELECT CONTRAT AVEC 1 = \"" + std::string(120 * 1024, 'x')},
         1,
         1},
        {"unknown name of 120 KB",
         {"query", "SELECT CONTRAT AVEC " + std::string(120 * 1024, 'y') + " = \"1\""},
         1,
         1},
        {"newline in a command name", {"commande\ninconnue"}, 2, 2},
        {"newline in an address", {"set", "CONTRAT", "1", "7\n8", "x"}, 2, 2},
        {"key of 120 KB with a tab", {"show", "CONTRAT", std::string(120 * 1024, 'k') + "\t"}, 1, 1},
        {"JSON member of 120 KB",
         {"import", WriteFile("long.jsonl", R"({"table":"CONTRAT","key":"1","fields":{},")" +
                                                std::string(120 * 1024, 'm') + R"(":1})")},
         1,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunResult r = Db(c.command);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_LT(r.err.size(), 700u) << r.err.substr(0, 800);
        EXPECT_EQ(static_cast<std::size_t>(std::count(r.err.begin(), r.err.end(), '\n')), c.lines) << r.err;
        EXPECT_EQ(r.err.find('\t'), std::string::npos) << r.err;
    }
}

} // namespace
