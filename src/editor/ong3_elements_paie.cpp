// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/ong3_elements_paie.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/table_error.h"
#include "rules/profile_choice.h"
#include "screens/rub_saisie/ouvrir_rub_saisie.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace c = data::contrat;

OngletElementsPaie::OngletElementsPaie(EditorContext& context)
    : OngletContrat(context, ElementsPaie), activites_(context) {
    ctx.Gestion_Activite = [this] { activites_.Gestion_Activite(); };
    ctx.ConventionChangee = [this] {
        ProfilContrat();
        RemplirPrevoyance();
    };
    connecter();
}

void OngletElementsPaie::ChargerListes() {
    carteOrange_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::CARTEORANGE);
}

void OngletElementsPaie::LibererListes() {
    carteOrange_ = dba::Record();
    profileList_ = providentList_ = chargeList_ = {};
}

void OngletElementsPaie::connecter() {
    ctx.ecrans.Enregistrer(QStringLiteral("Cmd_RubSaisie"), [this] {
        std::vector<screens::ActiviteContrat> activites;
        for (int i = 0; i < ui.Lst_ActiviteContrat->count(); ++i) {
            const QString label = ui.Lst_ActiviteContrat->item(i)->text();
            for (int r = 1; r <= ctx.activityList.DCount(); ++r)
                if (QString::fromStdString(ctx.activityList.Item(r, 2)) == label) {
                    activites.push_back({QString::fromStdString(ctx.activityList.Item(r, 1)), label});
                    break;
                }
        }
        screens::OuvrirRubSaisie(ctx.g, ctx.rights, ctx.CodeAidant(), ui.Etq_Aidant->text().mid(15),
                                 ui.Opt_Administratif->isChecked(), activites, &ctx.dialog);
    });
    auto focus = [this](QWidget* w) {
        ui.Ong_Contrat->setCurrentIndex(ElementsPaie);
        w->setFocus();
    };
    for (bool premier : {true, false}) {
        RechercheCode::Config profil;
        profil.code = premier ? ui.Txt_ProfilContrat : ui.Txt_ProfilContrat2;
        profil.libelle = premier ? ui.Cbo_LibProfilContrat : ui.Cbo_LibProfilContrat2;
        profil.longueur = RechercheCode::Longueur(3);
        profil.ligneDe = RechercheCode::LigneDans(profileList_);
        profil.codeDe = RechercheCode::CodeDans(profileList_);
        profil.inconnu = QStringLiteral("Ce profil n'existe pas.");
        profil.refuser = [this, premier](const QString& code) { return RefusProfil(code, premier); };
        lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(profil)));
    }
    RechercheCode::Config prevoyance;
    prevoyance.code = ui.Txt_PrevContrat;
    prevoyance.libelle = ui.Cbo_LibPrevContrat;
    prevoyance.longueur = RechercheCode::Longueur(2);
    prevoyance.ligneDe = RechercheCode::LigneDans(providentList_);
    prevoyance.codeDe = RechercheCode::CodeDans(providentList_);
    prevoyance.inconnu = QStringLiteral("Ce régime de prévoyance n'existe pas.");
    lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(prevoyance)));

    // The charge items of the mutual insurance: amounts of kind "08".
    auto remplirCharges = [this](QComboBox* combo) {
        if (chargeList_.DCount() == 0)
            chargeList_ = ctx.g.TheDatabase.SelectRecords(
                "SSELECT RUBCHARGE AVEC 16 = \"08\" AND AVEC 11 = \"Montant\" AND AVEC 30 = \"\" OR AVEC 16 = "
                "\"08\" AND AVEC 15 = \"Montant\" AND AVEC 30 = \"\" PAR 1",
                "0 1");
        for (int r = 1; r <= chargeList_.DCount(); ++r)
            combo->addItem(QString::fromStdString(chargeList_.Item(r, 2)));
    };
    RechercheCode::Config charge;
    charge.code = ui.Txt_ChargMutContrat;
    charge.libelle = ui.Cbo_ChargMutContrat;
    charge.longueur = RechercheCode::Longueur(3);
    charge.ligneDe = [this, remplirCharges](const QString& code) {
        if (ui.Cbo_ChargMutContrat->count() == 0)
            remplirCharges(ui.Cbo_ChargMutContrat);
        return RechercheCode::LigneDans(chargeList_)(code);
    };
    charge.codeDe = RechercheCode::CodeDans(chargeList_);
    charge.inconnu = QStringLiteral("La rubrique de charge n'existe pas, veuillez la ressaisir.");
    charge.icone = ui::Icon::Exclamation;
    lookups_.push_back(std::make_unique<RechercheCode>(ctx, std::move(charge)));
    lists_.push_back(std::make_unique<ListeSaisie>(ctx, ListeSaisie::Config{ui.Cbo_ChargMutContrat, remplirCharges, {},
                                                                            ui::Icon::Exclamation, focus}));

    lists_.push_back(std::make_unique<ListeSaisie>(
        ctx, ListeSaisie::Config{ui.Cbo_CartOrangContrat,
                                 [this](QComboBox* combo) {
                                     for (int i = 1; i <= carteOrange_.DCount(data::listes::Libelles); ++i)
                                         combo->addItem(Valeur(carteOrange_, data::listes::Libelles, i));
                                 },
                                 QStringLiteral("La zone de carte orange saisie n'existe pas, veuillez le ressaisir."),
                                 ui::Icon::Exclamation, focus}));
    // Fixed items of the form: nothing to read.
    lists_.push_back(std::make_unique<ListeSaisie>(
        ctx, ListeSaisie::Config{ui.Cbo_ModPaieContrat, [](QComboBox*) {},
                                 QStringLiteral("Le mode de paiement saisi n'existe pas, veuillez le ressaisir."),
                                 ui::Icon::Exclamation, focus}));
}

std::optional<rules::Refus> OngletElementsPaie::RefusProfil(const QString& code, bool premier) const {
    rules::ProfilSaisi s;
    s.code = code;
    s.autreProfil = (premier ? ui.Txt_ProfilContrat2 : ui.Txt_ProfilContrat)->text();
    s.premier = premier;
    s.convention = ui.Txt_ConvColContrat->text();
    const dba::Record profile = ctx.g.Handles.Profil.ReadRecordOrEmpty(code.toStdString());
    s.existe = !profile.Item().empty();
    s.mandataire = profile.Item(data::profil::Mandataire) == "1";
    return rules::VerifProfil(s);
}

void OngletElementsPaie::ProfilContrat() {
    const bool particulier = ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    try {
        profileList_ = ctx.g.TheDatabase.SelectRecords(
            particulier ? "SSELECT PROFIL AVEC 4 = \"1\" PAR 1" : "SSELECT PROFIL AVEC 4 <> \"1\" PAR 1", "0 1 4");
    } catch (const dba::Error& error) {
        profileList_ = {};
        SignalerTableIllisible(data::tables::PROFIL, error);
    }
    for (QComboBox* combo : {ui.Cbo_LibProfilContrat, ui.Cbo_LibProfilContrat2}) {
        const QSignalBlocker quiet(combo);
        const QString text = combo->currentText();
        combo->clear();
        for (int r = 1; r <= profileList_.DCount(); ++r)
            combo->addItem(QString::fromStdString(profileList_.Item(r, 2)));
        MettreTexte(combo, text);
    }
}

void OngletElementsPaie::RemplirPrevoyance() {
    try {
        providentList_ = ctx.g.TheDatabase.SelectRecords(
            "SSELECT CONTRATSPREV AVEC ConvColPrev = \"" + ui.Txt_ConvColContrat->text().toStdString() + "\" PAR 1",
            "0 1");
    } catch (const dba::Error& error) {
        providentList_ = {};
        SignalerTableIllisible(data::tables::CONTRATSPREV, error);
    }
    const QSignalBlocker quiet(ui.Cbo_LibPrevContrat);
    const QString text = ui.Cbo_LibPrevContrat->currentText();
    ui.Cbo_LibPrevContrat->clear();
    for (int r = 1; r <= providentList_.DCount(); ++r)
        ui.Cbo_LibPrevContrat->addItem(QString::fromStdString(providentList_.Item(r, 2)));
    MettreTexte(ui.Cbo_LibPrevContrat, text);
}

// Code `field` of the record shown in `code` and its label from `list`.
static void AfficherPaire(const dba::Record& r, int field, const dba::ResultList& list, QLineEdit* code,
                          QComboBox* label) {
    const std::string wanted = r.Item(field);
    for (int row = 1; row <= list.DCount(); ++row)
        if (list.Item(row, 1) == wanted && !wanted.empty()) {
            MettreTexte(label, QString::fromStdString(list.Item(row, 2)));
            code->setText(QString::fromStdString(wanted));
            return;
        }
    ViderTexte(label);
    code->clear();
}

void OngletElementsPaie::AfficherControles() {
    ++ctx.state.displays[ElementsPaie];
    const dba::Record& r = ctx.g.ContractRecord;
    const bool beneficiaryEmploys = r.Item(c::ConventionCollective) == c::ConventionParticulierEmployeur;

    ProfilContrat();
    AfficherPaire(r, c::Profil, profileList_, ui.Txt_ProfilContrat, ui.Cbo_LibProfilContrat);
    const bool secondPossible = !ui.Cbo_LibProfilContrat->currentText().isEmpty() && !ctx.NiveauVerrouille();
    ui.Cbo_LibProfilContrat2->setEnabled(secondPossible);
    ui.Txt_ProfilContrat2->setEnabled(secondPossible);
    AfficherPaire(r, c::Profil2, profileList_, ui.Txt_ProfilContrat2, ui.Cbo_LibProfilContrat2);
    RemplirPrevoyance();
    AfficherPaire(r, c::Prevoyance, providentList_, ui.Txt_PrevContrat, ui.Cbo_LibPrevContrat);
    activites_.AfficherActivites();

    const int mode = Champ(r, c::ModePaiement).toInt();
    ui.Cbo_ModPaieContrat->setCurrentIndex(mode >= 1 && mode <= ui.Cbo_ModPaieContrat->count() ? mode - 1
                                                                                                 : -1);
    ctx.state.keptPaymentMode = ui.Cbo_ModPaieContrat->currentText();

    ui.Cac_PaieSalContrat->setVisible(beneficiaryEmploys);
    // The leave provision only exists when leave is not paid every month.
    if (beneficiaryEmploys && r.Item(c::CongesPayesAuMois) == "0") {
        ui.Cac_ProvCP->setVisible(true);
        ui.Cac_ProvCP->setChecked(r.Item(c::ProvisionConges) == "1");
    } else {
        ui.Cac_ProvCP->setVisible(false);
        ui.Cac_ProvCP->setChecked(false);
    }
    ui.Cac_PaieSalContrat->setChecked(r.Item(c::PaiementParAssociation) == "1");
    ui.Cac_CPMoisContrat->setChecked(r.Item(c::CongesPayesAuMois) == "1");

    const int exemption = Champ(r, c::MotifDispense).toInt();
    ui.Cbo_MotifDispense->setCurrentIndex(
        exemption >= 0 && exemption < ui.Cbo_MotifDispense->count() ? exemption : 0);
    ui.Txt_DateFinValMut->setText(DateChamp(r, c::DateFinValiditeDispense));
}

void OngletElementsPaie::Verif() {
    CommencerVerif();
}

void OngletElementsPaie::EcrireDans(dba::Record&) const {
    // The tab is not written back yet: it is shown read-only.
}

} // namespace editor
