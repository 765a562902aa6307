// Several workstations on one PostgreSQL database, each a process of its
// own running the browser and the contract editor offscreen, saving with OK
// as a user does: no save is lost, a contract being saved by one is refused
// to the others with its holder's name, and a killed workstation's lock is
// gone at once.
//
// The workstations are this test program started again on
// EditorWorkstation.Poste with ARBEL_POSTE_* set; run by hand, that test
// has nothing to do and is skipped.
#include "editor_fixture.h"

#include "data/tables.h"
#include "dba/copy.h"
#include "dba/storage_fixture.h"

#include <QLineEdit>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using data::tables::CONTRAT;
using data::tables::DETAILCALCUL;

const std::string ContratA = "50001001", ContratB = "50002001";
constexpr int Postes = 3, Rounds = 5;

const QString ModifieAilleurs = QStringLiteral(
    "Ce contrat a été modifié sur un autre poste depuis son ouverture. Vos modifications ne peuvent pas être "
    "enregistrées : fermez le contrat puis ouvrez-le de nouveau.");
QString Verrouille(const std::string& holder) {
    return QStringLiteral("Ce contrat est en cours de modification sur un autre poste (") +
           QString::fromStdString(holder) + QStringLiteral("). Veuillez réessayer dans quelques instants.");
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A workstation's user reads every message and answers as a user who
// gives up a refused save: "Non" to the question of saving on leaving.
class UserAnswers : public ui::Messages {
public:
    ui::Answer Show(const QString& text, ui::Buttons buttons, ui::Icon, ui::DefaultButton) override {
        shown << text;
        return buttons == ui::Buttons::Ok ? ui::Answer::Ok : ui::Answer::No;
    }
    void Beep() override {}
    QStringList shown;
};

// Started with ARBEL_POSTE_DB (where), ARBEL_POSTE (its user name),
// ARBEL_POSTE_CONTRATS (the contracts it saves, in turn) and
// ARBEL_POSTE_RAPPORT (where it reports): one line per save tried,
//   "saved <contract> <text opened> <text saved>" or
//   "refused <contract> <message>".
// With ARBEL_POSTE_TENIR it holds the lock of ARBEL_POSTE_CONTRATS through
// the engine, reports "ready" and waits to be killed.
class EditorWorkstation : public EditorTest {
protected:
    void SetUp() override {
        if (Env("ARBEL_POSTE_DB").empty())
            GTEST_SKIP() << "lancé par EditorWorkstations comme poste de travail";
        lib.db = dba::Database::Open(Env("ARBEL_POSTE_DB"));
        lib.db.SetUserName(Env("ARBEL_POSTE"));
        report_.open(Env("ARBEL_POSTE_RAPPORT"), std::ios::app);
        previous_ = ui::setMessages(&user_);
    }
    void TearDown() override {
        if (previous_)
            ui::setMessages(previous_);
    }

    void Report(const std::string& line) {
        report_ << line << std::endl;
    }

    // Opens `key` from the browser, changes its minimum duration to `tag`
    // and clicks OK; a refused save is left with Retour.
    void Save(const std::string& key, const std::string& tag) {
        const int row = ListedKeys().indexOf(QString::fromStdString(key));
        ASSERT_GE(row, 0) << key;
        scripted.modal.onNext("Frm_ElementsContrat", [&](QDialog& dialog) {
            auto& editor = dynamic_cast<Frm_ElementsContrat&>(dialog);
            QLineEdit* duree = child<QLineEdit>(editor, "Txt_DureeMinContrat");
            const std::string opened = duree->text().toStdString();
            duree->setText(QString::fromStdString(tag));
            user_.shown.clear();
            ClickButton(editor, "Cmd_OK");
            if (!editor.isVisible()) {
                EXPECT_TRUE(user_.shown.isEmpty()) << user_.shown.join('\n').toStdString();
                Report("saved " + key + " " + opened + " " + tag);
                return;
            }
            EXPECT_EQ(user_.shown.size(), 1) << user_.shown.join('\n').toStdString();
            Report("refused " + key + " " + user_.shown.value(0).toStdString());
            ClickButton(editor, "Cmd_Retour");
            EXPECT_FALSE(editor.isVisible());
        });
        QListWidget* lines = child<QListWidget>(*browser, "Lst_AidantContrat");
        const QPoint at = lines->visualItemRect(lines->item(row)).center();
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, at);
        scripted.modal.verify();
    }

    UserAnswers user_;
    ui::Messages* previous_ = nullptr;
    std::ofstream report_;
};

TEST_F(EditorWorkstation, Poste) {
    const QStringList contracts = QString::fromStdString(Env("ARBEL_POSTE_CONTRATS")).split(',');
    if (!Env("ARBEL_POSTE_TENIR").empty()) {
        lib.db.OpenTable(CONTRAT).ReadRecordLocked(contracts.value(0).toStdString());
        Report("ready");
        for (;;)
            ::pause();
    }
    OpenBrowser();
    for (int round = 0; round < contracts.size(); ++round) {
        Save(contracts[round].toStdString(), Env("ARBEL_POSTE") + "-" + std::to_string(round));
        if (HasFatalFailure())
            return;
    }
}

// --- the workstations, seen from the office's server ---

struct Attempt {
    bool saved = false;
    std::string contract, opened, tag, message;
};

class EditorWorkstations : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // A second helper with a contract of her own for the same beneficiary.
        lib.Put(data::tables::CIVILAIDANT, "50002", {{2, "BERNARD"}, {3, "Anne"}, {31, "001"}});
        dba::Record a = lib.db.OpenTable(CONTRAT).ReadRecord(ContratA);
        a.SetItem(62, "initiale"); // the minimum duration each save changes
        a.DBWrite();
        dba::Record b = lib.db.OpenTable(CONTRAT).NewRecord(ContratB);
        b.SetRecord(a.Item());
        b.DBWrite();
        lib.Put(DETAILCALCUL, ContratB + "202611", {{1, "F"}});
        location_ = place_.Location("postes");
        dba::CopyDatabase(lib.db, location_);
    }
    void TearDown() override {
        for (pid_t pid : running_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    // Starts a workstation; its report and its output go to files named
    // after it.
    pid_t Start(const std::string& user, const std::string& contracts, bool hold = false) {
        const std::string report = dir_.File(user + ".rapport"), log = dir_.File(user + ".log");
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e)
            env.emplace_back(*e);
        env.push_back("ARBEL_POSTE_DB=" + location_);
        env.push_back("ARBEL_POSTE=" + user);
        env.push_back("ARBEL_POSTE_CONTRATS=" + contracts);
        env.push_back("ARBEL_POSTE_RAPPORT=" + report);
        if (hold)
            env.push_back("ARBEL_POSTE_TENIR=1");
        std::vector<char*> envp;
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = "/proc/self/exe", filter = "--gtest_filter=EditorWorkstation.Poste";
        char* argv[] = {program.data(), filter.data(), nullptr};
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
        pid_t pid = -1;
        const int rc = ::posix_spawn(&pid, argv[0], &files, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&files);
        EXPECT_EQ(rc, 0);
        if (rc == 0)
            running_.insert(pid);
        return pid;
    }

    // Waits for a workstation's end; true when its test passed.
    bool Finished(pid_t pid, const std::string& user) {
        int status = -1;
        ::waitpid(pid, &status, 0);
        running_.erase(pid);
        const bool passed = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!passed) {
            std::ifstream in(dir_.File(user + ".log"));
            ADD_FAILURE() << user << " a échoué :\n" << in.rdbuf();
        }
        return passed;
    }

    std::vector<std::string> Lines(const std::string& user) {
        std::ifstream in(dir_.File(user + ".rapport"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    std::vector<Attempt> Attempts(const std::string& user) {
        std::vector<Attempt> attempts;
        for (const std::string& line : Lines(user)) {
            std::istringstream in(line);
            Attempt a;
            std::string word;
            in >> word >> a.contract;
            a.saved = word == "saved";
            if (a.saved)
                in >> a.opened >> a.tag;
            else
                std::getline(in >> std::ws, a.message);
            attempts.push_back(a);
        }
        return attempts;
    }

    std::string Stored(const std::string& key) {
        return dba::Database::Open(location_).OpenTable(CONTRAT).ReadRecord(key).Item(62);
    }

    dba::testing::TempDir dir_;
    dba::testing::TestPlace place_{dba::testing::Backend::PostgreSQL};
    std::string location_;
    std::set<pid_t> running_;
};

TEST_F(EditorWorkstations, NoSaveIsLostAndAContractBeingSavedIsRefusedWithItsHolder) {
    const std::string initial = Stored(ContratA);
    ASSERT_EQ(Stored(ContratB), initial);

    // Three workstations at once: one on each contract, one on both.
    std::map<std::string, pid_t> postes;
    for (int p = 0; p < Postes; ++p) {
        std::string contracts;
        for (int round = 0; round < Rounds; ++round)
            contracts += (round ? "," : "") + (p == 0 || (p == 2 && round % 2) ? ContratA : ContratB);
        const std::string user = "poste" + std::to_string(p);
        postes[user] = Start(user, contracts);
    }
    std::set<std::string> pids;
    for (const auto& [user, pid] : postes)
        pids.insert(std::to_string(pid));
    for (const auto& [user, pid] : postes)
        ASSERT_TRUE(Finished(pid, user));

    // Each contract's saves form one line of versions from the first one
    // to the stored one: every save went over the version it opened, and
    // no two saves went over the same one (that would be a lost update).
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::map<std::string, std::map<std::string, std::string>> next; // contract: opened -> saved
    int saves = 0, refusals = 0;
    for (const auto& [user, pid] : postes) {
        const std::vector<Attempt> attempts = Attempts(user);
        EXPECT_EQ(attempts.size(), std::size_t{Rounds}) << user;
        for (const Attempt& a : attempts) {
            SCOPED_TRACE(user + " " + a.contract + " " + a.message);
            if (a.saved) {
                ++saves;
                EXPECT_TRUE(next[a.contract].emplace(a.opened, a.tag).second)
                    << "deux enregistrements sur la version " << a.opened;
                continue;
            }
            ++refusals;
            const QString message = QString::fromStdString(a.message);
            if (message == ModifieAilleurs)
                continue;
            // Refused while another workstation was saving it: named.
            const QString prefix = Verrouille("").section('(', 0, 0) + "(";
            ASSERT_TRUE(message.startsWith(prefix)) << a.message;
            const std::string holder = message.mid(prefix.size()).section(')', 0, 0).toStdString() + ")";
            const std::string other = holder.substr(0, holder.find('@'));
            EXPECT_NE(other, user);
            EXPECT_TRUE(postes.count(other)) << holder;
            if (postes.count(other)) {
                EXPECT_EQ(holder, other + "@" + host + " (pid " + std::to_string(postes[other]) + ")");
            }
        }
    }
    EXPECT_EQ(saves + refusals, Postes * Rounds);
    for (const std::string& key : {ContratA, ContratB}) {
        SCOPED_TRACE(key);
        std::string version = initial;
        std::size_t followed = 0;
        for (auto found = next[key].find(version); found != next[key].end(); found = next[key].find(version)) {
            version = found->second;
            ++followed;
        }
        EXPECT_GE(followed, 1u);
        EXPECT_EQ(followed, next[key].size()) << "un enregistrement hors de la suite des versions";
        EXPECT_EQ(Stored(key), version);
    }

    // A workstation in the middle of saving A (holding its lock): another
    // is told who holds it, and saves at once when that one is killed.
    const pid_t holder = Start("poste-tenu", ContratA, true);
    for (int wait = 0; Lines("poste-tenu").empty() && wait < 300; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(Lines("poste-tenu"), std::vector<std::string>{"ready"});
    ASSERT_TRUE(Finished(Start("poste-refuse", ContratA), "poste-refuse"));
    const std::vector<Attempt> refused = Attempts("poste-refuse");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_FALSE(refused[0].saved);
    EXPECT_EQ(QString::fromStdString(refused[0].message),
              Verrouille("poste-tenu@" + std::string(host) + " (pid " + std::to_string(holder) + ")"));
    const std::string before = Stored(ContratA);

    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    running_.erase(holder);
    ASSERT_TRUE(Finished(Start("poste-apres", ContratA), "poste-apres"));
    const std::vector<Attempt> after = Attempts("poste-apres");
    ASSERT_EQ(after.size(), 1u);
    EXPECT_TRUE(after[0].saved) << after[0].message;
    EXPECT_EQ(after[0].opened, before);
    EXPECT_EQ(Stored(ContratA), "poste-apres-0");
}

} // namespace
