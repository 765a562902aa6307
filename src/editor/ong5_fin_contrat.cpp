// Tab "Fin du contrat": how the contract ends.
#include "editor/ong5_fin_contrat.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/table_error.h"
#include "rules/date_entry.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace editor {

namespace c = data::contrat;

namespace {

struct Notice {
    QCheckBox* box;
    QLineEdit *start, *end;
    int startField, endField;
};

// Paid, worked, neither: the order of the checks.
std::array<Notice, 3> Notices(const Ui::Frm_ElementsContrat& ui) {
    return {Notice{ui.Opt_Paye, ui.Txt_DebPayeContrat, ui.Txt_FinPayeContrat, c::PreavisPayeDebut,
                   c::PreavisPayeFin},
            Notice{ui.Opt_Effectue, ui.Txt_DebEffContrat, ui.Txt_FinEffContrat, c::PreavisEffectueDebut,
                   c::PreavisEffectueFin},
            Notice{ui.Opt_NonEffNonPaye, ui.Txt_DebNonEffNonPaye, ui.Txt_FinNonEffNonPaye,
                   c::PreavisNonEffectueDebut, c::PreavisNonEffectueFin}};
}

QDate DateBoite(const QLineEdit* box) {
    const QString day = data::dates::DateToInternal(box->text().trimmed());
    return day.isEmpty() ? QDate() : data::dates::FromDayNumber(day.toLongLong());
}

std::string JourStocke(const QLineEdit* box) {
    return data::dates::DateToInternal(box->text().trimmed()).toStdString();
}

QString Texte(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

// Writes only what changed: a record opened and saved unchanged keeps its
// exact text, trailing empty fields included.
void Mettre(dba::Record& r, int field, const std::string& value) {
    if (r.Item(field) != value)
        r.SetItem(field, value);
}

// The fields an end of contract fills, emptied when none is recorded.
constexpr int ChampsFin[] = {c::DateFin,
                             c::MotifFin,
                             c::DateNotification,
                             c::DernierJourTravaille,
                             c::PrimePrecarite,
                             c::PreavisPayeDebut,
                             c::PreavisPayeFin,
                             c::PreavisEffectueDebut,
                             c::PreavisEffectueFin,
                             c::MotifNonVersement,
                             c::PeriodeDernierBulletin,
                             c::Observations,
                             c::DateFinReelle,
                             c::ComplementMotif,
                             c::DateSignatureRupture,
                             c::PreavisNonEffectueDebut,
                             c::PreavisNonEffectueFin,
                             c::CalculIndemniteLicenciement};

} // namespace

OngletFinContrat::OngletFinContrat(EditorContext& context) : OngletContrat(context, FinContrat) {
    ListeSaisie::Config motifs;
    motifs.combo = ui.Cbo_MotifFinContrat;
    motifs.remplir = [this](QComboBox* combo) { RemplirMotifs(combo, ctx.g.ContractRecord.Item(c::MotifFin)); };
    motifs.inconnu = QStringLiteral("Le motif de fin de contrat saisi n'existe pas, veuillez le ressaisir.");
    motifs.focus = [this](QWidget* combo) { Focus(combo); };
    motifs_ = std::make_unique<ListeSaisie>(ctx, std::move(motifs));
    connecter();
}

void OngletFinContrat::connecter() {
    ui::onLostFocus(ui.Txt_DateFinContrat, this, &OngletFinContrat::Txt_DateFinContrat_LostFocus);
    ui::onLostFocus(ui.Txt_DatNotifContrat, this, &OngletFinContrat::Txt_DatNotifContrat_LostFocus);
    for (QLineEdit* box : {ui.Txt_DernJrWContrat, ui.Txt_FinReelle, ui.Txt_DateSignConvCol, ui.Txt_DebPayeContrat,
                           ui.Txt_FinPayeContrat, ui.Txt_DebEffContrat, ui.Txt_FinEffContrat,
                           ui.Txt_DebNonEffNonPaye, ui.Txt_FinNonEffNonPaye})
        ui::onLostFocus(box, this, [this, box] { DateLostFocus(box); });
    ui::onClick(ui.Cbo_MotifFinContrat, this, &OngletFinContrat::Cbo_MotifFinContrat_Click);
    ui::onClick(ui.Cbo_OrgRetraite, this, &OngletFinContrat::Cbo_OrgRetraite_Click);
    ui::onUpDownChange(ui.Bdh_Bulletin, this, &OngletFinContrat::Bdh_Bulletin_Change);
    for (const Notice& n : Notices(ui)) {
        QCheckBox* box = n.box;
        QLineEdit *start = n.start, *end = n.end;
        ui::onClick(box, this, [box, start, end] {
            start->setEnabled(box->isChecked() && box->isEnabled());
            end->setEnabled(box->isChecked() && box->isEnabled());
        });
    }
}

void OngletFinContrat::Focus(QWidget* control) {
    ui.Ong_Contrat->setCurrentIndex(FinContrat);
    if (control)
        control->setFocus();
}

void OngletFinContrat::RemplirMotifs(QComboBox* combo, const std::string& kept) const {
    // Reasons no longer offered stay for the contracts that use them.
    for (int i = 1; i <= finContrat_.DCount(data::listes::Libelles); ++i) {
        const std::string code = finContrat_.Item(data::listes::Codes, i);
        if (finContrat_.Item(data::listes::Retire, i) == "O" && code != kept)
            continue;
        combo->addItem(Valeur(finContrat_, data::listes::Libelles, i), QString::fromStdString(code));
    }
}

void OngletFinContrat::RemplirOrganismes(bool secteurSeul) {
    const QSignalBlocker quiet(ui.Cbo_OrgRetraite);
    ui.Cbo_OrgRetraite->clear();
    const bool particulier = ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    const std::string entity = ui.Txt_AssocContrat->text().toStdString();
    if (!(particulier && secteurSeul) && !entity.empty()) {
        try {
            const dba::ResultList bodies = ctx.g.TheDatabase.SelectRecords(
                "SSELECT ORGANISMESOCIAL AVEC 0 = \"" + entity + "]\" AND AVEC 3 = \"03\" PAR 0", "0 1");
            for (int row = 1; row <= bodies.DCount(); ++row)
                ui.Cbo_OrgRetraite->addItem(QString::fromStdString(bodies.Item(row, 2)),
                                            QString::fromStdString(bodies.Item(row, 1).substr(entity.size())));
        } catch (const dba::Error& error) {
            SignalerTableIllisible(data::tables::ORGANISMESOCIAL, error);
        }
    }
    // Under the individual employer's agreement the sector's body is the one.
    if (particulier && ui.Cbo_OrgRetraite->findData(QStringLiteral("IRCEM")) < 0)
        ui.Cbo_OrgRetraite->addItem(QStringLiteral("IRCEM"), QStringLiteral("IRCEM"));
}

void OngletFinContrat::ChargerListes() {
    finContrat_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::FINCONTRAT);
}

void OngletFinContrat::LibererListes() {
    finContrat_ = dba::Record();
}

QString OngletFinContrat::CodeMotif() const {
    const QString label = ui.Cbo_MotifFinContrat->currentText();
    if (label.isEmpty())
        return {};
    for (int i = 1; i <= finContrat_.DCount(data::listes::Libelles); ++i)
        if (Valeur(finContrat_, data::listes::Libelles, i) == label)
            return Valeur(finContrat_, data::listes::Codes, i);
    return {};
}

// --- Display ---

void OngletFinContrat::AfficherControles() {
    ++ctx.state.displays[FinContrat];
    const dba::Record& r = ctx.g.ContractRecord;
    const std::string reason = r.Item(c::MotifFin);
    // What a previous contract left on the tab goes first; the precarity
    // bonus of a fixed-term contract follows its type (tab "Origine").
    ViderChampsFin(false);
    // Filled again for each contract: a withdrawn reason is offered only
    // to the contract that has it.
    ui.Cbo_MotifFinContrat->clear();
    // A fixed-term contract may end with no notification: its end date
    // alone says that an end is recorded.
    const bool ended = !r.Item(c::DateNotification).empty() || !r.Item(c::DateFin).empty();
    if (ended) {
        ui.Txt_DatNotifContrat->setText(DateChamp(r, c::DateNotification));
        RemplirMotifs(ui.Cbo_MotifFinContrat, reason);
        ui.Cbo_MotifFinContrat->setCurrentIndex(ui.Cbo_MotifFinContrat->findData(QString::fromStdString(reason)));
        ui.Cac_CalcIndLic->setChecked(false);
        if (reason == rules::MotifRuptureConventionnelle)
            ui.Txt_DateSignConvCol->setText(DateChamp(r, c::DateSignatureRupture));
        if (rules::MotifAvecIndemnite(QString::fromStdString(reason)) && r.Item(c::CalculIndemniteLicenciement) == "1")
            ui.Cac_CalcIndLic->setChecked(true);

        ui.Txt_CmpltMotif->setText(Champ(r, c::ComplementMotif));
        ui.Txt_DateFinContrat->setText(DateChamp(r, c::DateFin));
        ui.Txt_DernJrWContrat->setText(DateChamp(r, c::DernierJourTravaille));
        ui.Cac_PrecaLibContrat->setChecked(r.Item(c::PrimePrecarite) == "1");
        for (const Notice& n : Notices(ui)) {
            if (r.Item(n.startField).empty())
                continue;
            n.box->setChecked(true);
            n.start->setText(DateChamp(r, n.startField));
            n.end->setText(DateChamp(r, n.endField));
        }
        ui.Txt_NonVersContrat->setText(Champ(r, c::MotifNonVersement));
        ui.Txt_ObsFinContrat_0->setText(Valeur(r, c::Observations, 1));
        ui.Txt_ObsFinContrat_1->setText(Valeur(r, c::Observations, 2));
        if (!r.Item(c::DateFinReelle).empty())
            ui.Txt_FinReelle->setText(DateChamp(r, c::DateFinReelle));
    }
    ChampsDuMotif(false);

    RemplirOrganismes(false);
    const QString body = Champ(r, c::OrganismeRetraite);
    ui.Txt_OrgRetraite->setText(body);
    {
        const QSignalBlocker quiet(ui.Cbo_OrgRetraite);
        const int row = ui.Cbo_OrgRetraite->findData(body);
        if (row >= 0)
            ui.Cbo_OrgRetraite->setCurrentIndex(row);
        else
            MettreTexte(ui.Cbo_OrgRetraite, body);
    }

    for (QWidget* w : {static_cast<QWidget*>(ui.Cbo_MotifFinContrat), static_cast<QWidget*>(ui.Txt_CmpltMotif),
                       static_cast<QWidget*>(ui.Txt_DatNotifContrat)})
        w->setEnabled(true);
    // The host's end-date lock wins over the display of an ended contract.
    ui.Txt_DateFinContrat->setEnabled(!ctx.g.EndDateEntryLocked);
    // Open or ended, the end can be entered; only an end date the user
    // removes disables what depends on it.
    ActiverChampsFin(true);
    PlacerBulletin(r.Item(c::PeriodeDernierBulletin), false);
    ui.Txt_DernBullContrat->setEnabled(false);

    ctx.state.savedLastWorkingDay = ui.Txt_DernJrWContrat->text().trimmed();
    Deselectionner(ui.Cbo_MotifFinContrat);
}

void OngletFinContrat::ChampsDuMotif(bool choix) {
    const rules::ChampsDuMotif champs = rules::ChampsSelonMotif(CodeMotif(), ui.Opt_Determine->isChecked());
    ui.Etq_DateSignConvCol->setVisible(champs.signature);
    ui.Txt_DateSignConvCol->setEnabled(champs.signature);
    ui.Cac_CalcIndLic->setVisible(champs.indemnite);
    if (!choix)
        return;
    ui.Cac_CalcIndLic->setChecked(champs.indemnite);
    if (champs.primePrecarite)
        ui.Cac_PrecaLibContrat->setChecked(*champs.primePrecarite);
}

void OngletFinContrat::ActiverChampsFin(bool actifs) {
    QWidget* const fields[] = {ui.Txt_DernJrWContrat, ui.Etq_DernJrWContrat, ui.Txt_FinReelle, ui.Etq_FinReelle,
                               ui.Cac_PrecaLibContrat, ui.Cdr_Preavis, ui.Txt_NonVersContrat,
                               ui.Etq_NonVersContrat, ui.Etq_DernBullContrat, ui.Bdh_Bulletin,
                               ui.Txt_ObsFinContrat_0, ui.Txt_ObsFinContrat_1, ui.Etq_ObsFinContrat};
    for (QWidget* w : fields)
        w->setEnabled(actifs);
    for (const Notice& n : Notices(ui)) {
        n.start->setEnabled(actifs && n.box->isChecked());
        n.end->setEnabled(actifs && n.box->isChecked());
    }
    if (!actifs)
        ViderChampsFin(true);
}

void OngletFinContrat::ViderChampsFin(bool precarite) {
    for (QLineEdit* box : {ui.Txt_DernJrWContrat, ui.Txt_FinReelle, ui.Txt_NonVersContrat, ui.Txt_DernBullContrat,
                           ui.Txt_ObsFinContrat_0, ui.Txt_ObsFinContrat_1})
        box->clear();
    if (precarite)
        ui.Cac_PrecaLibContrat->setChecked(false);
    for (const Notice& n : Notices(ui)) {
        n.box->setChecked(false);
        n.start->clear();
        n.end->clear();
    }
    const QSignalBlocker quiet(ui.Bdh_Bulletin);
    ui.Bdh_Bulletin->setRange(0, 0);
}

rules::PlageBulletin OngletFinContrat::Plage() const {
    return rules::PlageDernierBulletin(DateBoite(ui.Txt_DatDebContrat), DateBoite(ui.Txt_DateFinContrat));
}

void OngletFinContrat::PlacerBulletin(const std::string& period, bool finParDefaut) {
    const rules::PlageBulletin plage = Plage();
    const QSignalBlocker quiet(ui.Bdh_Bulletin);
    ui.Bdh_Bulletin->setRange(0, plage.pas);
    ui.Bdh_Bulletin->setValue(period.empty() ? plage.pas : plage.Pas(period));
    // A stored period outside the contract's months is shown as stored.
    if (!period.empty())
        ui.Txt_DernBullContrat->setText(rules::PeriodeEnLettres(period));
    else if (finParDefaut && plage.premier.isValid())
        ui.Txt_DernBullContrat->setText(rules::PeriodeEnLettres(plage.Periode(plage.pas)));
    else
        ui.Txt_DernBullContrat->clear();
}

void OngletFinContrat::Bdh_Bulletin_Change() {
    if (ctx.affichage > 0)
        return;
    ui.Txt_DernBullContrat->setText(rules::PeriodeEnLettres(Plage().Periode(ui.Bdh_Bulletin->value())));
}

// --- Field rules ---

bool OngletFinContrat::ControleDate(QLineEdit* box) {
    const rules::DateEntry entry = rules::ControleDate(box->text(), QDate::currentDate());
    if (entry.text != box->text())
        box->setText(entry.text);
    if (!entry.message.isEmpty())
        ui::messages().Show(entry.message, ui::Buttons::Ok, ui::Icon::Exclamation);
    if (entry.refocus)
        Focus(box);
    return !entry.refocus;
}

void OngletFinContrat::DateLostFocus(QLineEdit* box) {
    if (ctx.affichage > 0 || box->text().isEmpty() || !ControleDate(box))
        return;
    const QString message = rules::DateAvantDebut(box->objectName(), box->text(), ui.Txt_DatDebContrat->text());
    if (message.isEmpty())
        return;
    ui::messages().Show(message, ui::Buttons::Ok, ui::Icon::Exclamation);
    Focus(box);
}

void OngletFinContrat::Txt_DatNotifContrat_LostFocus() {
    if (ctx.affichage > 0 || ui.Txt_DatNotifContrat->text().isEmpty() || !ControleDate(ui.Txt_DatNotifContrat))
        return;
    const QString message = rules::DateAvantDebut(ui.Txt_DatNotifContrat->objectName(),
                                                  ui.Txt_DatNotifContrat->text(), ui.Txt_DatDebContrat->text());
    if (!message.isEmpty()) {
        ui::messages().Show(message, ui::Buttons::Ok, ui::Icon::Exclamation);
        Focus(ui.Txt_DatNotifContrat);
        return;
    }
    Calcul_Preavis();
}

void OngletFinContrat::Txt_DateFinContrat_LostFocus() {
    if (ctx.affichage > 0)
        return;
    if (!ui.Txt_DateFinContrat->text().isEmpty() && !ControleDate(ui.Txt_DateFinContrat))
        return;
    const bool filled = !ui.Txt_DateFinContrat->text().isEmpty();
    ActiverChampsFin(filled);
    if (!filled)
        return;
    PlacerBulletin({}, true);
    if (ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur)) {
        RemplirOrganismes(true);
        ui.Cbo_OrgRetraite->setCurrentIndex(0);
    }
}

void OngletFinContrat::Cbo_MotifFinContrat_Click() {
    if (ctx.affichage > 0)
        return;
    ChampsDuMotif(true);
    Calcul_Preavis();
}

void OngletFinContrat::Cbo_OrgRetraite_Click() {
    if (ctx.affichage > 0 || ui.Cbo_OrgRetraite->currentIndex() < 0)
        return;
    ui.Txt_OrgRetraite->setText(ui.Cbo_OrgRetraite->currentData().toString());
}

void OngletFinContrat::Calcul_Preavis() {
    if (ctx.affichage > 0 || ctx.g.EditorLoading)
        return;
    const dba::Record& r = ctx.g.ContractRecord;
    rules::PreavisEntree entree;
    entree.motif = CodeMotif();
    entree.notification = DateBoite(ui.Txt_DatNotifContrat);
    const bool caracteristiques = ctx.state.tabLoaded[Caracteristiques];
    // The seniority and the classification as the terms tab shows them
    // once it is loaded, as stored otherwise.
    QDate anciennete = caracteristiques ? DateBoite(ui.Txt_DateAnciennete)
                                        : data::dates::FromDayNumber(std::atoll(r.Item(c::DateAnciennete).c_str()));
    if (r.Item(c::DateAnciennete).empty() && !caracteristiques)
        anciennete = DateBoite(ui.Txt_DatDebContrat);
    const QString suspension = caracteristiques ? ui.Txt_JourSuspAnc->text() : Champ(r, c::JoursSuspensionAnciennete);
    if (anciennete.isValid())
        anciennete = anciennete.addDays(suspension.trimmed().toLongLong());
    entree.anciennete = anciennete;
    entree.convention = ui.Txt_ConvColContrat->text();
    const int entries = std::max(1, r.DCount(c::Qualification));
    entree.categorie = rules::CategorieSalarie(caracteristiques ? ui.Cbo_QualifContrat->currentText()
                                                                : Valeur(r, c::Qualification, entries));
    entree.cadre = rules::CodePCSCadre(caracteristiques ? ui.Txt_CodPCSContrat->text()
                                                        : Valeur(r, c::CodePCS, std::max(1, r.DCount(c::CodePCS))));
    try {
        entree.preavisDouble = ctx.g.Handles.CivilAidant.ReadRecordOrEmpty(ctx.CodeAidant().toStdString())
                                   .Item(data::civilaidant::TravailleurHandicape) == "1";
    } catch (const dba::Error& error) {
        SignalerTableIllisible(data::tables::CIVILAIDANT, error);
    }

    const rules::Preavis preavis = rules::CalculPreavis(entree);
    if (!preavis.applicable) {
        ui.Opt_Paye->setChecked(false);
        ui.Txt_DebPayeContrat->clear();
        ui.Txt_FinPayeContrat->clear();
        // A fixed-term contract ends with no notification: its end date stays.
        if (ui.Txt_DatNotifContrat->text().isEmpty())
            return;
        ui.Txt_DateFinContrat->setText(ui.Txt_DatNotifContrat->text());
    } else if (preavis.fin.isValid()) {
        ui.Txt_DateFinContrat->setText(Texte(preavis.fin));
        for (const Notice& n : Notices(ui)) {
            if (!n.box->isChecked())
                continue;
            if (n.start->text().isEmpty())
                n.start->setText(ui.Txt_DatNotifContrat->text());
            n.end->setText(Texte(preavis.fin));
        }
    } else {
        return;
    }
    const bool filled = !ui.Txt_DateFinContrat->text().isEmpty();
    ActiverChampsFin(filled);
    if (filled)
        PlacerBulletin({}, true);
}

// --- Check and write ---

void OngletFinContrat::Verif() {
    CommencerVerif();
    rules::FinContratSaisie s;
    s.dateDebut = ui.Txt_DatDebContrat->text();
    s.dateFin = ui.Txt_DateFinContrat->text();
    s.dateNotification = ui.Txt_DatNotifContrat->text();
    s.motif = ui.Cbo_MotifFinContrat->currentText();
    s.signatureActive = ui.Txt_DateSignConvCol->isEnabled();
    s.dateSignature = ui.Txt_DateSignConvCol->text();
    s.dateFinReelle = ui.Txt_FinReelle->text();
    s.indetermine = ui.Opt_Indetermine->isChecked();
    s.dernierJour = ui.Txt_DernJrWContrat->text();
    s.dernierBulletin = ui.Txt_DernBullContrat->text();
    const std::array<Notice, 3> notices = Notices(ui);
    for (std::size_t i = 0; i < notices.size(); ++i)
        s.preavis[i] = {notices[i].box->isChecked(), notices[i].start->text(), notices[i].end->text(),
                        notices[i].start->objectName(), notices[i].end->objectName()};
    // A stored code the list does not hold still names a body.
    s.organismeRetraite = ui.Cbo_OrgRetraite->currentText().isEmpty() ? ui.Txt_OrgRetraite->text()
                                                                       : ui.Cbo_OrgRetraite->currentText();
    s.convention = ui.Txt_ConvColContrat->text();
    const rules::ResultatVerifFin result = rules::VerifFinContrat(s);
    if (!result.refus)
        return;
    ui::messages().Show(result.refus->message, ui::Buttons::Ok, result.refus->icon);
    if (result.periodeParDefaut)
        PlacerBulletin({}, true);
    Focus(result.refus->focus.isEmpty() ? nullptr : ctx.dialog.findChild<QWidget*>(result.refus->focus));
    ctx.state.tabError[FinContrat] = true;
}

void OngletFinContrat::Ecrire() {
    if (!ctx.NiveauVerrouille()) {
        OngletContrat::Ecrire();
        return;
    }
    ++ctx.state.writes[FinContrat];
    ctx.state.checkBeforeWrite = false;
    try {
        ctx.g.ContractRecord.SetItem(c::ComplementMotif, ui.Txt_CmpltMotif->text().toStdString());
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("Valeur refusée : ") + QString::fromStdString(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        ctx.state.tabError[FinContrat] = true;
    }
}

void OngletFinContrat::EcrireDans(dba::Record& r) const {
    auto texte = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    if (ui.Opt_Indetermine->isChecked())
        Mettre(r, c::DateFinPresumee, "");
    else if (!ui.Txt_DatFinContrat->text().isEmpty())
        Mettre(r, c::DateFinPresumee, JourStocke(ui.Txt_DatFinContrat));

    const std::string body = ui.Cbo_OrgRetraite->currentIndex() >= 0
                                 ? ui.Cbo_OrgRetraite->currentData().toString().toStdString()
                                 : texte(ui.Txt_OrgRetraite);
    Mettre(r, c::OrganismeRetraite, body);

    // Neither a notification nor an end date: no end is recorded, and an
    // end recorded before is removed.
    if (ui.Txt_DatNotifContrat->text().trimmed().isEmpty() && ui.Txt_DateFinContrat->text().trimmed().isEmpty()) {
        for (int field : ChampsFin)
            Mettre(r, field, "");
        return;
    }

    Mettre(r, c::DateFin, JourStocke(ui.Txt_DateFinContrat));
    const QString reason = CodeMotif();
    Mettre(r, c::MotifFin, reason.toStdString());
    if (reason == QLatin1String(rules::MotifRuptureConventionnelle)) {
        Mettre(r, c::DateSignatureRupture, JourStocke(ui.Txt_DateSignConvCol));
        Mettre(r, c::CalculIndemniteLicenciement, "");
    } else if (rules::MotifAvecIndemnite(reason)) {
        Mettre(r, c::CalculIndemniteLicenciement, ui.Cac_CalcIndLic->isChecked() ? "1" : "0");
    } else {
        Mettre(r, c::CalculIndemniteLicenciement, "");
    }

    Mettre(r, c::DateNotification, JourStocke(ui.Txt_DatNotifContrat));
    Mettre(r, c::DernierJourTravaille, JourStocke(ui.Txt_DernJrWContrat));
    Mettre(r, c::PrimePrecarite, ui.Cac_PrecaLibContrat->isChecked() ? "1" : "0");
    for (const Notice& n : Notices(ui)) {
        Mettre(r, n.startField, n.box->isChecked() ? JourStocke(n.start) : std::string());
        Mettre(r, n.endField, n.box->isChecked() ? JourStocke(n.end) : std::string());
    }
    Mettre(r, c::MotifNonVersement, texte(ui.Txt_NonVersContrat));

    if (!ui.Txt_DernBullContrat->text().isEmpty())
        Mettre(r, c::PeriodeDernierBulletin, rules::PeriodeDepuisLettres(ui.Txt_DernBullContrat->text()));
    const std::string first = texte(ui.Txt_ObsFinContrat_0), second = texte(ui.Txt_ObsFinContrat_1);
    if (r.Item(c::Observations, 1) != first || r.Item(c::Observations, 2) != second) {
        r.SetItem(c::Observations, first);
        if (!second.empty())
            r.SetItem(c::Observations, 2, second);
    }
    Mettre(r, c::DateFinReelle, JourStocke(ui.Txt_FinReelle));
    Mettre(r, c::ComplementMotif, texte(ui.Txt_CmpltMotif));
}

} // namespace editor
