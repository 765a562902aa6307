// Tab "Elements de paie": what the payroll needs to pay the helper.
#include "data/contrat_fields.h"
#include "editor/contract_fields_text.h"
#include "editor/ong3_elements_paie.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/table_error.h"
#include "rules/pay_elements_checks.h"
#include "rules/pay_entry_amounts.h"
#include "rules/profile_choice.h"
#include "data/dates.h"
#include "data/numbers.h"
#include "data/utility_services.h"
#include "ui/events.h"
#include "ui/messages.h"

#include <QListWidget>
#include <tuple>
#include "screens/rub_saisie/ouvrir_rub_saisie.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace c = data::contrat;

namespace {

const QString MessageVirementSansRib = QStringLiteral(
    "Vous ne pouvez pas sélectionner le mode de paiement virement\ncar l'aidant ne possède pas de RIB.");

QString Separateur() {
    return data::UtilityServices::Instance().DecimalSeparator();
}

// A stored figure ×100 as its box shows it: fixed width, blanks trimmed,
// a minus sign directly before the digits.
QString Centiemes(const std::string& stored, int integerDigits, bool isSigned) {
    const rules::Scaled value = rules::StoredScaled(stored);
    const rules::Scaled size = value < 0 ? -value : value;
    const QString digits =
        data::numbers::FormatFixed(static_cast<double>(size) / 100.0, integerDigits, 2, false, Separateur()).trimmed();
    return isSigned && value < 0 ? QStringLiteral("-") + digits : digits;
}

// A figure typed, ×100 as stored; the text itself when it is no number
// (the check refuses it before any save; the comparison of "Retour" sees a
// change).
std::string Stocke(const QString& text) {
    const std::optional<rules::Scaled> value = rules::ParseScaled(text.toStdString(), 2);
    return value ? std::to_string(*value) : text.toStdString();
}

std::vector<std::string> Valeurs(const dba::Record& r, int field) {
    std::vector<std::string> values;
    for (int i = 1; !r.Item(field, i).empty(); ++i)
        values.push_back(r.Item(field, i));
    return values;
}

} // namespace

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

    ui::onClick(ui.Cac_CPMoisContrat, this, &OngletElementsPaie::Cac_CPMoisContrat_Click);
    ui::onLostFocus(ui.Txt_DateFinValMut, this, [this] { ControleDate(ui.Txt_DateFinValMut); });
    for (auto [box, digits, isSigned] : {std::tuple{ui.Txt_MutSalContrat, 4, false},
                                         std::tuple{ui.Txt_MutPatContrat, 4, false}, std::tuple{ui.Txt_PlafSecu, 5, true}}) {
        ui::onKeyPress(box, this, [box, isSigned](int& ascii) {
            ascii = data::numbers::FilterNumericKey(ascii, isSigned, Separateur(), box->text());
        });
        ui::onLostFocus(box, this, [this, box, digits, isSigned] { Montant_LostFocus(box, digits, isSigned); });
    }

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

    const int mode = Champ(r, c::ModePaiement).toInt();
    ui.Cbo_ModPaieContrat->setCurrentIndex(mode >= 1 && mode <= ui.Cbo_ModPaieContrat->count() ? mode - 1 : -1);
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

    RemplirPrevoyance();
    const std::string provident = r.Item(c::Prevoyance);
    if (ui.Cbo_LibPrevContrat->currentText().isEmpty() && !beneficiaryEmploys) {
        AfficherPaire(r, c::Prevoyance, providentList_, ui.Txt_PrevContrat, ui.Cbo_LibPrevContrat);
    } else if (!provident.empty()) {
        try {
            const dba::Record scheme = ctx.g.Handles.ContratsPrev.ReadRecordOrEmpty(provident);
            MettreTexte(ui.Cbo_LibPrevContrat, QString::fromStdString(scheme.Item(data::contratsprev::Libelle)));
            ui.Txt_PrevContrat->setText(QString::fromStdString(provident));
        } catch (const dba::Error& error) {
            SignalerTableIllisible(data::tables::CONTRATSPREV, error);
        }
    }
    // Under agreement "02" the scheme follows the employer: kept as shown.
    ctx.state.keptProvidentContract = beneficiaryEmploys ? QString::fromStdString(provident) : QString();
    ui.Cac_CPMoisContrat->setChecked(r.Item(c::CongesPayesAuMois) == "1");
    ui.Txt_MutSalContrat->setText(Centiemes(r.Item(c::MutuellePartSalariale), 4, false));
    ui.Txt_MutPatContrat->setText(Centiemes(r.Item(c::MutuellePartPatronale), 4, false));

    if (ui.Cbo_ChargMutContrat->count() == 0)
        lists_.front()->Remplir();
    AfficherPaire(r, c::RubriqueChargeMutuelle, chargeList_, ui.Txt_ChargMutContrat, ui.Cbo_ChargMutContrat);

    const int exemption = Champ(r, c::MotifDispense).toInt();
    ui.Cbo_MotifDispense->setCurrentIndex(exemption >= 0 && exemption < ui.Cbo_MotifDispense->count() ? exemption
                                                                                                        : 0);
    ui.Txt_DateFinValMut->setText(DateChamp(r, c::DateFinValiditeDispense));

    const std::string zone = r.Item(c::CarteOrange);
    for (int i = 1; i <= carteOrange_.DCount(data::listes::Codes); ++i)
        if (carteOrange_.Item(data::listes::Codes, i) == zone) {
            lists_[1]->Remplir();
            MettreTexte(ui.Cbo_CartOrangContrat, Valeur(carteOrange_, data::listes::Libelles, i));
            break;
        }

    const bool production = r.Item(c::Statut) == c::StatutProduction;
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Lst_RepartActContrat, ui.Txt_RepartActContrat,
                                                      ui.Txt_ActiviteContrat})
        w->setEnabled(!production);
    ui.Cmd_OKActivite->setEnabled(!production);
    ui.Cmd_AnnulerActivite->setEnabled(!production);
    if (!production)
        ui.Cbo_Activite->setEnabled(!ctx.NiveauVerrouille());
    activites_.AfficherActivites();

    const std::string ceiling = r.Item(c::PlafondSecuIndividuel);
    ui.Txt_PlafSecu->setText(ceiling.empty() ? QString() : Centiemes(ceiling, 5, true));
    Deselectionner(ui.Cbo_LibProfilContrat);
    Deselectionner(ui.Cbo_ModPaieContrat);
}

rules::ElementsPaieSaisie OngletElementsPaie::Saisie() const {
    rules::ElementsPaieSaisie s;
    s.mutSal = ui.Txt_MutSalContrat->text();
    s.mutPat = ui.Txt_MutPatContrat->text();
    s.plafond = ui.Txt_PlafSecu->text();
    s.chargeMutuelle = ui.Txt_ChargMutContrat->text();
    s.profil1 = ui.Txt_ProfilContrat->text();
    s.profil2 = ui.Txt_ProfilContrat2->text();
    s.modePaiement = ui.Cbo_ModPaieContrat->currentText();
    for (int i = 0; i < ui.Lst_ActiviteContrat->count(); ++i)
        s.activites << ui.Lst_ActiviteContrat->item(i)->text();
    for (int i = 0; i < ui.Lst_RepartActContrat->count(); ++i)
        s.parts << ui.Lst_RepartActContrat->item(i)->text();
    s.administratif = ui.Opt_Administratif->isChecked();
    s.statut = ctx.g.ContractRecord.Item(c::Statut);
    s.production = ui.Opt_Production->isChecked();
    s.mensuel = ui.Opt_Mensuel->isChecked();
    s.convention = ui.Txt_ConvColContrat->text();
    return s;
}

void OngletElementsPaie::Verif() {
    CommencerVerif();
    rules::ElementsPaieSaisie s = Saisie();
    std::optional<rules::Refus> refus;
    try {
        if (rules::TestProfilsApplicable(s)) {
            for (auto [lu, code] : {std::pair{&s.lu1, s.profil1}, std::pair{&s.lu2, s.profil2}}) {
                const dba::Record profile = ctx.g.Handles.Profil.ReadRecordOrEmpty(code.toStdString());
                lu->code = code;
                lu->existe = !profile.Item().empty();
                lu->champ4 = profile.Item(data::profil::Mandataire);
                lu->charges = Valeurs(profile, data::profil::Rubriques);
            }
            for (int row = 1; row <= ctx.homeHelpCharges.DCount(); ++row)
                s.chargesAideDomicile.insert(ctx.homeHelpCharges.Item(row, 1));
        }
        refus = rules::VerifElementsPaie(s);
    } catch (const dba::Error& error) {
        refus = rules::Refus{MessageTableIllisible(data::tables::PROFIL, error), ui::Icon::Exclamation, {}};
    }
    if (!refus) {
        // The contract's type is that of its first activity.
        for (int r = 1; r <= ctx.activityList.DCount() && !s.activites.isEmpty(); ++r)
            if (QString::fromStdString(ctx.activityList.Item(r, 2)) == s.activites.front()) {
                ctx.state.activityType = QString::fromStdString(ctx.activityList.Item(r, 3));
                break;
            }
        return;
    }
    ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
    ui.Ong_Contrat->setCurrentIndex(ElementsPaie);
    if (auto* focus = ctx.dialog.findChild<QWidget*>(refus->focus)) {
        if (refus->vider)
            if (auto* box = qobject_cast<QLineEdit*>(focus))
                box->clear();
        focus->setFocus();
    }
    ctx.state.tabError[ElementsPaie] = true;
}

void OngletElementsPaie::Ecrire() {
    ++ctx.state.writes[ElementsPaie];
    EditorState& state = ctx.state;
    state.tabError[ElementsPaie] = false;
    const bool locked = ctx.NiveauVerrouille();
    if (locked)
        state.checkBeforeWrite = false;
    if (state.checkBeforeWrite)
        Verif();
    if (!locked && ui.Cbo_ModPaieContrat->count() > 0 && ui.Cbo_ModPaieContrat->currentIndex() == 0 &&
        (state.saveInProgress || state.writeFromReturn)) {
        bool ribMissing = false;
        try {
            ribMissing = !ctx.g.Handles.RibAidant.Exists(ctx.CodeAidant().toStdString());
        } catch (const dba::Error& error) {
            // Unchecked is not "has bank details".
            SignalerTableIllisible(data::tables::RIBAIDANT, error);
            state.tabError[ElementsPaie] = true;
            return;
        }
        if (ribMissing && state.saveInProgress) {
            ui::messages().Show(MessageVirementSansRib, ui::Buttons::Ok, ui::Icon::Exclamation);
            ui.Cbo_ModPaieContrat->setFocus();
            state.tabError[ElementsPaie] = true;
            return;
        }
        if (ribMissing) {
            state.bankDetailsMissing = true;
            return;
        }
    }
    if (Erreur() || locked)
        return;
    dba::Record r = ctx.g.ContractRecord;
    EcrireDans(r);
    ctx.g.ContractRecord = r;
    if (ui.Txt_MutSalContrat->text().isEmpty())
        ui.Txt_MutSalContrat->setText(QStringLiteral("0"));
    if (ui.Txt_MutPatContrat->text().isEmpty())
        ui.Txt_MutPatContrat->setText(QStringLiteral("0"));
    // The pay-entry items must stay charged to the contract's activities.
    if (!r.Item(data::contrat::RubSaisieActivite).empty() && r.Item(c::Statut) != c::StatutAdministratif &&
        rules::RubriqueHorsActivites(Valeurs(r, data::contrat::RubSaisieActivite), Valeurs(r, c::Activites))) {
        ui::messages().Show(QStringLiteral("Les activités des rubriques de saisie ne sont pas en correspondance avec "
                                           "les activités du contrat."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        state.tabError[ElementsPaie] = true;
    }
}

void OngletElementsPaie::EcrireDans(dba::Record& r) const {
    const bool particulier = ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    r.SetItem(c::Profil, ui.Txt_ProfilContrat->text().toStdString());
    r.SetItem(c::Profil2, ui.Txt_ProfilContrat2->text().toStdString());
    const int mode = ui.Cbo_ModPaieContrat->findText(ui.Cbo_ModPaieContrat->currentText(), Qt::MatchFixedString |
                                                                                              Qt::MatchCaseSensitive);
    r.SetItem(c::ModePaiement, std::to_string(1 + mode));
    r.SetItem(c::PaiementParAssociation, !particulier || ui.Cac_PaieSalContrat->isChecked() ? "1" : "0");
    r.SetItem(c::Prevoyance, particulier ? ctx.state.keptProvidentContract.toStdString()
                                         : ui.Txt_PrevContrat->text().toStdString());
    r.SetItem(c::MarqueOngletPaie, "B");
    r.SetItem(c::CongesPayesAuMois, ui.Cac_CPMoisContrat->isChecked() ? "1" : "0");
    for (const auto& [box, field] : {std::pair{ui.Txt_MutSalContrat, c::MutuellePartSalariale},
                                     std::pair{ui.Txt_MutPatContrat, c::MutuellePartPatronale}})
        r.SetItem(field, Stocke(box->text().isEmpty() ? QStringLiteral("0") : box->text()));
    r.SetItem(c::RubriqueChargeMutuelle, ui.Txt_ChargMutContrat->text().toStdString());
    r.SetItem(c::MotifDispense, std::to_string(std::max(0, ui.Cbo_MotifDispense->currentIndex())));
    r.SetItem(c::DateFinValiditeDispense, data::dates::DateToInternal(ui.Txt_DateFinValMut->text()).toStdString());

    std::string zone;
    const QString zoneText = ui.Cbo_CartOrangContrat->currentText();
    for (int i = 1; i <= carteOrange_.DCount(data::listes::Codes) + 1; ++i)
        if (Valeur(carteOrange_, data::listes::Libelles, i) == zoneText) {
            zone = carteOrange_.Item(data::listes::Codes, i);
            break;
        }
    r.SetItem(c::CarteOrange, zone);

    r.SetItem(c::Activites, "");
    r.SetItem(c::RepartitionActivites, "");
    for (int row = 0; row < ui.Lst_ActiviteContrat->count(); ++row) {
        const QString label = ui.Lst_ActiviteContrat->item(row)->text();
        std::string code;
        for (int a = 1; a <= ctx.activityList.DCount(); ++a)
            if (QString::fromStdString(ctx.activityList.Item(a, 2)) == label) {
                code = ctx.activityList.Item(a, 1);
                break;
            }
        const QListWidgetItem* share = ui.Lst_RepartActContrat->item(row);
        const QString shareText = share ? share->text().trimmed() : QString();
        // One value per activity, even the first and empty ones.
        r.SetItem(c::Activites, row + 1, code);
        r.SetItem(c::RepartitionActivites, row + 1, shareText.isEmpty() ? std::string() : Stocke(shareText));
    }
    const QString ceiling = ui.Txt_PlafSecu->text().trimmed();
    r.SetItem(c::PlafondSecuIndividuel, ceiling.isEmpty() ? std::string() : Stocke(ceiling));
    r.SetItem(c::ProvisionConges, ui.Cac_ProvCP->isChecked() ? "1" : "0");
}

// --- Handlers of the tab ---

void OngletElementsPaie::Cac_CPMoisContrat_Click() {
    if (ui.Txt_ConvColContrat->text() != QLatin1String(c::ConventionParticulierEmployeur)) {
        ui.Cac_ProvCP->setChecked(false);
        return;
    }
    const bool monthly = ui.Cac_CPMoisContrat->isChecked();
    ui.Cac_ProvCP->setVisible(!monthly);
    if (monthly)
        ui.Cac_ProvCP->setChecked(false);
}

void OngletElementsPaie::Montant_LostFocus(QLineEdit* box, int integerDigits, bool isSigned) {
    const std::optional<rules::Scaled> value = rules::ParseScaled(box->text().toStdString(), 2);
    if (box->text().trimmed().isEmpty() || !value)
        return;
    box->setText(Centiemes(std::to_string(*value), integerDigits, isSigned));
}

} // namespace editor
