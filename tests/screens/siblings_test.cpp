// The suite's sibling screens on their host forms, opened the way the
// contract editor opens them: real widgets offscreen, a real database,
// scripted message boxes and modal runner.
#include "screens/siblings/ctr_parametres.h"
#include "screens/siblings/decomptes.h"
#include "screens/siblings/reglages_telegestion.h"
#include "screens/siblings/sibling_screens.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "support/install_scripted.h"
#include "support/library_fixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

namespace t = data::tables;
using screens::siblings::SiblingControl;

class SiblingsTest : public ::testing::Test {
protected:
    InstallScripted scripted;
    LibraryDatabase lib;
    data::Client client{QStringLiteral("marie"), QStringLiteral("poste1")};

    void SetUp() override {
        lib.Put(t::TABLES, t::lists::QUALIF,
                {{1, "Qualifications"},
                 {2, Values({"Aide à domicile", "Garde de nuit"})},
                 {3, Values({"A", "B"})}});
        lib.Put(t::CONTRAT, "50001001", {{1, "02"}, {3, "00001"}, {16, Values({"Garde de nuit"})}});
        lib.Put(t::ACTIVITES, "00101", {{1, "Aide à domicile"}, {12, "M"}});
        lib.Put(t::ACTIVITES, "00102", {{1, "Garde de nuit"}, {12, "M"}});
    }

    screens::Droits Rights(const char* user = "plein") {
        return std::make_shared<data::AccessRights>(lib.db, user);
    }
    std::vector<std::string> Stored(const char* list, int field) {
        return dba::Split(lib.db.OpenTable(t::TABLES).ReadRecord(list).Item(field), dba::VM);
    }
    bool OpenQualif(const char* user, std::function<void(QDialog&)> script) {
        scripted.modal.onNext("Frm_QualifPro", std::move(script));
        return screens::OuvrirQualifPro(client, lib.db, "QUALIF", "DOSAIDECONTRAT", Rights(user), nullptr);
    }
};

template <class T> T* Child(QWidget& parent, const QString& name) {
    T* w = parent.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}
void Click(QWidget& parent, const char* button) {
    QTest::mouseClick(Child<QPushButton>(parent, QString::fromLatin1(button)), Qt::LeftButton);
}
void Type(QWidget& parent, const char* field, const QString& text) {
    QLineEdit* edit = Child<QLineEdit>(parent, QString::fromLatin1(field));
    edit->clear();
    // Typed key by key, accents too (keyClicks takes only ASCII).
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

TEST_F(SiblingsTest, EachHostFormClosesOnlyWhenItsControlLeaves) {
    struct Case {
        const char* form;
        QString caption;
        const char* control;
        const char* exit;
        bool helpMenu;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"Frm_CivilAide", QStringLiteral("Etat Civil de l'Aidé"), "Ctr_CivilAide", "Cmd_Retour", false,
         [&] { screens::OuvrirCivilAide(lib.db, client, Rights(), "00001", nullptr); }},
        {"Frm_PeriodeConges", QStringLiteral("Période de congés"), "Ctr_AbsAidant", "Cmd_Retour", true,
         [&] { screens::OuvrirPeriodeConges(lib.db, client, Rights(), "50001", "MARTIN Jeanne", nullptr); }},
        {"Frm_DetailDecompte", QStringLiteral("Détail décompte"), "Ctr_DetailDecompte", "Cmd_Retour", false,
         [&] {
             screens::OuvrirDetailDecompte(lib.db, client, Rights(), "50001", "MARTIN Jeanne", "00001",
                                           "DURAND Paul", "50001001", "14", nullptr);
         }},
        {"Frm_tpsIndem", QStringLiteral("Temps d'indemnisation des arrêts de travail"), "Ctr_IndemArrTrav",
         "Cmd_Retour", true,
         [&] {
             screens::OuvrirTpsIndem(lib.db, client, Rights(), "50001", "MARTIN Jeanne", "202611", "5000101",
                                     nullptr);
         }},
        {"Frm_QualifPro", QStringLiteral("Ajout Qualification Professionnelle"), "Ctr_Parametres1",
         "Cmd_Annuler", false,
         [&] { screens::OuvrirQualifPro(client, lib.db, "QUALIF", "DOSAIDECONTRAT", Rights(), nullptr); }},
        {"Frm_MotifsEmbauche", QString(), "Ctr_Parametres", "Cmd_Annuler", false,
         [&] {
             screens::OuvrirMotifsEmbauche(lib.db, client, "MOTIFEMBAUCHE", "MOTIFS EMBAUCHE", Rights(),
                                           nullptr);
         }},
        {"Frm_ParamTelegestion", QStringLiteral("Télégestion ZORVELIA : paramétrages pour l'aidant 50001 X"),
         "Ctr_ParIndZorvelia", "Cmd_Annuler", false,
         [&] {
             screens::OuvrirParamTelegestion(lib.db, client, "001", "00001", "50001", "P", "00101",
                                             screens::LegendeTelegestion("50001", "X", false, "", ""),
                                             nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        scripted.modal.onNext(c.form, [&](QDialog& form) {
            EXPECT_EQ(form.windowTitle(), c.caption);
            auto* control = Child<SiblingControl>(form, QString::fromLatin1(c.control));
            form.close();
            QTest::keyClick(&form, Qt::Key_Escape);
            EXPECT_TRUE(form.isVisible()) << "closed before its control left";
            EXPECT_FALSE(control->W_Sortir());

            QTest::mouseClick(&form, Qt::RightButton, {}, QPoint(2, 2));
            auto* menu = form.findChild<QMenu*>("Mnu_Aide");
            EXPECT_EQ(menu != nullptr && menu->isVisible(), c.helpMenu);
            if (menu) {
                EXPECT_EQ(menu->actions().value(0)->text(), QStringLiteral("Aide ARBELDONE"));
                menu->close();
            }

            Click(form, c.exit);
            EXPECT_TRUE(control->W_Sortir());
            EXPECT_FALSE(form.isVisible());
            EXPECT_EQ(form.result(), QDialog::Accepted);
        });
        c.open();
        scripted.modal.verify();
    }
}

TEST_F(SiblingsTest, AddedQualificationIsWrittenAsTypedWhenLeavingWithOk) {
    const QString typed = QStringLiteral("Technicien(ne) d'intervention sociale et familiale – échelon B");
    const bool written = OpenQualif("plein", [&](QDialog& form) {
        Type(form, "Txt_Code", typed);
        Click(form, "Cmd_Ajouter");
        EXPECT_EQ(Stored("QUALIF", 2).size(), 2u) << "written before OK";
        Click(form, "Cmd_OK");
    });
    EXPECT_TRUE(written);
    EXPECT_EQ(Stored("QUALIF", 2),
              (std::vector<std::string>{"Aide à domicile", "Garde de nuit", typed.toStdString()}));
    // A list shown by its labels gets the code when no label is typed.
    EXPECT_EQ(Stored("QUALIF", 3).back(), typed.toStdString());
    EXPECT_EQ(lib.db.OpenTable(t::TABLES).ReadRecord("QUALIF").Item(1), "Qualifications");
}

TEST_F(SiblingsTest, ParameterListRefusals) {
    struct Case {
        const char* what;
        std::function<void(QDialog&)> act;
        QString message;
    };
    const Case cases[] = {
        {"a code already in the list",
         [](QDialog& f) {
             Type(f, "Txt_Code", "Garde de nuit");
             Click(f, "Cmd_Ajouter");
         },
         QStringLiteral("Le code « Garde de nuit » existe déjà dans la liste.")},
        {"no code", [](QDialog& f) { Click(f, "Cmd_Ajouter"); },
         QStringLiteral("Vous devez saisir un code.")},
        {"removing a value a contract holds",
         [](QDialog& f) {
             Child<QTableWidget>(f, "Lst_Valeurs")->selectRow(1);
             Click(f, "Cmd_Supprimer");
         },
         QStringLiteral(
             "Le code « Garde de nuit » est utilisé par 1 contrat : il ne peut pas être supprimé.")},
        {"renaming the code of a value a contract holds",
         [](QDialog& f) {
             Child<QTableWidget>(f, "Lst_Valeurs")->selectRow(1);
             Type(f, "Txt_Code", "Veille de nuit");
             Click(f, "Cmd_Modifier");
         },
         QStringLiteral(
             "Le code « Garde de nuit » est utilisé par 1 contrat : il ne peut pas être changé. Vous "
             "pouvez en modifier le libellé, ou ajouter une nouvelle valeur.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (QString(c.what).startsWith("removing"))
            scripted.messages.expect(
                QStringLiteral("Voulez-vous supprimer la valeur « Garde de nuit » de la liste ?"),
                ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes);
        scripted.messages.expect(c.message, ui::Icon::Exclamation);
        EXPECT_FALSE(OpenQualif("plein", [&](QDialog& f) {
            c.act(f);
            Click(f, "Cmd_Annuler");
        }));
        scripted.messages.verify();
        EXPECT_EQ(Stored("QUALIF", 2), (std::vector<std::string>{"Aide à domicile", "Garde de nuit"}));
    }
}

TEST_F(SiblingsTest, UnusedValueRenamedAndRemovedAndPendingCodeOffered) {
    scripted.messages
        .expect(QStringLiteral("Voulez-vous supprimer la valeur « Aide à domicile » de la liste ?"),
                ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes)
        .expect(
            QStringLiteral("La valeur « Veilleur » n'a pas été ajoutée à la liste. Voulez-vous l'ajouter ?"),
            ui::Icon::Question, ui::Buttons::YesNoCancel, ui::Answer::Yes);
    EXPECT_TRUE(OpenQualif("plein", [](QDialog& f) {
        auto* list = Child<QTableWidget>(f, "Lst_Valeurs");
        list->selectRow(1);
        Type(f, "Txt_Libelle", "Présence de nuit");
        Click(f, "Cmd_Modifier");
        list->selectRow(0);
        Click(f, "Cmd_Supprimer");
        Type(f, "Txt_Code", "Veilleur");
        Click(f, "Cmd_OK");
    }));
    EXPECT_EQ(Stored("QUALIF", 2), (std::vector<std::string>{"Garde de nuit", "Veilleur"}));
    EXPECT_EQ(Stored("QUALIF", 3), (std::vector<std::string>{"Présence de nuit", "Veilleur"}));
}

TEST_F(SiblingsTest, ParameterListNeverWritesOverAnotherWorkstation) {
    dba::Database other = lib.OpenAnotherSession();
    other.SetUserName("paul@poste2");
    // Changed elsewhere after Init: refused and read again, the other change kept.
    scripted.messages.expect(
        QStringLiteral("La liste a été modifiée sur un autre poste pendant votre saisie : vos "
                       "changements ne sont pas enregistrés. La liste est relue, vous pouvez "
                       "les refaire."),
        ui::Icon::Exclamation);
    EXPECT_FALSE(OpenQualif("plein", [&](QDialog& f) {
        PutRecord(other, t::TABLES, "QUALIF", {{1, "Qualifications"}, {2, "Auxiliaire"}});
        Type(f, "Txt_Code", "Veilleur");
        Click(f, "Cmd_Ajouter");
        Click(f, "Cmd_OK");
        EXPECT_EQ(Child<QTableWidget>(f, "Lst_Valeurs")->rowCount(), 1);
        Click(f, "Cmd_Annuler");
    }));
    EXPECT_EQ(Stored("QUALIF", 2), (std::vector<std::string>{"Auxiliaire"}));

    // Locked elsewhere: nothing written, the user's value still on screen for a retry.
    dba::Record locked = other.OpenTable(t::TABLES).ReadRecordLocked("QUALIF");
    scripted.messages.answerNext(ui::Answer::Ok);
    scripted.messages.expect(
        QStringLiteral("Les changements de la liste ne seront pas enregistrés. Voulez-vous "
                       "quitter ?"),
        ui::Icon::Question, ui::Buttons::YesNo, ui::Answer::Yes);
    EXPECT_FALSE(OpenQualif("plein", [&](QDialog& f) {
        Type(f, "Txt_Code", "Veilleur");
        Click(f, "Cmd_Ajouter");
        Click(f, "Cmd_OK");
        EXPECT_TRUE(scripted.messages.texts().last().contains("paul@poste2"));
        EXPECT_EQ(Child<QTableWidget>(f, "Lst_Valeurs")->rowCount(), 2);
        Click(f, "Cmd_Annuler");
    }));
    locked.Release();
    EXPECT_EQ(Stored("QUALIF", 2), (std::vector<std::string>{"Auxiliaire"}));
}

TEST_F(SiblingsTest, ParameterListIsReadOnlyWithoutTheModuleRights) {
    EXPECT_FALSE(OpenQualif("lecture", [](QDialog& f) {
        EXPECT_FALSE(Child<QWidget>(f, "Cdr_Saisie")->isVisible());
        EXPECT_FALSE(Child<QPushButton>(f, "Cmd_OK")->isVisible());
        EXPECT_TRUE(Child<QLabel>(f, "Etq_Consultation")->isVisible());
        EXPECT_EQ(Child<QTableWidget>(f, "Lst_Valeurs")->rowCount(), 2);
        auto* parametres = Child<screens::siblings::Ctr_Parametres>(f, "Ctr_Parametres1");
        parametres->Cmd_Ajouter_Click(); // even reached by code, nothing changes
        EXPECT_EQ(Child<QPushButton>(f, "Cmd_Annuler")->text(), QStringLiteral("Retour"));
        Click(f, "Cmd_Annuler");
    }));
    EXPECT_EQ(Stored("QUALIF", 2).size(), 2u);
}

TEST_F(SiblingsTest, ReadOnlyViewsSayWhenThereIsNothing) {
    struct Case {
        const char* form;
        std::function<void()> open;
        QString empty;
    };
    const Case cases[] = {
        {"Frm_PeriodeConges",
         [&] { screens::OuvrirPeriodeConges(lib.db, client, Rights(), "50009", "X", nullptr); },
         QStringLiteral("Aucune période de congés ni d'absence n'est enregistrée pour cet aidant.")},
        {"Frm_DetailDecompte",
         [&] {
             screens::OuvrirDetailDecompte(lib.db, client, Rights(), "50001", "X", "00001", "Y", "50001001",
                                           "14", nullptr);
         },
         QStringLiteral(
             "Aucune paie n'a encore été calculée pour ce contrat : le décompte apparaîtra après le "
             "premier calcul.")},
        {"Frm_tpsIndem",
         [&] { screens::OuvrirTpsIndem(lib.db, client, Rights(), "50001", "X", "", "5000101", nullptr); },
         QStringLiteral("Aucun arrêt de travail indemnisé n'est enregistré pour cet aidant sur ce régime de "
                        "prévoyance.")},
        {"Frm_tpsIndem",
         [&] { screens::OuvrirTpsIndem(lib.db, client, Rights(), "50001", "X", "", "50001", nullptr); },
         QStringLiteral(
             "Le contrat n'a pas de régime de prévoyance : aucune indemnisation d'arrêt de travail "
             "n'est suivie.")},
        {"Frm_CivilAide", [&] { screens::OuvrirCivilAide(lib.db, client, Rights(), "001002", nullptr); },
         QStringLiteral(
             "Aucun aidé n'a le code « 001002 » : l'employeur de ce contrat n'est pas un particulier.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.empty.toStdString());
        scripted.modal.onNext(c.form, [&](QDialog& f) {
            EXPECT_FALSE(Child<QTableWidget>(f, "Lst_Lignes")->isVisible());
            EXPECT_TRUE(Child<QLabel>(f, "Etq_Vide")->isVisible());
            EXPECT_EQ(Child<QLabel>(f, "Etq_Vide")->text(), c.empty);
            Click(f, "Cmd_Retour");
        });
        c.open();
        scripted.modal.verify();
    }
}

TEST_F(SiblingsTest, CompensationCountsTheDaysFromTheStartDate) {
    lib.Put(t::HISTORINDEM, "5000101",
            {{1, Values({Day("10/10/2026"), Day("01/03/2026")})},
             {2, Values({Day("19/10/2026"), Day("31/03/2026")})},
             {3, Values({"2550", "2550"})}});
    scripted.modal.onNext("Frm_tpsIndem", [](QDialog& f) {
        auto* rows = Child<QTableWidget>(f, "Lst_Lignes");
        ASSERT_EQ(rows->rowCount(), 2);
        EXPECT_EQ(rows->item(0, 0)->text(), "10/10/2026");
        EXPECT_EQ(rows->item(0, 2)->text(), "10");
        EXPECT_EQ(rows->item(0, 4)->text(), "255,00");
        EXPECT_EQ(rows->item(1, 2)->text(), "31");
        // From 15/03/2026 (day number): 17 days of March and the 10 of October.
        EXPECT_EQ(Child<QLabel>(f, "Etq_Totaux")->text(), "Jours indemnisés depuis le 15/03/2026 : 27.");
        Click(f, "Cmd_Retour");
    });
    screens::OuvrirTpsIndem(lib.db, client, Rights(), "50001", "X", QString::fromStdString(Day("15/03/2026")),
                            "5000101", nullptr);
}

TEST_F(SiblingsTest, StartDatesAndActivityCodesAsTheOpeningScreensGiveThem) {
    struct DateCase {
        QString given;
        QDate expected;
    };
    for (const DateCase& c :
         {DateCase{"202611", QDate(2026, 11, 1)}, DateCase{"10000", QDate(1995, 5, 18)},
          DateCase{"05/12/2026", QDate(2026, 12, 5)}, DateCase{"", QDate()}, DateCase{"202613", QDate()}}) {
        SCOPED_TRACE(c.given.toStdString());
        EXPECT_EQ(screens::siblings::LireDateDebut(c.given).value_or(QDate()), c.expected);
    }
    const std::vector<QString> known = {"00101", "00102", "001021"};
    using V = std::vector<QString>;
    EXPECT_EQ(screens::siblings::DecouperActivites("0010100102", known), (V{"00101", "00102"}));
    EXPECT_EQ(screens::siblings::DecouperActivites("001021 00101", known), (V{"001021", "00101"}));
    EXPECT_EQ(screens::siblings::DecouperActivites("00199;00101", known), (V{"00199", "00101"}));
}

TEST_F(SiblingsTest, TelemanagementSettingsWrittenPerActivityAndBeneficiary) {
    namespace pt = data::paramtelegestion;
    lib.Put(t::PARAMTELEGESTION, "500010000100102",
            {{pt::Pointage, "1"}, {pt::Mode, "M"}, {pt::Tolerance, "5"}});
    scripted.messages.expect(
        QStringLiteral("Vous devez saisir le numéro du badge pour l'activité « Aide à domicile »."),
        ui::Icon::Exclamation);
    scripted.modal.onNext("Frm_ParamTelegestion", [](QDialog& f) {
        EXPECT_EQ(Child<QSpinBox>(f, "Txt_Tolerance_1")->value(), 5);
        auto* mode = Child<QComboBox>(f, "Cbo_Mode_0");
        mode->setCurrentIndex(mode->findData("B"));
        Click(f, "Cmd_OK");
        EXPECT_TRUE(f.isVisible());
        Type(f, "Txt_Badge_0", "BDG-0042");
        Click(f, "Cmd_OK");
    });
    EXPECT_TRUE(screens::OuvrirParamTelegestion(lib.db, client, "001", "00001", "50001", "M", "0010100102",
                                                "Télégestion", nullptr));
    const dba::Record written = lib.db.OpenTable(t::PARAMTELEGESTION).ReadRecord("500010000100101");
    EXPECT_EQ(written.Item(pt::Mode), "B");
    EXPECT_EQ(written.Item(pt::Badge), "BDG-0042");
    EXPECT_EQ(written.Item(pt::Utilisateur), "marie");
    // The line left as it was is not rewritten.
    EXPECT_EQ(lib.db.OpenTable(t::PARAMTELEGESTION).ReadRecord("500010000100102").Item(pt::DateModif), "");
}

} // namespace
