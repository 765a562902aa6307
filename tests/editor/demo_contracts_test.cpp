// Every contract of the demo database, opened from the browser, every tab
// shown, and saved with OK untouched, as an office worker would on the first day: no check
// may refuse what the demo holds, and the stored contract must come back
// byte for byte. Demo data the editor refuses is data the office could not
// work with.
#include "control/ctr_contrat.h"
#include "data/access_rights.h"
#include "data/client.h"
#include "data/contrat_fields.h"
#include "data/demo_database.h"
#include "data/tables.h"
#include "editor/frm_elements_contrat.h"
#include "support/install_scripted.h"

#include <QDate>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace c = data::contrat;
using data::tables::CONTRAT;

// Contract keys per employing beneficiary, as the browser lists them: the
// beneficiary's own contracts, deleted ones left out.
std::map<std::string, std::vector<std::string>> ContractsByBeneficiary(dba::Database& db) {
    std::map<std::string, std::vector<std::string>> out;
    const dba::Table contracts = db.OpenTable(CONTRAT);
    const dba::ResultList keys = db.SelectRecords("SELECT CONTRAT", "0");
    for (int r = 1; r <= keys.DCount(); ++r) {
        const dba::Record record = contracts.ReadRecord(keys.Item(r, 1));
        if (record.Item(c::ConventionCollective) == c::ConventionParticulierEmployeur &&
            record.Item(c::Supprime) != c::MarqueSupprime)
            out[record.Item(c::Employeur)].push_back(keys.Item(r, 1));
    }
    return out;
}

// A payslip calculated but not invoiced since the employer's last invoice
// keeps the end tab closed: the demo has such contracts on purpose.
std::optional<QString> EndTabRefusal(dba::Database& db, const dba::Record& contract, const std::string& key) {
    const std::string period = contract.Item(c::DernierePeriodePaie);
    const dba::Record employer =
        db.OpenTable(data::tables::CIVILAIDE).ReadRecordOrEmpty(contract.Item(c::Employeur));
    if (employer.Item(16) == period ||
        db.OpenTable(data::tables::DETAILCALCUL).ReadRecordOrEmpty(key + period).Item(1) != "P")
        return std::nullopt;
    const QDate month(std::stoi(period.substr(0, 4)), std::stoi(period.substr(4, 2)), 1);
    return QStringLiteral("Vous ne pouvez pas accéder à l'onglet fin de contrat tant que vous n'avez pas fait la "
                          "facture du mois de ") +
           QLocale(QLocale::French).toString(month, QStringLiteral("MMMM yyyy"));
}

// The one demo contract made to show the hiring-reason screen: fixed-term
// with no reason, refused until one is given.
const std::string SansMotif = "49005001";

TEST(DemoContracts, EveryContractSavesUntouchedWithoutAMessageAndUnchanged) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    dba::Database db = dba::Database::Create(dir.filePath(QStringLiteral("demo.arbel")).toStdString());
    data::BuildDemoDatabase(db, 1, 1);
    InstallScripted scripted; // any message fails the test with its text

    int saved = 0;
    for (const auto& [beneficiary, keys] : ContractsByBeneficiary(db)) {
        QWidget host;
        auto* browser = new Ctr_Contrat(&host);
        browser->setTheDatabase(db);
        browser->setTheClient(data::Client("demo", "poste1"));
        browser->setW_Code(QString::fromStdString(beneficiary));
        browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(db, data::demo::UtilisateurDemo));
        browser->Init();
        browser->findChild<QRadioButton*>(QStringLiteral("Opt_TousValid"))->setChecked(true);
        QTest::mouseClick(browser->findChild<QPushButton*>(QStringLiteral("Cmd_Recherche")), Qt::LeftButton);

        auto* listed = browser->findChild<QListWidget*>(QStringLiteral("Lst_CodeContrat"));
        auto* helpers = browser->findChild<QListWidget*>(QStringLiteral("Lst_AidantContrat"));
        for (const std::string& key : keys) {
            SCOPED_TRACE("contract " + key + " of beneficiary " + beneficiary);
            const auto found = listed->findItems(QString::fromStdString(key), Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << "the browser does not list it";
            const dba::Record stored = db.OpenTable(CONTRAT).ReadRecord(key);
            const std::string before = stored.Item();
            const std::optional<QString> endTabRefusal = EndTabRefusal(db, stored, key);

            bool closedByOk = false;
            scripted.modal.onNext("Frm_ElementsContrat", [&](QDialog& editor) {
                // Every tab shown, so that every tab's check sees the data.
                auto* tabs = editor.findChild<QTabWidget*>(QStringLiteral("Ong_Contrat"));
                for (int tab = tabs->count() - 1; tab >= 0; --tab) {
                    if (tab == tabs->count() - 1 && endTabRefusal)
                        scripted.messages.expect(*endTabRefusal, ui::Icon::Exclamation);
                    tabs->setCurrentIndex(tab);
                }
                if (key == SansMotif) {
                    scripted.messages.expect("La saisie d'un motif d'embauche est obligatoire.",
                                             ui::Icon::Exclamation);
                    scripted.modal.onNext("Frm_MotifCDD", [](QDialog& screen) {
                        screen.findChild<QPushButton*>(QStringLiteral("Cmd_Retour"))->click();
                    });
                }
                QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("Cmd_OK")), Qt::LeftButton);
                closedByOk = !editor.isVisible();
                if (!closedByOk) // refused: leave without saving so the next contract can open
                    QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("Cmd_Retour")), Qt::LeftButton);
            });
            const QPoint at = helpers->visualItemRect(helpers->item(listed->row(found.front()))).center();
            QTest::mouseClick(helpers->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(helpers->viewport(), Qt::LeftButton, {}, at);
            scripted.modal.verify();

            scripted.messages.verify();
            EXPECT_EQ(closedByOk, key != SansMotif) << "OK did not save it, or saved it without a reason";
            EXPECT_EQ(db.OpenTable(CONTRAT).ReadRecord(key).Item(), before);
            saved += closedByOk ? 1 : 0;
        }
    }
    EXPECT_GT(saved, 20); // the demo has contracts of every shape, not a handful
}

} // namespace
