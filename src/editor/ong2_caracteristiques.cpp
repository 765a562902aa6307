// Tab "Caractéristiques": display, check and write of the terms of one
// contract entry, and the handlers of its boxes.
#include "editor/ong2_caracteristiques.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/table_error.h"
#include "rules/amendments.h"
#include "rules/caracteristiques_checks.h"
#include "rules/date_entry.h"
#include "rules/hours.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>

namespace editor {

namespace {

namespace c = data::contrat;
namespace t = data::tables;

QString Separateur() {
    return data::UtilityServices::Instance().DecimalSeparator();
}

std::optional<long long> Entier(const std::string& text) {
    return rules::ParseScaled(text, 0);
}

// The stored text when it reads back as `ecrit` does: an entry written back
// unchanged keeps its stored form byte for byte.
template <class Lire> std::string Garder(const std::string& stocke, const std::string& ecrit, Lire lire) {
    return lire(stocke) == lire(ecrit) ? stocke : ecrit;
}

// A figure typed, scaled; a text that is not a number refuses the write.
std::string Echelle(const QString& typed, int decimals, const char* what) {
    const std::optional<std::string> value = rules::SaisieEchelle(typed, decimals);
    if (!value)
        throw dba::InvalidValue(std::string(what) + " : « " + typed.toStdString() + " » n'est pas un nombre");
    return *value;
}

// Suspension days: x 100 unless empty or "0", which are kept as typed.
std::string Jours(const QString& typed) {
    if (typed.isEmpty() || typed == QLatin1String("0"))
        return typed.toStdString();
    return Echelle(typed, rules::DecimalesJours, "Jours de suspension");
}

QString JoursAffiches(const std::string& stored) {
    if (stored.empty() || stored == "0")
        return QString::fromStdString(stored);
    return rules::AfficherEchelle(stored, rules::DecimalesJours, 0, Separateur());
}

} // namespace

OngletCaracteristiques::OngletCaracteristiques(EditorContext& context) : OngletContrat(context, Caracteristiques) {
    ui.Cmd_OKAvenant->setEnabled(false);
    ui.Cmd_AnnulerAvenant->setEnabled(false);
    connecter();
}

OngletCaracteristiques::~OngletCaracteristiques() = default;

void OngletCaracteristiques::connecter() {
    RechercheCode::Config pcs;
    pcs.code = ui.Txt_CodPCSContrat;
    pcs.libelle = ui.Cbo_FoncPCSContrat;
    pcs.longueur = RechercheCode::Longueur(4);
    pcs.ligneDe = [this](const QString& code) {
        const dba::ResultList found = ctx.g.TheDatabase.SelectRecords(
            "SSELECT PCS AVEC 0 = \"" + code.toStdString() + "\"", "0 1");
        if (found.DCount() == 0)
            return -1;
        // The function found brings its category and the category's functions.
        if (categories_.DCount() == 0)
            Remplir_PCS();
        const std::string category = code.left(2).toStdString();
        QString label;
        for (int row = 1; row <= categories_.DCount(); ++row)
            if (categories_.Item(row, 1) == category)
                label = QString::fromStdString(categories_.Item(row, 2));
        {
            const QScopedValueRollback<bool> busy(enCours_, true);
            MettreTexte(ui.Cbo_CategPCSContrat, label);
            Remplir_FoncPCS();
        }
        for (int row = 1; row <= fonctions_.DCount(); ++row)
            if (fonctions_.Item(row, 1) == code.toStdString())
                return row - 1;
        return -1;
    };
    pcs.codeDe = RechercheCode::CodeDans(fonctions_);
    pcs.inconnu = QStringLiteral("Aucune fonction ne correspond à ce code.");
    pcs.icone = ui::Icon::Exclamation;
    pcs_ = std::make_unique<RechercheCode>(ctx, std::move(pcs));

    ListeSaisie::Config categories;
    categories.combo = ui.Cbo_CategPCSContrat;
    categories.remplir = [this](QComboBox*) { Remplir_PCS(); };
    categoriesListe_ = std::make_unique<ListeSaisie>(ctx, std::move(categories));
    ui::onClick(ui.Cbo_CategPCSContrat, this, &OngletCaracteristiques::Cbo_CategPCSContrat_Click);
    // The functions of the category shown, when none was chosen yet.
    ui::onDropDown(ui.Cbo_FoncPCSContrat, this, [this] {
        if (ui.Cbo_FoncPCSContrat->count() > 0 || ui.Cbo_CategPCSContrat->currentText().isEmpty())
            return;
        try {
            const QString function = ui.Cbo_FoncPCSContrat->currentText();
            if (categories_.DCount() == 0)
                Remplir_PCS();
            const QScopedValueRollback<bool> busy(enCours_, true);
            Remplir_FoncPCS();
            MettreTexte(ui.Cbo_FoncPCSContrat, function);
        } catch (const dba::Error& error) {
            SignalerTableIllisible(t::PCS, error);
        }
    });

    // The qualifications are read again at every drop-down: one added from
    // the parameter screen meanwhile is offered at once. Connected before
    // the list itself, which fills an empty combo.
    ui::onDropDown(ui.Cbo_QualifContrat, this, [this] {
        const QString text = ui.Cbo_QualifContrat->currentText();
        ui.Cbo_QualifContrat->clear();
        MettreTexte(ui.Cbo_QualifContrat, text);
    });
    ListeSaisie::Config qualifications;
    qualifications.combo = ui.Cbo_QualifContrat;
    qualifications.remplir = [this](QComboBox* combo) { RemplirQualifications(combo); };
    qualifications_ = std::make_unique<ListeSaisie>(ctx, std::move(qualifications));

    // A grid that does not exist is refused at the save, not when typed.
    ui::onDropDown(ui.Cbo_GrilleContrat, this, [this] {
        if (ui.Txt_ConvColContrat->text() != conventionGrilles_ || !grillesLues_)
            RemplirGrilles();
    });
    ListeSaisie::Config grilles;
    grilles.combo = ui.Cbo_GrilleContrat;
    grilles.remplir = [this](QComboBox* combo) {
        const dba::ResultList& list = Grilles();
        for (int row = 1; row <= list.DCount(); ++row)
            combo->addItem(QString::fromStdString(list.Item(row, 2)));
    };
    grillesListe_ = std::make_unique<ListeSaisie>(ctx, std::move(grilles));
    ui::onClick(ui.Cbo_GrilleContrat, this, &OngletCaracteristiques::Cbo_GrilleContrat_Click);
    ui::onLostFocus(ui.Cbo_GrilleContrat, this, &OngletCaracteristiques::Cbo_GrilleContrat_LostFocus);

    auto suiviAnnuel = [this] {
        if (ctx.affichage == 0)
            ctx.ecrans.Activer(ui.Cmd_SuiviAnnuel, true);
    };
    ui::onClick(ui.Cbo_FreqWContrat, this, suiviAnnuel);
    ui::onComboChange(ui.Cbo_FreqWContrat, this, suiviAnnuel);
    ui::onClick(ui.Cac_Lissage, this, &OngletCaracteristiques::Cac_Lissage_Click);

    for (QLineEdit* box : {ui.Txt_CoefNivContrat, ui.Txt_TauxHorContrat, ui.Txt_DureeWContrat, ui.Txt_JourSusp,
                           ui.Txt_JourSuspAnc})
        ui::onKeyPress(box, this, [box](int& ascii) {
            ascii = data::UtilityServices::Instance().FilterNumericKey(ascii, false, box->text());
        });
    ui::onLostFocus(ui.Txt_CoefNivContrat, this, [this] {
        NombreQuitte(ui.Txt_CoefNivContrat, rules::DecimalesCoefficient, 0,
                     QString::fromUtf8(rules::MessageCoefficientNonNombre));
    });
    ui::onLostFocus(ui.Txt_TauxHorContrat, this, [this] {
        NombreQuitte(ui.Txt_TauxHorContrat, rules::DecimalesTaux, 2, QString::fromUtf8(rules::MessageTauxNonNombre));
    });
    ui::onLostFocus(ui.Txt_DureeWContrat, this, [this] {
        NombreQuitte(ui.Txt_DureeWContrat, rules::DecimalesDuree, 2, QString::fromUtf8(rules::MessageDureeNonNombre));
    });
    ui::onLostFocus(ui.Txt_JourSusp, this, [this] { JoursSuspensionQuittes(ui.Txt_JourSusp); });
    ui::onLostFocus(ui.Txt_JourSuspAnc, this, [this] { JoursSuspensionQuittes(ui.Txt_JourSuspAnc); });
    // The date boxes take digits and "/" from the Origine tab's filter.
    ui::onLostFocus(ui.Txt_DepartGrilContrat, this, [this] {
        if (ControleDate(ui.Txt_DepartGrilContrat))
            DatesReference();
    });
    ui::onLostFocus(ui.Txt_DateAnciennete, this, [this] {
        if (ControleDate(ui.Txt_DateAnciennete))
            DatesReference();
    });
}

// --- Display ---

void OngletCaracteristiques::AfficherControles() {
    ++ctx.state.displays[Caracteristiques];
    const dba::Record& r = ctx.g.ContractRecord;
    const bool verrouille = ctx.NiveauVerrouille();
    const QString sep = Separateur();

    ui.Cmd_SupprAv->setEnabled(false);
    const int last = std::max(0, r.DCount(c::NumeroAvenant) - 1);
    ui.Bdh_Avenant->setMaximum(last);
    if (!garderSelection_) {
        ui.Bdh_Avenant->setEnabled(true);
        ui.Bdh_Avenant->setValue(last);
    }
    garderSelection_ = false;
    const int n = ui.Bdh_Avenant->value() + 1;

    const QString number = Valeur(r, c::NumeroAvenant, n);
    ui.Txt_AvenantContrat->setText(rules::EstTermesInitiaux(number) ? QStringLiteral("0") : number);
    const bool initiales = rules::EstTermesInitiaux(ui.Txt_AvenantContrat->text());
    // Only a real amendment has a document of its own.
    ui.Cmd_ImpAvenant->setEnabled(!initiales);
    if (initiales) {
        // The initial terms take effect when the contract starts.
        ui.Txt_DatEffetContrat->setEnabled(false);
    } else {
        if (!verrouille)
            ui.Txt_DatEffetContrat->setEnabled(true);
    }
    const QString effective = DateValeur(r, c::DateEffet, n);
    ui.Txt_DatEffetContrat->setText(r.Item(c::DateEffet, n).empty() ? DateChamp(r, c::DateDebut) : effective);

    ui.Cbo_QualifContrat->clear();
    try {
        RemplirQualifications(ui.Cbo_QualifContrat);
    } catch (const dba::Error& error) {
        // Without the list the stored qualification is still shown.
        SignalerTableIllisible(t::TABLES, error);
    }
    MettreTexte(ui.Cbo_QualifContrat, Valeur(r, c::Qualification, n));

    MettreTexte(ui.Cbo_CategPCSContrat, Valeur(r, c::CategoriePCS, n));
    ui.Txt_CodPCSContrat->setText(Valeur(r, c::CodePCS, n));
    MettreTexte(ui.Cbo_FoncPCSContrat, Valeur(r, c::FonctionPCS, n));

    const std::string grid = r.Item(c::Grille, n);
    ModeGrille(!grid.empty());
    try {
        RemplirGrilles();
    } catch (const dba::Error& error) {
        SignalerTableIllisible(t::GRILLESCC, error);
    }
    MettreTexte(ui.Cbo_GrilleContrat, NomGrille(grid));

    ui.Txt_DepartGrilContrat->setText(DateValeur(r, c::DateDepartGrille, n));
    ui.Txt_CoefNivContrat->setText(
        rules::AfficherEchelle(r.Item(c::Coefficient, n), rules::DecimalesCoefficient, 0, sep));
    ui.Txt_TauxHorContrat->setText(rules::AfficherEchelle(r.Item(c::TauxHoraire, n), rules::DecimalesTaux, 2, sep));
    ui.Txt_DureeWContrat->setText(
        rules::AfficherEchelle(r.Item(c::DureeTravail, n), rules::DecimalesDuree, 2, sep));
    const std::optional<rules::WorkPeriod> period = rules::WorkPeriodFromCode(r.Item(c::FrequenceTravail, n));
    if (period)
        ui.Cbo_FreqWContrat->setCurrentIndex(static_cast<int>(*period) - 1);
    else
        ViderTexte(ui.Cbo_FreqWContrat);
    ctx.state.savedDuration = ui.Txt_DureeWContrat->text() + ui.Cbo_FreqWContrat->currentText();

    ui.Txt_Commentaire->setText(Valeur(r, c::Commentaire1, n));
    ui.Txt_Commentaire2->setText(Valeur(r, c::Commentaire2, n));

    ui.Cac_Lissage->setChecked(r.Item(c::Lissage, n) == "1");
    ui.Cac_PaiementHeuresPos->setEnabled(ui.Cac_Lissage->isChecked());
    ui.Cac_RetraitHeuresNeg->setEnabled(ui.Cac_Lissage->isChecked());
    const rules::HeuresModulation heures = rules::LireHeuresModulation(r.Item(c::HeuresModulation, n));
    ui.Cac_PaiementHeuresPos->setChecked(heures.paiementPositives);
    ui.Cac_RetraitHeuresNeg->setChecked(heures.retraitNegatives);

    ui.Txt_JourSusp->setText(JoursAffiches(r.Item(c::JoursSuspensionGrille)));
    ui.Txt_DateAnciennete->setText(DateChamp(r, c::DateAnciennete));
    ui.Txt_JourSuspAnc->setText(JoursAffiches(r.Item(c::JoursSuspensionAnciennete)));
    DatesReference();

    ctx.ecrans.Activer(ui.Cmd_SuiviAnnuel, true);
    if (r.DCount(c::NumeroAvenant) > 0 && !initiales && !verrouille)
        ui.Cmd_SupprAv->setEnabled(true);
    Deselectionner(ui.Cbo_QualifContrat);
    Deselectionner(ui.Cbo_FreqWContrat);
}

void OngletCaracteristiques::Vider_Ong2() {
    // Emptied to show another entry: nothing is looked up meanwhile.
    ++ctx.affichage;
    const struct Fin {
        int& n;
        ~Fin() { --n; }
    } fin{ctx.affichage};
    for (QLineEdit* box : {ui.Txt_TauxHorContrat, ui.Txt_DureeWContrat, ui.Txt_DepartGrilContrat,
                           ui.Txt_DatEffetContrat, ui.Txt_CoefNivContrat, ui.Txt_CodPCSContrat})
        box->clear();
    for (QComboBox* combo : {ui.Cbo_QualifContrat, ui.Cbo_GrilleContrat, ui.Cbo_FreqWContrat, ui.Cbo_FoncPCSContrat,
                             ui.Cbo_CategPCSContrat})
        ViderTexte(combo);
}

void OngletCaracteristiques::ModeGrille(bool grid) {
    ui.Etq_DepartGrilContrat->setEnabled(grid);
    ui.Txt_DepartGrilContrat->setEnabled(grid);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Etq_CoefNivContrat, ui.Txt_CoefNivContrat,
                                                      ui.Etq_TauxHorContrat, ui.Txt_TauxHorContrat})
        w->setEnabled(!grid);
}

void OngletCaracteristiques::DatesReference() {
    ui.Txt_DatReference->setText(rules::DateReference(ui.Txt_DepartGrilContrat->text(), ui.Txt_DatDebContrat->text(),
                                                      ui.Txt_JourSusp->text()));
    ui.Txt_DatReferenceAnc->setText(rules::DateReference(ui.Txt_DateAnciennete->text(),
                                                         ui.Txt_DatDebContrat->text(), ui.Txt_JourSuspAnc->text()));
}

// --- Lists ---

void OngletCaracteristiques::RemplirQualifications(QComboBox* combo) {
    const dba::Record list = ctx.g.Handles.Tables.ReadRecordOrEmpty(t::lists::QUALIF);
    for (int i = 1; !list.Item(data::listes::Codes, i).empty(); ++i)
        combo->addItem(Valeur(list, data::listes::Codes, i));
}

const dba::ResultList& OngletCaracteristiques::Grilles() const {
    const QString agreement = ui.Txt_ConvColContrat->text();
    if (!grillesLues_ || agreement != conventionGrilles_) {
        grillesLues_ = false;
        grilles_ = dba::ResultList();
        conventionGrilles_ = agreement;
        if (!agreement.isEmpty())
            grilles_ = ctx.g.TheDatabase.SelectRecords(
                "SSELECT GRILLESCC AVEC 0 = \"" + agreement.toStdString() + "]\" AND AVEC 8 <> \"1\" PAR 1", "0 1");
        grillesLues_ = true;
    }
    return grilles_;
}

void OngletCaracteristiques::RemplirGrilles() {
    const QScopedValueRollback<bool> busy(enCours_, true);
    const QString text = ui.Cbo_GrilleContrat->currentText();
    ui.Cbo_GrilleContrat->clear();
    const dba::ResultList& list = Grilles();
    for (int row = 1; row <= list.DCount(); ++row)
        ui.Cbo_GrilleContrat->addItem(QString::fromStdString(list.Item(row, 2)));
    MettreTexte(ui.Cbo_GrilleContrat, text);
}

QString OngletCaracteristiques::NomGrille(const std::string& code) const {
    if (code.empty() || !grillesLues_)
        return {};
    for (int row = 1; row <= grilles_.DCount(); ++row)
        if (grilles_.Item(row, 1) == code)
            return QString::fromStdString(grilles_.Item(row, 2));
    return {};
}

std::string OngletCaracteristiques::CodeGrille(const QString& name) const {
    if (name.isEmpty() || !grillesLues_)
        return {};
    const std::string wanted = name.toStdString();
    for (int row = 1; row <= grilles_.DCount(); ++row)
        if (grilles_.Item(row, 2) == wanted)
            return grilles_.Item(row, 1);
    return {};
}

void OngletCaracteristiques::Remplir_PCS() {
    categories_ = ctx.g.TheDatabase.SelectRecords("SSELECT PCS AVEC 0 < \"100\" PAR 1", "0 1");
    const QString text = ui.Cbo_CategPCSContrat->currentText();
    {
        const QScopedValueRollback<bool> busy(enCours_, true);
        ui.Cbo_CategPCSContrat->clear();
        for (int row = 1; row <= categories_.DCount(); ++row)
            ui.Cbo_CategPCSContrat->addItem(QString::fromStdString(categories_.Item(row, 2)));
        MettreTexte(ui.Cbo_CategPCSContrat, text);
    }
}

void OngletCaracteristiques::Remplir_FoncPCS() {
    const std::string wanted = ui.Cbo_CategPCSContrat->currentText().toStdString();
    std::string category;
    for (int row = 1; row <= categories_.DCount(); ++row)
        if (categories_.Item(row, 2) == wanted)
            category = categories_.Item(row, 1);
    const QString text = ui.Cbo_CategPCSContrat->currentText();
    dba::ResultList found;
    if (!category.empty())
        found = ctx.g.TheDatabase.SelectRecords(
            "SSELECT PCS AVEC 0 = \"" + category + "]\" AND AVEC 0 > \"" + category + "\" PAR 1", "0 1");
    {
        // Refilling the list is no choice of a function: the code stays.
        const QSignalBlocker quiet(ui.Cbo_FoncPCSContrat);
        ui.Cbo_FoncPCSContrat->clear();
        fonctions_ = std::move(found);
        for (int row = 1; row <= fonctions_.DCount(); ++row)
            ui.Cbo_FoncPCSContrat->addItem(QString::fromStdString(fonctions_.Item(row, 2)));
        ViderTexte(ui.Cbo_FoncPCSContrat);
    }
    const QScopedValueRollback<bool> busy(enCours_, true);
    MettreTexte(ui.Cbo_CategPCSContrat, text);
}

// --- Handlers ---

void OngletCaracteristiques::Cbo_CategPCSContrat_Click() {
    if (ctx.affichage > 0 || enCours_)
        return;
    try {
        Remplir_FoncPCS();
    } catch (const dba::Error& error) {
        SignalerTableIllisible(t::PCS, error);
    }
    ui.Txt_CodPCSContrat->clear();
}

void OngletCaracteristiques::Cbo_GrilleContrat_Click() {
    if (ctx.affichage > 0 || enCours_ || ui.Cbo_GrilleContrat->currentText().isEmpty())
        return;
    // A career grid gives the coefficient and the rate: what was typed goes.
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Etq_CoefNivContrat, ui.Etq_TauxHorContrat,
                                                      ui.Txt_CoefNivContrat, ui.Txt_TauxHorContrat})
        w->setEnabled(false);
    ui.Txt_CoefNivContrat->setText(QStringLiteral("0"));
    ui.Txt_TauxHorContrat->clear();
    ui.Etq_DepartGrilContrat->setEnabled(true);
    ui.Txt_DepartGrilContrat->setEnabled(true);
    ui.Txt_DepartGrilContrat->setFocus();
}

void OngletCaracteristiques::Cbo_GrilleContrat_LostFocus() {
    const bool grid = !ui.Cbo_GrilleContrat->currentText().isEmpty();
    ModeGrille(grid);
    if (!grid)
        ui.Txt_DepartGrilContrat->clear();
}

void OngletCaracteristiques::Cac_Lissage_Click() {
    const bool checked = ui.Cac_Lissage->isChecked();
    ui.Cac_RetraitHeuresNeg->setEnabled(checked);
    ui.Cac_PaiementHeuresPos->setEnabled(checked);
    if (!checked) {
        ui.Cac_RetraitHeuresNeg->setChecked(false);
        ui.Cac_PaiementHeuresPos->setChecked(false);
    }
}

void OngletCaracteristiques::NombreQuitte(QLineEdit* box, int decimals, int minimum, const QString& refus) {
    if (box->text().isEmpty())
        return;
    if (const std::optional<QString> normal = rules::NormaliserSaisie(box->text(), decimals, minimum, Separateur())) {
        if (*normal != box->text())
            box->setText(*normal);
        return;
    }
    ui::messages().Show(refus, ui::Buttons::Ok, ui::Icon::Exclamation);
    Focus(box);
}

void OngletCaracteristiques::JoursSuspensionQuittes(QLineEdit* days) {
    if (!days->text().isEmpty() && !rules::SaisieEchelle(days->text(), rules::DecimalesJours)) {
        ui::messages().Show(QString::fromUtf8(rules::MessageJoursNonNombre), ui::Buttons::Ok, ui::Icon::Exclamation);
        (days == ui.Txt_JourSusp ? ui.Txt_DatReference : ui.Txt_DatReferenceAnc)->clear();
        Focus(days);
        return;
    }
    DatesReference();
}

void OngletCaracteristiques::Focus(QWidget* control) {
    ui.Ong_Contrat->setCurrentIndex(Caracteristiques);
    if (control)
        control->setFocus();
}

// --- Check ---

void OngletCaracteristiques::Verif() {
    CommencerVerif();
    rules::CaracteristiquesSaisie s;
    s.dateEffet = ui.Txt_DatEffetContrat->text();
    s.qualification = ui.Cbo_QualifContrat->currentText();
    s.categorie = ui.Cbo_CategPCSContrat->currentText();
    s.fonction = ui.Cbo_FoncPCSContrat->currentText();
    s.codePCS = ui.Txt_CodPCSContrat->text();
    s.duree = ui.Txt_DureeWContrat->text();
    s.frequence = ui.Cbo_FreqWContrat->currentText();
    s.grille = ui.Cbo_GrilleContrat->currentText();
    s.coefficient = ui.Txt_CoefNivContrat->text();
    s.taux = ui.Txt_TauxHorContrat->text();
    s.joursSusp = ui.Txt_JourSusp->text();
    s.joursSuspAnc = ui.Txt_JourSuspAnc->text();
    s.cadreLissageVisible = !ui.Cdr_Lissage->isHidden();
    s.lissage = ui.Cac_Lissage->isChecked();
    s.mensuel = ui.Opt_Mensuel->isChecked();
    s.production = ui.Opt_Production->isChecked();
    std::optional<rules::Refus> refus;
    try {
        const std::string code = s.codePCS.toStdString();
        if (!code.empty()) {
            s.libelleCategoriePCS = QString::fromStdString(ctx.pcs.ReadRecordOrEmpty(code.substr(0, 2)).Item(1));
            s.libelleFonctionPCS = QString::fromStdString(ctx.pcs.ReadRecordOrEmpty(code).Item(1));
        }
        const dba::ResultList& grids = Grilles();
        for (int row = 1; row <= grids.DCount(); ++row)
            s.grilles << QString::fromStdString(grids.Item(row, 2));
        refus = rules::VerifCaracteristiques(s);
    } catch (const dba::Error& error) {
        // A classification that could not be looked up is not a checked one.
        refus = rules::Refus{QStringLiteral("Vérification impossible : ") + QString::fromUtf8(error.what()),
                             ui::Icon::Exclamation, QString()};
    }
    if (!refus)
        return;
    ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
    Focus(refus->focus.isEmpty() ? nullptr : ctx.dialog.findChild<QWidget*>(refus->focus));
    ctx.state.tabError[Caracteristiques] = true;
}

// --- Write ---

void OngletCaracteristiques::Ecrire() {
    OngletContrat::Ecrire();
    ctx.state.amendmentTabChanged = false;
}

void OngletCaracteristiques::EcrireDans(dba::Record& r) const {
    const bool nouvelle = ctx.state.amendmentTabChanged;
    const int shown = ui.Bdh_Avenant->value() + 1;
    const int n = nouvelle ? r.DCount(c::NumeroAvenant) + 1 : shown;
    const std::string debut = data::dates::DateToInternal(ui.Txt_DatDebContrat->text()).toStdString();
    auto texte = [](const QString& s) { return s.toStdString(); };
    auto date = [](const QLineEdit* box) { return data::dates::DateToInternal(box->text()).toStdString(); };
    // Value n of field f: a new entry takes what is written; an entry
    // written back keeps its stored text when it means the same.
    // Setting an empty value past the end of a field would pad it: a value
    // that does not change is not set.
    auto poser = [&r](int f, int v, const std::string& text) {
        if (r.Item(f, v) != text || r.DCount(f) < v)
            r.SetItem(f, v, text);
    };
    auto ecrire = [&](int f, const std::string& ecrit, auto lire) {
        if (nouvelle)
            r.SetItem(f, n, ecrit);
        else if (const std::string texte = Garder(r.Item(f, n), ecrit, lire); texte != r.Item(f, n))
            r.SetItem(f, n, texte);
    };
    auto tel = [](const std::string& s) { return s; };

    ecrire(c::NumeroAvenant, texte(ui.Txt_AvenantContrat->text()),
           [](const std::string& s) { return rules::EstTermesInitiaux(QString::fromStdString(s)) ? std::string("00") : s; });
    const bool debutChange = QString::fromStdString(debut) != ctx.state.savedStartDate;
    if (n != 1 || !debutChange)
        ecrire(c::DateEffet, date(ui.Txt_DatEffetContrat),
               [&](const std::string& s) { return Entier(s.empty() ? r.Item(c::DateDebut) : s); });

    ecrire(c::Qualification, texte(ui.Cbo_QualifContrat->currentText()), tel);
    ecrire(c::CategoriePCS, texte(ui.Cbo_CategPCSContrat->currentText()), tel);
    ecrire(c::CodePCS, texte(ui.Txt_CodPCSContrat->text()), tel);
    ecrire(c::FonctionPCS, texte(ui.Cbo_FoncPCSContrat->currentText()), tel);

    const std::string grid = CodeGrille(ui.Cbo_GrilleContrat->currentText());
    ecrire(c::Grille, grid, [this](const std::string& s) { return NomGrille(s); });
    std::string gridStart;
    if (!ui.Txt_DepartGrilContrat->text().isEmpty())
        gridStart = date(ui.Txt_DepartGrilContrat);
    else if (!r.Item(c::Grille, n).empty())
        gridStart = debut;
    ecrire(c::DateDepartGrille, gridStart, Entier);

    const QString coefficient = ui.Txt_CoefNivContrat->text();
    ecrire(c::Coefficient,
           coefficient.isEmpty() ? std::string() : Echelle(coefficient, rules::DecimalesCoefficient, "Coefficient"),
           Entier);
    const QString rate = ui.Txt_TauxHorContrat->text();
    ecrire(c::TauxHoraire, rate.isEmpty() ? std::string("0") : Echelle(rate, rules::DecimalesTaux, "Taux horaire"),
           [](const std::string& s) { return Entier(s).value_or(0); });
    const QString duration = ui.Txt_DureeWContrat->text();
    ecrire(c::DureeTravail,
           duration.isEmpty() ? std::string() : Echelle(duration, rules::DecimalesDuree, "Durée de travail"), Entier);
    const int period = ui.Cbo_FreqWContrat->findText(ui.Cbo_FreqWContrat->currentText(), Qt::MatchExactly);
    ecrire(c::FrequenceTravail, period < 0 ? std::string() : std::to_string(period + 1),
           [](const std::string& s) { return rules::WorkPeriodFromCode(s); });

    ecrire(c::Commentaire1, texte(ui.Txt_Commentaire->text()), tel);
    ecrire(c::Commentaire2, texte(ui.Txt_Commentaire2->text()), tel);

    const bool cadre = !ui.Cdr_Lissage->isHidden();
    // An hourly production employee never keeps a modulation agreement.
    const bool sansLissage = !ctx.NiveauVerrouille() && ui.Opt_Horaire->isChecked() && ui.Opt_Production->isChecked();
    const bool lissage = cadre && ui.Cac_Lissage->isChecked() && !sansLissage;
    ecrire(c::Lissage, lissage ? "1" : "0", [](const std::string& s) { return s == "1"; });
    ecrire(c::HeuresModulation,
           cadre ? rules::CodeHeuresModulation(
                       {ui.Cac_PaiementHeuresPos->isChecked(), ui.Cac_RetraitHeuresNeg->isChecked()})
                 : std::string(),
           rules::LireHeuresModulation);

    // Not per entry: every entry shows and writes the same.
    auto commun = [&r](int f, const std::string& ecrit) {
        if (const std::string texte = Garder(r.Item(f), ecrit, Entier); texte != r.Item(f))
            r.SetItem(f, texte);
    };
    commun(c::JoursSuspensionGrille, Jours(ui.Txt_JourSusp->text()));
    commun(c::DateAnciennete, date(ui.Txt_DateAnciennete));
    commun(c::JoursSuspensionAnciennete, Jours(ui.Txt_JourSuspAnc->text()));

    if (nouvelle) {
        // The amendment fields the tab does not show start from the entry
        // the new one was typed over, so that every field keeps one value
        // per entry.
        for (int f : c::ChampsAvenant)
            if (r.DCount(f) < n)
                poser(f, n, r.Item(f, shown));
    }
}

} // namespace editor
