// The host application as support staff and the demo script run it: on a
// demo database, signed in as a given user, rendering its window to a PNG.
#include "data/demo_database.h"
#include "dba/database.h"
#include "support/run_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace {

class HostApplication : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new QTemporaryDir;
        dba::Database db = dba::Database::Create(Database().toStdString());
        data::BuildDemoDatabase(db);
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static QString Database() { return dir_->filePath(QStringLiteral("demo.arbel")); }
    static QString File(const char* name) { return dir_->filePath(QString::fromLatin1(name)); }

    ProgramRun Host(const QStringList& arguments) {
        last = arguments;
        return RunProgram(QStringLiteral(ARBEL_HOST_EXE), arguments);
    }
    QStringList last;
    static QTemporaryDir* dir_;
};
QTemporaryDir* HostApplication::dir_ = nullptr;

TEST_F(HostApplication, RendersTheBeneficiaryChoiceAndTheBrowser) {
    struct Case {
        QStringList extra;
        const char* png;
    } cases[] = {
        {{}, "choix.png"},
        {{"--aide", data::demo::AideNombreuxContrats}, "contrats.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.png);
        QStringList args = {"--db",         Database(), "--user", data::demo::UtilisateurDemo,
                            "--screenshot", File(c.png)};
        args += c.extra;
        const ProgramRun run = Host(args);
        ASSERT_TRUE(run.finished) << run.Describe(ARBEL_HOST_EXE, args).toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.Describe(ARBEL_HOST_EXE, args).toStdString();
        const QImage image(File(c.png));
        EXPECT_GT(image.width(), 400);
        EXPECT_GT(image.height(), 300);
    }
}

TEST_F(HostApplication, RefusesUnknownUsersMissingDatabasesAndBadArguments) {
    struct Case {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"--db", Database(), "--user", "inconnu", "--screenshot", File("x.png")}, 1, "n'a aucun droit"},
        {{"--db", File("absente.arbel"), "--user", "demo", "--screenshot", File("x.png")},
         1,
         "ne peut pas être ouverte"},
        {{"--db", Database(), "--nimporte"}, 2, "nimporte"},
        {{"--db", Database(), "en-trop"}, 2, "en-trop"},
        {{"--db", Database(), "--pdf", File("seul.pdf")}, 2, "--document et --pdf"},
        {{"--db", Database(), "--user", "demo", "--document", "99999001", "--pdf", File("x.pdf")},
         1,
         "Le contrat du document 99999001 est introuvable."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const ProgramRun run = Host(c.args);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.Describe(ARBEL_HOST_EXE, c.args).toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says)))
            << run.Describe(ARBEL_HOST_EXE, c.args).toStdString();
    }
}

TEST_F(HostApplication, ADatabaseItCannotWriteOpensForConsultationAndSaysWhy) {
    // Permissions bind any user but root: as root, run as "nobody".
    QStringList runAs;
    if (::getuid() == 0) {
        if (!::getpwnam("nobody") || !QFileInfo::exists(QStringLiteral("/usr/sbin/runuser")))
            GTEST_SKIP() << "running as root without a user \"nobody\" and runuser: permissions cannot be tried";
        runAs = {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                 QStringLiteral(ARBEL_HOST_EXE)};
    }
    QTemporaryDir shots;
    const QString folder = dir_->filePath(QStringLiteral("lecture"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(Database(), folder + QStringLiteral("/demo.arbel")));
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ReadOther | QFileDevice::ExeOwner |
                                              QFileDevice::ExeGroup | QFileDevice::ExeOther;
    for (const QString& path : {shots.path(), dir_->path()})
        QFile::setPermissions(path, readOnly | QFileDevice::WriteOwner | QFileDevice::WriteOther);
    QFile::setPermissions(folder, readOnly);
    const QStringList args = runAs + QStringList{QStringLiteral("--db"), folder + QStringLiteral("/demo.arbel"),
                                                 QStringLiteral("--user"), QString::fromLatin1(data::demo::UtilisateurDemo),
                                                 QStringLiteral("--screenshot"), shots.filePath(QStringLiteral("x.png"))};
    const QString program = runAs.isEmpty() ? QStringLiteral(ARBEL_HOST_EXE) : QStringLiteral("/usr/sbin/runuser");
    const ProgramRun run = RunProgram(program, args);
    QFile::setPermissions(folder, readOnly | QFileDevice::WriteOwner);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.Describe(program, args).toStdString();
    for (const char* part : {"ouverte en consultation seulement", "est en lecture seule", "droit d'écriture"})
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(part))) << part << "\n" << run.err.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("demo.arbel")});
}

TEST_F(HostApplication, WritesTheDocumentOfAnAmendmentWithoutAWindow) {
    dba::Database db = dba::Database::Open(Database().toStdString());
    const dba::ResultList amended = db.SelectRecords("SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 14 = \"01\"", "0");
    ASSERT_GT(amended.DCount(), 0);
    const QString key = QString::fromStdString(amended.Item(1)) + QStringLiteral("01");
    const QStringList args = {"--db", Database(), "--user", data::demo::UtilisateurDemo, "--document", key,
                              "--pdf", File("avenant.pdf")};
    const ProgramRun run = Host(args);
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << run.Describe(ARBEL_HOST_EXE, args).toStdString();
    const ProgramRun text = RunProgram(QStringLiteral("pdftotext"), {File("avenant.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.out.contains(QStringLiteral("Avenant n° 01 au contrat n° ") + key.left(8))) << text.out.toStdString();
}

} // namespace
