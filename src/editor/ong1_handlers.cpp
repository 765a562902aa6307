// Tab "Origine": what happens as the user types, chooses and leaves its
// controls.
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/ong1_origine.h"
#include "editor/table_error.h"
#include "rules/code_entry.h"
#include "rules/date_entry.h"
#include "ui/busy_cursor.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace {

namespace c = data::contrat;
constexpr int Entree = 13;

// Every date box of the editor takes digits and "/" only.
constexpr const char* BoitesDates[] = {"Txt_DatDebContrat",    "Txt_DatFinContrat",   "Txt_DateAnciennete",
                                       "Txt_DatEffetContrat",  "Txt_DateFinContrat",  "Txt_DateFinValMut",
                                       "Txt_DateSignConvCol",  "Txt_DatNotifContrat", "Txt_DebEffContrat",
                                       "Txt_DebNonEffNonPaye", "Txt_DebPayeContrat",  "Txt_DepartGrilContrat",
                                       "Txt_DernJrWContrat",   "Txt_FinEffContrat",   "Txt_FinNonEffNonPaye",
                                       "Txt_FinPayeContrat",   "Txt_FinReelle"};

bool EstConventionParticulier(const QString& agreement) {
    return agreement == QLatin1String(c::ConventionParticulierEmployeur);
}

} // namespace

void OngletOrigine::connecter() {
    for (const char* name : BoitesDates)
        if (auto* box = ctx.dialog.findChild<QLineEdit*>(QString::fromLatin1(name)))
            ui::onKeyPress(box, this, [](int& ascii) { ascii = rules::FiltreToucheDate(ascii); });
    ui::onLostFocus(ui.Txt_DatDebContrat, this, &OngletOrigine::Txt_DatDebContrat_LostFocus);
    ui::onLostFocus(ui.Txt_DatFinContrat, this, &OngletOrigine::Txt_DatFinContrat_LostFocus);

    ui::onKeyPress(ui.Txt_AssocContrat, this, &OngletOrigine::Txt_AssocContrat_KeyPress);
    ui::onKeyPress(ui.Txt_ConvColContrat, this, &OngletOrigine::Txt_ConvColContrat_KeyPress);
    ui::onKeyPress(ui.Txt_EmplEtabContrat, this, &OngletOrigine::Txt_EmplEtabContrat_KeyPress);
    ui::onKeyPress(ui.Cbo_LibEmplEtabContrat, this, &OngletOrigine::Cbo_LibEmplEtabContrat_KeyPress);

    ui::onClick(ui.Cbo_LibConvColContrat, this, &OngletOrigine::Cbo_LibConvColContrat_Click);
    ui::onClick(ui.Cbo_LibAssocContrat, this, &OngletOrigine::Cbo_LibAssocContrat_Click);
    ui::onComboChange(ui.Cbo_LibAssocContrat, this, &OngletOrigine::Cbo_LibAssocContrat_Change);
    ui::onClick(ui.Cbo_LibEmplEtabContrat, this, &OngletOrigine::Cbo_LibEmplEtabContrat_Click);
    ui::onDropDown(ui.Cbo_NatureContrat, this, &OngletOrigine::Cbo_NatureContrat_DropDown);
    ui::onLostFocus(ui.Cbo_NatureContrat, this, &OngletOrigine::Cbo_NatureContrat_LostFocus);

    ui::onClick(ui.Opt_Determine, this, &OngletOrigine::Opt_Determine_Click);
    ui::onClick(ui.Opt_Indetermine, this, &OngletOrigine::Opt_Indetermine_Click);
    ui::onClick(ui.Opt_Horaire, this, &OngletOrigine::Opt_Horaire_Click);
    ui::onClick(ui.Opt_Mensuel, this, &OngletOrigine::Opt_Mensuel_Click);
    ui::onClick(ui.Opt_Production, this, &OngletOrigine::Opt_Production_Click);
    ui::onClick(ui.Opt_Administratif, this, &OngletOrigine::Opt_Administratif_Click);
}

void OngletOrigine::Focus(QWidget* control) {
    ui.Ong_Contrat->setCurrentIndex(Origine);
    if (control)
        control->setFocus();
}

// --- Dates ---

bool OngletOrigine::ControleDate(QLineEdit* box) {
    const rules::DateEntry entry = rules::ControleDate(box->text(), QDate::currentDate());
    if (entry.text != box->text())
        box->setText(entry.text);
    if (!entry.message.isEmpty())
        ui::messages().Show(entry.message, ui::Buttons::Ok, ui::Icon::Exclamation);
    if (entry.refocus)
        box->setFocus();
    return !entry.refocus;
}

void OngletOrigine::Txt_DatDebContrat_LostFocus() {
    if (!ControleDate(ui.Txt_DatDebContrat))
        return;
    const dba::Record& r = ctx.g.ContractRecord;
    const QString start = data::dates::DateToInternal(ui.Txt_DatDebContrat->text());
    // Value 2 of the amendment fields is the first amendment.
    const std::string firstAmendment = r.Item(c::DateEffet, 2);
    if (!start.isEmpty() && r.DCount(c::NumeroAvenant) > 1 && !firstAmendment.empty() &&
        start.toLongLong() >= std::stoll(firstAmendment)) {
        ui::messages().Show(
            QStringLiteral(
                "La date de début de contrat doit être inférieure à la date d'effet du 1er avenant."),
            ui::Buttons::Ok, ui::Icon::Exclamation);
        ui.Txt_DatDebContrat->setFocus();
        return;
    }
    Activer_MotifCDD();
}

void OngletOrigine::Txt_DatFinContrat_LostFocus() {
    ControleDate(ui.Txt_DatFinContrat);
}

// --- Codes completed on Enter ---

void OngletOrigine::Txt_AssocContrat_KeyPress(int& ascii) {
    if (ascii == Entree)
        ui.Txt_AssocContrat->setText(rules::CompleterCode(ui.Txt_AssocContrat->text(), 3));
}

void OngletOrigine::Txt_ConvColContrat_KeyPress(int& ascii) {
    if (ascii == Entree)
        ui.Txt_ConvColContrat->setText(rules::CompleterCode(ui.Txt_ConvColContrat->text(), 2));
}

void OngletOrigine::Txt_EmplEtabContrat_KeyPress(int& ascii) {
    if (ascii != Entree)
        return;
    const int length = EstConventionParticulier(ui.Txt_ConvColContrat->text()) ? 5 : 3;
    ui.Txt_EmplEtabContrat->setText(rules::CompleterCode(ui.Txt_EmplEtabContrat->text(), length));
}

void OngletOrigine::Cbo_LibEmplEtabContrat_KeyPress(int& ascii) {
    if (ascii != Entree)
        return;
    if (ui.Cbo_LibEmplEtabContrat->currentText().trimmed().isEmpty()) {
        ui::messages().Show(QStringLiteral("Au moins le premier caractère du nom doit être saisi."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        ViderTexte(ui.Cbo_LibEmplEtabContrat);
        ui.Cbo_LibEmplEtabContrat->setFocus();
        return;
    }
    Remplir_Aide();
}

void OngletOrigine::Remplir_Aide() {
    ui::BusyCursor busy(&ctx.dialog);
    const QString name = ui.Cbo_LibEmplEtabContrat->currentText();
    const std::string query = "SSELECT CIVILAIDE AVEC NomPrenomAide = \"" + name.toStdString() +
                              "]\" AND AVEC CodeAideElts AND SANS 43 PAR 2";
    try {
        employerList_ = ctx.g.TheDatabase.SelectRecords(query, "0 2 3");
    } catch (const dba::QuerySyntaxError&) {
        // A name the query cannot carry (a double quote) finds nobody.
        employerList_ = {};
    } catch (const dba::Error& error) {
        employerList_ = {};
        SignalerTableIllisible(data::tables::CIVILAIDE, error);
    }
    ui.Cbo_LibEmplEtabContrat->clear();
    ui.Txt_EmplEtabContrat->clear();
    for (int row = 1; row <= employerList_.DCount(); ++row)
        ui.Cbo_LibEmplEtabContrat->addItem(
            QString::fromStdString(employerList_.Item(row, 2) + " " + employerList_.Item(row, 3)));
    if (ui.Cbo_LibEmplEtabContrat->count() == 1 && !ui.Cbo_LibEmplEtabContrat->itemText(0).isEmpty())
        ui.Txt_EmplEtabContrat->setText(QString::fromStdString(employerList_.Item(1, 1)));
}

// --- Name combos ---

void OngletOrigine::Cbo_LibConvColContrat_Click() {
    const int row = ui.Cbo_LibConvColContrat->currentIndex() + 1;
    if (row >= 1)
        ui.Txt_ConvColContrat->setText(QString::fromStdString(ctx.agreementList.Item(row, 1)));
}

void OngletOrigine::Cbo_LibAssocContrat_Click() {
    const int row = ui.Cbo_LibAssocContrat->currentIndex() + 1;
    if (row < 1)
        return;
    const QString code = QString::fromStdString(ctx.entityList.Item(row, 1));
    if (code == ui.Txt_AssocContrat->text())
        return;
    ui.Txt_AssocContrat->setText(code);
    // The employer belongs to the entity.
    ui.Txt_EmplEtabContrat->clear();
    ViderTexte(ui.Cbo_LibEmplEtabContrat);
    if (ui.Txt_ConvColContrat->text().toInt() == 2)
        ui.Cbo_LibEmplEtabContrat->clear();
}

void OngletOrigine::Cbo_LibAssocContrat_Change() {
    if (ui.Cbo_LibAssocContrat->currentText().isEmpty())
        ui.Txt_AssocContrat->clear();
}

void OngletOrigine::Cbo_LibEmplEtabContrat_Click() {
    const int row = ui.Cbo_LibEmplEtabContrat->currentIndex() + 1;
    if (row < 1 || row > employerList_.DCount())
        return;
    const QString code = QString::fromStdString(employerList_.Item(row, 1));
    ui.Txt_EmplEtabContrat->setText(
        EstConventionParticulier(ui.Txt_ConvColContrat->text()) ? code : code.mid(3, 3));
}

// --- Nature ---

void OngletOrigine::Cbo_NatureContrat_DropDown() {
    if (ui.Cbo_NatureContrat->count() > 0)
        return;
    if (!natureContrat_.hasTable())
        natureContrat_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::NATURECONTRAT);
    const QString text = ui.Cbo_NatureContrat->currentText();
    for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
        ui.Cbo_NatureContrat->addItem(Valeur(natureContrat_, data::listes::Libelles, i));
    MettreTexte(ui.Cbo_NatureContrat, text);
}

void OngletOrigine::Cbo_NatureContrat_LostFocus() {
    const QString text = ui.Cbo_NatureContrat->currentText();
    if (text.isEmpty())
        return;
    for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
        if (Valeur(natureContrat_, data::listes::Libelles, i) == text)
            return;
    ui::messages().Show(QStringLiteral("La nature saisie n'existe pas, veuillez la ressaisir."));
    ViderTexte(ui.Cbo_NatureContrat);
    Focus(ui.Cbo_NatureContrat);
}

// --- Options ---

void OngletOrigine::Opt_Determine_Click() {
    Activer_MotifCDD();
    ui.Etq_DatFinContrat->setVisible(true);
    ui.Txt_DatFinContrat->setEnabled(true);
    ui.Etq_DatNotifContrat->setEnabled(true);
    ui.Txt_DatNotifContrat->setEnabled(true);
    ui.Etq_DureeMinContrat->setVisible(true);
    ui.Txt_DureeMinContrat->setEnabled(true);
    ui.Cac_PrecaLibContrat->setEnabled(true);
    ui.Cac_PrecaLibContrat->setChecked(true);
}

void OngletOrigine::Opt_Indetermine_Click() {
    ctx.ecrans.Activer(ui.Cmd_MotifCDD, false);
    ui.Etq_DatFinContrat->setVisible(false);
    ui.Txt_DatFinContrat->setEnabled(false);
    ui.Etq_DatNotifContrat->setEnabled(true);
    ui.Txt_DatNotifContrat->setEnabled(true);
    ui.Etq_DureeMinContrat->setVisible(false);
    ui.Txt_DureeMinContrat->setEnabled(false);
    ui.Cac_PrecaLibContrat->setEnabled(false);
    ui.Cac_PrecaLibContrat->setChecked(false);
}

void OngletOrigine::Opt_Horaire_Click() {
    ui.Cdr_Lissage->setVisible(false);
    ui.Cac_Lissage->setChecked(false);
}

void OngletOrigine::Opt_Mensuel_Click() {
    if (ui.Opt_Administratif->isChecked())
        return;
    ui.Cdr_Lissage->setVisible(true);
    ctx.ecrans.Activer(ui.Cmd_SuiviAnnuel, true);
}

void OngletOrigine::Opt_Production_Click() {
    // The activities of the status are reloaded by the activities
    // assignment once the editor is shown; it is not part of this tab.
    for (QWidget* w :
         {static_cast<QWidget*>(ui.Lst_RepartActContrat), static_cast<QWidget*>(ui.Txt_RepartActContrat),
          static_cast<QWidget*>(ui.Txt_ActiviteContrat), static_cast<QWidget*>(ui.Cmd_OKActivite),
          static_cast<QWidget*>(ui.Cmd_AnnulerActivite)})
        w->setEnabled(false);
    if (!ui.Opt_Horaire->isChecked()) {
        ui.Cdr_Lissage->setVisible(true);
        ctx.ecrans.Activer(ui.Cmd_SuiviAnnuel, true);
    }
}

void OngletOrigine::Opt_Administratif_Click() {
    ui.Lst_RepartActContrat->clear();
    if (ui.Lst_ActiviteContrat->count() > 0 && !ui.Lst_ActiviteContrat->item(0)->text().isEmpty())
        ui.Lst_RepartActContrat->addItem(QStringLiteral("0"));
    for (QWidget* w :
         {static_cast<QWidget*>(ui.Lst_RepartActContrat), static_cast<QWidget*>(ui.Txt_RepartActContrat),
          static_cast<QWidget*>(ui.Txt_ActiviteContrat), static_cast<QWidget*>(ui.Cmd_OKActivite),
          static_cast<QWidget*>(ui.Cmd_AnnulerActivite)})
        w->setEnabled(true);
    ui.Cdr_Lissage->setVisible(false);
}

void OngletOrigine::Activer_MotifCDD() {
    const int length = EstConventionParticulier(ui.Txt_ConvColContrat->text()) ? 5 : 3;
    const bool available = ui.Txt_EmplEtabContrat->text().size() == length &&
                           ui.Txt_ConvColContrat->text().size() == 2 &&
                           ui.Txt_DatDebContrat->text().size() == 10 && ui.Opt_Determine->isEnabled();
    ctx.ecrans.Activer(ui.Cmd_MotifCDD, available);
}

// --- Locking the identity boxes ---

void OngletOrigine::Griser_ComboOng1() {
    for (QWidget* w :
         {static_cast<QWidget*>(ui.Txt_AssocContrat), static_cast<QWidget*>(ui.Cbo_LibAssocContrat),
          static_cast<QWidget*>(ui.Txt_EmplEtabContrat), static_cast<QWidget*>(ui.Cbo_LibEmplEtabContrat)})
        w->setEnabled(false);
}

void OngletOrigine::Degriser_ComboOng1() {
    for (QWidget* w :
         {static_cast<QWidget*>(ui.Txt_AssocContrat), static_cast<QWidget*>(ui.Cbo_LibAssocContrat),
          static_cast<QWidget*>(ui.Txt_EmplEtabContrat), static_cast<QWidget*>(ui.Cbo_LibEmplEtabContrat)})
        w->setEnabled(true);
}

} // namespace editor
