#include "editor_fixture.h"

#include "data/access_rights.h"
#include "data/tables.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace data::tables;

void EditorTest::SetUp() {
    lib.Put(CIVILAIDANT, "50001", {{2, "MARTIN"}, {3, "Jeanne"}, {31, "001"}});
    lib.Put(CIVILAIDE, "00100", {{2, "DUPONT"}, {3, "Marie"}, {16, "202611"}});
    lib.Put(ASSOCIATION, "001", {{1, "Aide à domicile du Val"}});
    lib.Put(ASSOCIATION, "002", {{1, "Soins et services"}});
    lib.Put(CONVENTIONCOL, "02", {{1, "Particulier employeur"}, {2, "1"}, {12, "2"}});
    lib.Put(CONVENTIONCOL, "05", {{1, "Branche de l'aide à domicile"}});
    lib.Put(TABLES, lists::NATURECONTRAT,
            {{1, "1"}, {2, Values({"01", "02"})}, {3, Values({"Emploi", "Remplacement"})}});
    lib.Put(TABLES, lists::QUALIF,
            {{1, "1"}, {2, Values({"Assistant(e) de vie A", "Assistant(e) de vie B", "Garde de nuit"})}});
    lib.Put(PCS, "56", {{1, "Employés des services directs aux particuliers"}});
    lib.Put(PCS, "563b", {{1, "Aides à domicile, aides ménagères"}});
    lib.Put(PCS, "563c", {{1, "Employés de maison et personnels de ménage"}});
    lib.Put(TABLES, lists::FINCONTRAT,
            {{1, "1"}, {2, Values({"31", "43"})}, {3, Values({"Démission", "Rupture conventionnelle"})}});
    PutContract();
}

void EditorTest::PutContract(std::initializer_list<std::pair<int, std::string>> more) {
    lib.Put(CONTRAT, "50001001",
            {{1, "02"},
             {2, "001"},
             {3, "00100"},
             {4, "I"},
             {5, "M"},
             {6, "P"},
             {7, Day("01/03/2020")},
             {11, "30"},
             {12, "1"},
             {13, "02"},
             {14, Values({"00", "01"})},
             {15, Values({Day("01/03/2020"), Day("01/01/2024")})},
             {16, Values({"Assistant(e) de vie A", "Assistant(e) de vie B"})},
             {17, Values({"563b", "563b"})},
             {18, Values({"Employés des services directs aux particuliers",
                          "Employés des services directs aux particuliers"})},
             {19, Values({"Aides à domicile, aides ménagères", "Aides à domicile, aides ménagères"})},
             {20, Values({"", ""})},
             {21, Values({"", ""})},
             {22, Values({"", ""})},
             {23, Values({"11500", "12000"})},
             {24, Values({"2000", "2000"})},
             {25, Values({"1", "1"})},
             {68, Values({"1", "1"})},
             {69, Values({"C", "L"})},
             {70, "0"},
             {97, Day("01/03/2020")},
             {144, "0"},
             {28, "1"},
             {31, "0"},
             {94, "1"},
             {81, "202611"},
             {63, "202611"}});
    if (more.size() > 0) {
        dba::Record r = lib.db.OpenTable(CONTRAT).ReadRecord("50001001");
        for (const auto& [f, v] : more)
            r.SetItem(f, v);
        r.DBWrite();
    }
    lib.Put(DETAILCALCUL, "50001001202611", {{1, "F"}});
}

void EditorTest::OpenBrowser(const std::string& user) {
    browser = new Ctr_Contrat(&hostForm);
    browser->setTheDatabase(lib.db);
    browser->setTheClient(data::Client("test", "poste1"));
    browser->setW_Code("00100");
    browser->setW_NomPrenom("DUPONT Marie");
    browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(lib.db, user));
    browser->Init();
    child<QRadioButton>(*browser, "Opt_TousValid")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(*browser, "Cmd_Recherche"), Qt::LeftButton);
}

QStringList EditorTest::ListedKeys() const {
    QStringList keys;
    auto* list = browser->findChild<QListWidget*>(QStringLiteral("Lst_CodeContrat"));
    for (int i = 0; i < list->count(); ++i)
        keys << list->item(i)->text();
    return keys;
}

void EditorTest::OpenEditor(const std::function<void(Frm_ElementsContrat&)>& whileOpen) {
    scripted.modal.onNext("Frm_ElementsContrat", [&](QDialog& dialog) {
        auto& editor = dynamic_cast<Frm_ElementsContrat&>(dialog);
        whileOpen(editor);
        if (editor.isVisible())
            ClickButton(editor, "Cmd_Retour");
    });
    QListWidget* helpers = child<QListWidget>(*browser, "Lst_AidantContrat");
    ASSERT_GT(helpers->count(), 0);
    const QPoint at = helpers->visualItemRect(helpers->item(0)).center();
    QTest::mouseClick(helpers->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(helpers->viewport(), Qt::LeftButton, {}, at);
    scripted.modal.verify();
}

void EditorTest::SelectTab(Frm_ElementsContrat& editor, int tab) {
    // As the user does: a click on the tab's caption.
    QTabWidget* tabs = child<QTabWidget>(editor, "Ong_Contrat");
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void EditorTest::ClickButton(Frm_ElementsContrat& editor, const char* name) {
    QTest::mouseClick(child<QPushButton>(editor, name), Qt::LeftButton);
}
