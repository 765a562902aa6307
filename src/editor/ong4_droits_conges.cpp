// Tab "Droits aux congés": the helper's leave counters for the contract.
#include "editor/ong4_droits_conges.h"

#include "data/contrat_fields.h"
#include "data/numbers.h"
#include "dba/errors.h"
#include "editor/contract_fields_text.h"
#include "editor/invoicing_guard.h"
#include "rules/leave_counters.h"
#include "rules/numeric_zone.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

namespace editor {

namespace c = data::contrat;

namespace {

// The labels of days acquired and remaining: working days ("ouvrés") for
// an agreement value of 1, weekdays ("ouvrables") otherwise.
struct LibellesJours {
    QString acquis, restants;
};
LibellesJours Jours(const std::string& kind) {
    if (kind == "1")
        return {QStringLiteral("Jours ouvrés acquis"), QStringLiteral("Jours ouvrés restants")};
    return {QStringLiteral("Jours ouvrables acquis"), QStringLiteral("Jours ouvrables restants")};
}

// Digits allowed before the separator: days, hours, amounts.
constexpr int ChiffresJours = 3, ChiffresHeures = 4, ChiffresMontant = 5;

struct Compteur {
    QLineEdit* Ui::Frm_ElementsContrat::*box;
    int field;
    int avant;
};

// The counters stored in hundredths, in the order they are written.
constexpr Compteur Compteurs[] = {
    {&Ui::Frm_ElementsContrat::Txt_CPConsoAcqContrat, c::CPAcquis, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_CPRestConsoContrat, c::CPRestants, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_CFRestConsoContrat, c::CFRestants, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_JrOuvrHContrat, c::JourOuvrableHeures, ChiffresHeures},
    {&Ui::Frm_ElementsContrat::Txt_JrOuvrMContrat, c::JourOuvrableMontant, ChiffresHeures},
    {&Ui::Frm_ElementsContrat::Txt_CPCoursJContrat, c::CPEnCoursJours, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_CPCoursHContrat, c::CPEnCoursHeures, ChiffresHeures},
    {&Ui::Frm_ElementsContrat::Txt_CPCoursMContrat, c::CPEnCoursMontant, ChiffresMontant},
    {&Ui::Frm_ElementsContrat::Txt_CAncAcqContrat, c::CAncienneteAcquis, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_CAncRestContrat, c::CAncienneteRestants, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_JourAnticipation, c::JoursAnticipation, ChiffresJours},
    {&Ui::Frm_ElementsContrat::Txt_ProvisionCP, c::ProvisionCP, ChiffresMontant},
    {&Ui::Frm_ElementsContrat::Txt_ProvisionCours, c::ProvisionEnCours, ChiffresMontant},
};

} // namespace

OngletDroitsConges::OngletDroitsConges(EditorContext& context) : OngletContrat(context, DroitsConges) {
    connecter();
}

void OngletDroitsConges::connecter() {
    // Worked-day values follow the working-day values; they are not stored.
    ui.Txt_JrOuvreHContrat->setReadOnly(true);
    ui.Txt_JrOuvreMContrat->setReadOnly(true);
    auto suivre = [this](QLineEdit* from, QLineEdit* to) {
        ui::onChange(from, this, [this, from, to] {
            if (!from->text().isEmpty())
                to->setText(rules::JourOuvre(from->text(), ctx.g.DecimalSeparator));
        });
    };
    suivre(ui.Txt_JrOuvrHContrat, ui.Txt_JrOuvreHContrat);
    suivre(ui.Txt_JrOuvrMContrat, ui.Txt_JrOuvreMContrat);

    QList<QPair<QLineEdit*, int>> boxes;
    for (const Compteur& k : Compteurs)
        boxes.append({ui.*k.box, k.avant});
    boxes.append({ui.Txt_CFConsoAcqContrat, ChiffresJours});
    for (const auto& [box, avant] : boxes) {
        QLineEdit* edit = box;
        ui::onKeyPress(edit, this, [this, edit](int& ascii) {
            ascii = data::numbers::FilterNumericKey(ascii, true, ctx.g.DecimalSeparator, edit->text());
        });
        const int digits = avant;
        ui::onLostFocus(edit, this, [this, edit, digits] { CompteurLostFocus(edit, digits); });
    }
}

void OngletDroitsConges::Focus(QWidget* control) {
    ui.Ong_Contrat->setCurrentIndex(DroitsConges);
    if (control)
        control->setFocus();
}

void OngletDroitsConges::CompteurLostFocus(QLineEdit* box, int avant) {
    if (ctx.affichage > 0 || box->isReadOnly())
        return;
    const QString text = box->text();
    if (text.isEmpty())
        return;
    if (const auto refus = rules::ZoneNumCarac(text, avant, 2, ctx.g.DecimalSeparator)) {
        ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
        Focus(box);
        return;
    }
    if (const auto message =
            rules::ControleCompteurJours(box->objectName(), text, ui.Txt_CPCoursJContrat->text())) {
        ui::messages().Show(*message, ui::Buttons::Ok, ui::Icon::Exclamation);
        box->clear();
    }
}

void OngletDroitsConges::AfficherControles() {
    ++ctx.state.displays[DroitsConges];
    const dba::Record& r = ctx.g.ContractRecord;
    const std::string period = r.Item(c::PeriodeBulletinCalcule);
    if (!period.empty())
        ui.Etq_PeriodeConges->setText(MoisEnLettres(period));

    std::string paidLeaveKind, seniorityKind;
    const std::string agreement = r.Item(c::ConventionCollective);
    for (int row = 1; row <= ctx.agreementList.DCount(); ++row)
        if (ctx.agreementList.Item(row, 1) == agreement) {
            paidLeaveKind = ctx.agreementList.Item(row, 3);
            seniorityKind = ctx.agreementList.Item(row, 4);
            break;
        }
    ui.Etq_JOAcquis->setText(Jours(paidLeaveKind).acquis);
    ui.Etq_JORestants->setText(Jours(paidLeaveKind).restants);
    ui.Etq_CAAcquis->setText(Jours(seniorityKind).acquis);
    ui.Etq_CARestants->setText(Jours(seniorityKind).restants);

    const QString& separator = ctx.g.DecimalSeparator;
    for (const Compteur& k : Compteurs)
        (ui.*k.box)->setText(rules::CentiemesEnTexte(r.Item(k.field), separator));
    // Days being earned are whole: shown without decimals so that an
    // unchanged value passes the save check.
    ui.Txt_CPCoursJContrat->setText(rules::JoursEnTexte(r.Item(c::CPEnCoursJours), separator));
    ui.Txt_CFConsoAcqContrat->setText(Champ(r, c::CFAcquis));
}

void OngletDroitsConges::Verif() {
    CommencerVerif();
    for (QLineEdit* box : {ui.Txt_CPConsoAcqContrat, ui.Txt_CFConsoAcqContrat, ui.Txt_CPRestConsoContrat,
                           ui.Txt_CFRestConsoContrat, ui.Txt_CPCoursJContrat, ui.Txt_CPCoursHContrat,
                           ui.Txt_CPCoursMContrat, ui.Txt_CAncAcqContrat, ui.Txt_CAncRestContrat,
                           ui.Txt_JrOuvrHContrat, ui.Txt_JrOuvrMContrat})
        if (box->text().isEmpty())
            box->setText(QStringLiteral("0"));
    rules::CompteursSaisie saisie;
    saisie.cpAcquis = ui.Txt_CPConsoAcqContrat->text();
    saisie.cpRestants = ui.Txt_CPRestConsoContrat->text();
    saisie.cfAcquis = ui.Txt_CFConsoAcqContrat->text();
    saisie.cfRestants = ui.Txt_CFRestConsoContrat->text();
    saisie.cpEnCours = ui.Txt_CPCoursJContrat->text();
    saisie.caAcquis = ui.Txt_CAncAcqContrat->text();
    saisie.caRestants = ui.Txt_CAncRestContrat->text();
    saisie.separator = ctx.g.DecimalSeparator;
    const std::optional<rules::Refus> refus = rules::VerifDroitsConges(saisie);
    if (!refus)
        return;
    ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
    Focus(ctx.dialog.findChild<QWidget*>(refus->focus));
    ctx.state.tabError[DroitsConges] = true;
}

void OngletDroitsConges::EcrireDans(dba::Record& r) const {
    // An empty box is a zero counter.
    for (const Compteur& k : Compteurs) {
        const QLineEdit* box = ui.*k.box;
        const QString text = box->text().trimmed();
        const std::optional<long long> hundredths =
            text.isEmpty() ? std::optional<long long>(0) : rules::TexteEnCentiemes(text);
        if (!hundredths)
            throw dba::Error(0, (box->objectName() + QStringLiteral(" : ") + text +
                                 QStringLiteral(" n'est pas un nombre")).toStdString());
        // Only what changed: an unchanged record keeps its exact text.
        if (r.Item(k.field) != std::to_string(*hundredths))
            r.SetItem(k.field, std::to_string(*hundredths));
    }
    const QString split = ui.Txt_CFConsoAcqContrat->text();
    const std::string splitText = split.isEmpty() ? std::string("0") : split.toStdString();
    if (r.Item(c::CFAcquis) != splitText)
        r.SetItem(c::CFAcquis, splitText);
}

} // namespace editor
