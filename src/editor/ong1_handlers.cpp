// Tab "Origine": what happens as the user types, chooses and leaves its
// controls.
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/ong1_origine.h"
#include "editor/code_lookup.h"
#include "editor/list_lookup.h"
#include "editor/table_error.h"
#include "rules/code_entry.h"
#include "rules/date_entry.h"
#include "ui/busy_cursor.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QSignalBlocker>

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
    ui::onKeyPress(ui.Cbo_LibEmplEtabContrat, this, &OngletOrigine::Cbo_LibEmplEtabContrat_KeyPress);

    RechercheCode::Config entite;
    entite.code = ui.Txt_AssocContrat;
    entite.libelle = ui.Cbo_LibAssocContrat;
    entite.longueur = RechercheCode::Longueur(3);
    entite.ligneDe = RechercheCode::LigneDans(ctx.entityList);
    entite.codeDe = RechercheCode::CodeDans(ctx.entityList);
    entite.inconnu = QStringLiteral("Cette entité juridique n'existe pas.");
    entite.trouve = [this] { EntiteTrouvee(); };
    entite.efface = [this] { EntiteEffacee(); };
    lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(entite)));

    RechercheCode::Config convention;
    convention.code = ui.Txt_ConvColContrat;
    convention.libelle = ui.Cbo_LibConvColContrat;
    convention.longueur = RechercheCode::Longueur(2);
    convention.ligneDe = RechercheCode::LigneDans(ctx.agreementList);
    convention.codeDe = RechercheCode::CodeDans(ctx.agreementList);
    convention.inconnu = QStringLiteral("Cette convention collective n'existe pas.");
    convention.trouve = [this] { ConventionTrouvee(); };
    lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(convention)));

    RechercheCode::Config employeur;
    employeur.code = ui.Txt_EmplEtabContrat;
    employeur.libelle = ui.Cbo_LibEmplEtabContrat;
    employeur.longueur = [this] { return EstConventionParticulier(ui.Txt_ConvColContrat->text()) ? 5 : 3; };
    employeur.ligneDe = [this](const QString& code) { return LigneEmployeur(code); };
    employeur.codeDe = [this](int row) { return row < employeurs_.size() ? employeurs_[row].first : QString(); };
    employeur.inconnu = QStringLiteral("Cet employeur n'existe pas.");
    employeur.trouve = [this] { Activer_MotifCDD(); };
    lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(employeur)));

    ListeSaisie::Config nature;
    nature.combo = ui.Cbo_NatureContrat;
    nature.remplir = [this](QComboBox* combo) {
        if (!natureContrat_.hasTable())
            natureContrat_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::NATURECONTRAT);
        for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
            combo->addItem(Valeur(natureContrat_, data::listes::Libelles, i));
    };
    nature.inconnu = QStringLiteral("La nature saisie n'existe pas, veuillez la ressaisir.");
    nature.icone = ui::Icon::None;
    nature.focus = [this](QWidget* combo) { Focus(combo); };
    nature_ = std::make_unique<ListeSaisie>(ctx, std::move(nature));

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

// --- Employer search by name ---

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
    dba::ResultList found;
    try {
        found = ctx.g.TheDatabase.SelectRecords(query, "0 2 3");
    } catch (const dba::QuerySyntaxError&) {
        // A name the query cannot carry (a double quote) finds nobody.
    } catch (const dba::Error& error) {
        SignalerTableIllisible(data::tables::CIVILAIDE, error);
    }
    employeurs_.clear();
    for (int row = 1; row <= found.DCount(); ++row)
        employeurs_.append({QString::fromStdString(found.Item(row, 1)),
                            QString::fromStdString(found.Item(row, 2) + " " + found.Item(row, 3))});
    RemplirEmployeurs();
    ui.Txt_EmplEtabContrat->clear();
    if (employeurs_.size() == 1 && !employeurs_.front().second.trimmed().isEmpty())
        ui.Txt_EmplEtabContrat->setText(employeurs_.front().first);
}

void OngletOrigine::RemplirEmployeurs() {
    const QSignalBlocker quiet(ui.Cbo_LibEmplEtabContrat);
    ui.Cbo_LibEmplEtabContrat->clear();
    for (const auto& [code, label] : employeurs_)
        ui.Cbo_LibEmplEtabContrat->addItem(label);
    ui.Cbo_LibEmplEtabContrat->setCurrentIndex(-1);
}

int OngletOrigine::LigneEmployeur(const QString& code) {
    for (int row = 0; row < employeurs_.size(); ++row)
        if (employeurs_[row].first == code)
            return row;
    if (!EstConventionParticulier(ui.Txt_ConvColContrat->text()))
        return -1;
    // A beneficiary's code typed without searching by name first.
    const dba::Record person = ctx.civilAide.ReadRecordOrEmpty(code.toStdString());
    if (person.Item().empty())
        return -1;
    employeurs_ = {{code, QString::fromStdString(person.Item(data::civilaide::Nom) + " " +
                                                 person.Item(data::civilaide::Prenom))}};
    RemplirEmployeurs();
    return 0;
}

// --- What depends on the entity and the agreement ---

void OngletOrigine::EntiteTrouvee() {
    const QString entity = ui.Txt_AssocContrat->text();
    if (entity == entiteVue_)
        return;
    entiteVue_ = entity;
    // The employer belongs to the entity.
    ui.Txt_EmplEtabContrat->clear();
    employeurs_.clear();
    if (!EstConventionParticulier(ui.Txt_ConvColContrat->text())) {
        try {
            const dba::ResultList establishments = ctx.g.TheDatabase.SelectRecords(
                "SSELECT ETABLISSEMENT AVEC 0 = \"" + entity.toStdString() + "]\" PAR 1", "0 1");
            for (int row = 1; row <= establishments.DCount(); ++row) {
                // Sites key their establishments by entity and establishment.
                const QString key = QString::fromStdString(establishments.Item(row, 1));
                employeurs_.append({key.size() > 3 ? key.mid(3, 3) : key,
                                    QString::fromStdString(establishments.Item(row, 2))});
            }
        } catch (const dba::Error& error) {
            SignalerTableIllisible(data::tables::ETABLISSEMENT, error);
        }
    }
    RemplirEmployeurs();
    ui.Txt_OrgRetraite->setText(OrganismeRetraite(entity));
    if (ctx.Gestion_Activite)
        ctx.Gestion_Activite();
}

void OngletOrigine::EntiteEffacee() {
    entiteVue_.clear();
    ui.Txt_EmplEtabContrat->clear();
    employeurs_.clear();
    RemplirEmployeurs();
    ui.Cbo_Activite->clear();
}

QString OngletOrigine::OrganismeRetraite(const QString& entity) const {
    try {
        const dba::ResultList bodies = ctx.g.TheDatabase.SelectRecords(
            "SSELECT ORGANISMESOCIAL AVEC 0 = \"" + entity.toStdString() + "]\" AND AVEC 3 = \"03\" PAR 0", "0");
        if (bodies.DCount() > 0)
            return QString::fromStdString(bodies.Item(1, 1)).mid(entity.size());
    } catch (const dba::Error& error) {
        SignalerTableIllisible(data::tables::ORGANISMESOCIAL, error);
    }
    return QStringLiteral("IRCEM");
}

void OngletOrigine::ConventionTrouvee() {
    ui.Etq_EmplEtabContrat->setText(EstConventionParticulier(ui.Txt_ConvColContrat->text())
                                        ? QStringLiteral("Employeur")
                                        : QStringLiteral("Etablissement"));
    if (ctx.ConventionChangee)
        ctx.ConventionChangee();
    if (ctx.Gestion_Activite)
        ctx.Gestion_Activite();
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
    if (ctx.state.activated && ctx.Gestion_Activite)
        ctx.Gestion_Activite();
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
    if (ctx.state.activated && ctx.Gestion_Activite)
        ctx.Gestion_Activite();
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
