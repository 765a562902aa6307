// The installed CMake package, used as a host developer uses it: the current
// build tree is installed into a prefix of its own, the minimal host of the
// embedding guide (tests/apps/minimal_host, shown verbatim in
// docs/embedding.md) is configured and built against that prefix alone, and
// run offscreen on a demo database. Its answers are compared with the same
// search made by the library linked into this test.
#include "control/ctr_contrat.h"

#include "data/access_rights.h"
#include "data/demo_database.h"
#include "support/install_scripted.h"
#include "support/run_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

namespace {

// The build tree this test belongs to: the nearest directory above the
// executable that holds a CMakeCache.txt.
QString BuildDirectory() {
    QDir dir(QCoreApplication::applicationDirPath());
    do {
        if (dir.exists(QStringLiteral("CMakeCache.txt")))
            return dir.absolutePath();
    } while (dir.cdUp());
    return {};
}

// One entry of the build's CMakeCache.txt ("NAME:TYPE=value").
QString CacheEntry(const QString& buildDir, const QString& name) {
    QFile cache(buildDir + QStringLiteral("/CMakeCache.txt"));
    if (!cache.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QRegularExpression entry(QStringLiteral("^%1:[A-Z]+=(.*)$").arg(QRegularExpression::escape(name)));
    while (!cache.atEnd()) {
        const QString line = QString::fromUtf8(cache.readLine()).trimmed();
        if (const auto match = entry.match(line); match.hasMatch())
            return match.captured(1);
    }
    return {};
}

// The prefix and the host's build live in the build tree and are brought up
// to date by each test process (CTest runs every case in its own process):
// the first pays for configuring and building the host (about 15 s), the
// others for an install and a build that finds nothing to do. A lock file
// keeps parallel cases from installing over one another.
struct InstalledHost {
    QTemporaryDir dir; // databases of this process
    QString buildDir, workspace, prefix, libDir, hostExe, demoDatabase;
    QString failure; // why the host could not be built, empty when it was

    InstalledHost() {
        if (!dir.isValid()) {
            failure = QStringLiteral("no temporary directory");
            return;
        }
        buildDir = BuildDirectory();
        const QString cmake = CacheEntry(buildDir, QStringLiteral("CMAKE_COMMAND"));
        if (buildDir.isEmpty() || cmake.isEmpty()) {
            failure = QStringLiteral("build directory or cmake not found above ") +
                      QCoreApplication::applicationDirPath();
            return;
        }
        workspace = buildDir + QStringLiteral("/tests/package_test");
        QDir().mkpath(workspace);
        QLockFile lock(workspace + QStringLiteral("/.lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(300000)) {
            failure = QStringLiteral("could not lock ") + workspace;
            return;
        }
        prefix = workspace + QStringLiteral("/prefix");
        // Headers removed from the sources must not survive from an earlier install.
        QDir(prefix + QStringLiteral("/include")).removeRecursively();
        libDir = CacheEntry(buildDir, QStringLiteral("CMAKE_INSTALL_LIBDIR"));
        if (libDir.isEmpty())
            libDir = QStringLiteral("lib");
        demoDatabase = dir.filePath(QStringLiteral("demo.db"));
        const QString hostBuild = workspace + QStringLiteral("/host-build");
        const QString hostSource = QStringLiteral(ARBEL_SOURCE_DIR "/tests/apps/minimal_host");

        // The host is built the way this tree was: same generator, compiler
        // and build type.
        QStringList configure = {QStringLiteral("-S"), hostSource, QStringLiteral("-B"), hostBuild,
                                 QStringLiteral("-DCMAKE_PREFIX_PATH=") + prefix};
        for (const char* name :
             {"CMAKE_GENERATOR", "CMAKE_MAKE_PROGRAM", "CMAKE_CXX_COMPILER", "CMAKE_BUILD_TYPE"}) {
            const QString value = CacheEntry(buildDir, QString::fromLatin1(name));
            if (value.isEmpty())
                continue;
            if (QLatin1String(name) == QLatin1String("CMAKE_GENERATOR"))
                configure << QStringLiteral("-G") << value;
            else
                configure << QStringLiteral("-D%1=%2").arg(QString::fromLatin1(name), value);
        }
        std::vector<std::pair<QStringList, QString>> steps = {
            {{QStringLiteral("--install"), buildDir, QStringLiteral("--prefix"), prefix}, cmake}};
        if (!QFile::exists(hostBuild + QStringLiteral("/CMakeCache.txt")))
            steps.push_back({configure, cmake});
        steps.push_back({{QStringLiteral("--build"), hostBuild}, cmake});
        steps.push_back({{demoDatabase, QStringLiteral("demo")}, QStringLiteral(ARBEL_DB_EXE)});
        for (const auto& [arguments, program] : steps) {
            const ProgramRun r = RunProgram(program, arguments);
            if (!r.finished || r.exitCode != 0) {
                failure = r.Describe(program, arguments);
                // A host build that failed half-way is configured again next time.
                if (arguments.contains(QStringLiteral("-S")))
                    QDir(hostBuild).removeRecursively();
                return;
            }
        }
        hostExe = hostBuild + QStringLiteral("/minimal-host");
        if (!QFile::exists(hostExe))
            failure = QStringLiteral("the host built but there is no ") + hostExe;
    }
};

class InstalledPackageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installed = new InstalledHost; }
    static void TearDownTestSuite() {
        delete installed;
        installed = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(installed->failure.isEmpty()) << installed->failure.toStdString(); }

    static ProgramRun Host(const QStringList& arguments) {
        return RunProgram(installed->hostExe, arguments, {}, 60000);
    }

    static InstalledHost* installed;
};
InstalledHost* InstalledPackageTest::installed = nullptr;

TEST_F(InstalledPackageTest, InstallsLibrariesProgramsHeadersAndPackage) {
    for (const char* file : {
             "LIB/libarbel_dba.a",
             "LIB/libarbel_contrats.a",
             "bin/arbel-db",
             "bin/arbel-contrats",
             "include/arbel/control/ctr_contrat.h",
             "include/arbel/control/contract_search.h",
             "include/arbel/data/access_rights.h",
             "include/arbel/data/client.h",
             "include/arbel/data/global_state.h",
             "include/arbel/dba/database.h",
             "include/arbel/dba/errors.h",
             "include/arbel/ui/messages.h",
             "LIB/cmake/ArbelContrats/ArbelContratsConfig.cmake",
             "LIB/cmake/ArbelContrats/ArbelContratsConfigVersion.cmake",
             "LIB/cmake/ArbelContrats/ArbelContratsTargets.cmake",
         })
        EXPECT_TRUE(
            QFile::exists(installed->prefix + u'/' +
                          QString::fromLatin1(file).replace(QStringLiteral("LIB"), installed->libDir)))
            << file;
}

// Headers generated from the forms are the library's business: none is
// installed and no installed header needs one.
TEST_F(InstalledPackageTest, InstalledHeadersNeedNoGeneratedFormHeader) {
    int headers = 0;
    QDirIterator it(installed->prefix + QStringLiteral("/include"), {QStringLiteral("*")}, QDir::Files,
                    QDirIterator::Subdirectories);
    const QRegularExpression includesForm(QStringLiteral(R"(#\s*include\s*["<]ui_)"));
    while (it.hasNext()) {
        const QString path = it.next();
        ++headers;
        EXPECT_FALSE(QFileInfo(path).fileName().startsWith(QStringLiteral("ui_"))) << path.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(QString::fromUtf8(file.readAll()).contains(includesForm)) << path.toStdString();
    }
    EXPECT_GT(headers, 10);
}

// A host sees the browser, the engine and the services it may replace, not
// the editor's or the rules' internals; and every installed header finds
// what it includes in the prefix.
TEST_F(InstalledPackageTest, InstalledHeadersAreTheHostsAndComplete) {
    const QString root = installed->prefix + QStringLiteral("/include/arbel/");
    for (const char* folder : {"editor", "rules", "screens", "documents"})
        EXPECT_FALSE(QDir(root + QString::fromLatin1(folder)).exists()) << folder;
    QDirIterator it(root, {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    const QRegularExpression include(QStringLiteral(R"re(#\s*include\s*"([^"]+)")re"));
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = include.globalMatch(text); match.hasNext();) {
            const QString included = match.next().captured(1);
            EXPECT_TRUE(QFile::exists(root + included)) << path.toStdString() << " includes " << included.toStdString();
        }
    }
}

// The package must work wherever the prefix is copied: nothing in it may
// point back into the source or build tree.
TEST_F(InstalledPackageTest, PackageFilesDoNotPointIntoTheTrees) {
    QDirIterator it(installed->prefix + u'/' + installed->libDir + QStringLiteral("/cmake/ArbelContrats"),
                    {QStringLiteral("*.cmake")}, QDir::Files);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_FALSE(text.contains(QStringLiteral(ARBEL_SOURCE_DIR))) << path.toStdString();
        EXPECT_FALSE(text.contains(installed->buildDir)) << path.toStdString();
    }
    EXPECT_GE(files, 3);
}

// Lines the library linked into this test lists for `user` and beneficiary
// `code`, searched as the host does it.
std::optional<int> LinesListedInProcess(const QString& databasePath, const QString& code,
                                        const std::string& user) {
    InstallScripted scripted;
    dba::Database db = dba::Database::Open(databasePath.toStdString());
    QWidget form;
    auto* browser = new Ctr_Contrat(&form);
    browser->setTheDatabase(db);
    browser->setTheClient(data::Client(QString::fromStdString(user), QStringLiteral("test")));
    browser->setW_Code(code);
    browser->setW_EtatSuppAidant(false);
    browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(db, user));
    browser->Init();
    auto* search = browser->findChild<QPushButton*>(QStringLiteral("Cmd_Recherche"));
    auto* list = browser->findChild<QListWidget*>(QStringLiteral("Lst_DatDebContrat"));
    if (!search || !list)
        return std::nullopt;
    search->click();
    return list->count();
}

// The host built against the package lists what the library lists, for
// users who see every entity, some entities, or have no rights at all.
TEST_F(InstalledPackageTest, HostListsTheContractsTheUserMaySee) {
    const QString code = QString::fromLatin1(data::demo::AideNombreuxContrats);
    struct Case {
        const char* user;
        const char* why;
    };
    const Case cases[] = {
        {data::demo::UtilisateurDemo, "full rights, every entity"},
        {data::demo::UtilisateurConsultation, "read only, every entity"},
        {data::demo::UtilisateurAntenne, "two entities only"},
        {"personne", "no record in DROITSUTILISATEUR"},
    };
    std::map<std::string, int> listed;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.user) + ": " + c.why);
        const QStringList arguments = {installed->demoDatabase, code, QString::fromLatin1(c.user),
                                       QStringLiteral("--check")};
        const ProgramRun r = Host(arguments);
        ASSERT_TRUE(r.finished && r.exitCode == 0) << r.Describe(installed->hostExe, arguments).toStdString();
        bool isNumber = false;
        const int lines = r.out.trimmed().toInt(&isNumber);
        ASSERT_TRUE(isNumber) << r.out.toStdString();
        const std::optional<int> expected = LinesListedInProcess(installed->demoDatabase, code, c.user);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(lines, *expected);
        listed[c.user] = lines;
    }
    // The demo's first beneficiary has more active contracts than the list
    // shows at once; a user limited to some entities sees part of them, a
    // user without rights none.
    EXPECT_GE(listed[data::demo::UtilisateurDemo], 16);
    EXPECT_EQ(listed[data::demo::UtilisateurConsultation], listed[data::demo::UtilisateurDemo]);
    EXPECT_LT(listed[data::demo::UtilisateurAntenne], listed[data::demo::UtilisateurDemo]);
    EXPECT_EQ(listed["personne"], 0);
}

// What goes wrong reaches the host as a library user sees it: an empty
// search through the message service the host installed, what the setters
// and Init raise as an exception naming what is missing, and the host's own
// usage line for a wrong command line.
TEST_F(InstalledPackageTest, HostReportsEmptySearchesInitErrorsAndWrongCommandLines) {
    struct Case {
        const char* name;
        QList<QStringList> prepare; // arbel-db commands on a fresh database; none: the demo
        QStringList arguments;      // "DB" stands for the database
        int exitCode;
        const char* out;
        const char* err;
    };
    const QString code = QString::fromLatin1(data::demo::AideHistorique);
    const QString demoUser = QString::fromLatin1(data::demo::UtilisateurDemo);
    const QStringList check = {QStringLiteral("DB"), code, demoUser, QStringLiteral("--check")};
    const Case cases[] = {
        {"no active contract", {}, check, 0, "0", "Aucun contrat correspondant aux paramètres sélectionnés."},
        {"rights table missing (read by setDroitsUtilisateur)",
         {{QStringLiteral("create")}, {QStringLiteral("create-table"), QStringLiteral("CIVILAIDE")}},
         check,
         1,
         "",
         "Table inexistante : DROITSUTILISATEUR"},
        {"site settings missing (read by Init)",
         {{QStringLiteral("demo")},
          {QStringLiteral("delete"), QStringLiteral("COMPTEUR"), QStringLiteral("999")}},
         check,
         1,
         "",
         "Enregistrement inexistant : COMPTEUR 999"},
        {"too few arguments", {}, {QStringLiteral("DB")}, 2, "", "usage: minimal-host DATABASE BENEFICIARY"},
        {"too many arguments", {}, {"DB", "b", "c", "d"}, 2, "", "usage: minimal-host DATABASE BENEFICIARY"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString database = installed->demoDatabase;
        if (!c.prepare.isEmpty()) {
            database = installed->dir.filePath(QStringLiteral("prepared-%1.db").arg(++n));
            for (const QStringList& command : c.prepare) {
                const QStringList arguments = QStringList{database} + command;
                const ProgramRun r = RunProgram(QStringLiteral(ARBEL_DB_EXE), arguments);
                ASSERT_EQ(r.exitCode, 0) << r.Describe(QStringLiteral(ARBEL_DB_EXE), arguments).toStdString();
            }
        }
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("DB"), database);
        const ProgramRun r = Host(arguments);
        const std::string run = r.Describe(installed->hostExe, arguments).toStdString();
        ASSERT_TRUE(r.finished) << run;
        EXPECT_EQ(r.exitCode, c.exitCode) << run;
        EXPECT_EQ(r.out.trimmed(), QString::fromUtf8(c.out)) << run;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.err))) << run;
    }
}

// The guide shows the host's files verbatim; a change to one side only
// would leave developers a host that no test builds.
TEST(EmbeddingGuide, ShowsTheMinimalHostVerbatim) {
    QFile guide(QStringLiteral(ARBEL_SOURCE_DIR "/docs/embedding.md"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(guide.readAll());
    for (const auto& [file, fence] :
         {std::pair{"CMakeLists.txt", "```cmake\n"}, std::pair{"main.cpp", "```cpp\n"}}) {
        QFile source(QStringLiteral(ARBEL_SOURCE_DIR "/tests/apps/minimal_host/") +
                     QString::fromLatin1(file));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << file;
        const QString block =
            QString::fromLatin1(fence) + QString::fromUtf8(source.readAll()) + QStringLiteral("```");
        EXPECT_TRUE(text.contains(block)) << file << " is not shown whole in docs/embedding.md";
    }
}

} // namespace
