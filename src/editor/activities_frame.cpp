#include "editor/activities_frame.h"

#include "data/contrat_fields.h"
#include "data/numbers.h"
#include "data/utility_services.h"
#include "editor/table_error.h"
#include "rules/activities.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QFont>

namespace editor {

namespace {
namespace c = data::contrat;
}

CadreActivites::CadreActivites(EditorContext& context) : ctx(context), ui(context.ui) {
    // Fixed pitch, so that the shares line up in their column.
    QFont fixe(QStringLiteral("Courier New"));
    fixe.setStyleHint(QFont::Monospace);
    ui.Lst_ActiviteContrat->setFont(fixe);
    ui.Lst_RepartActContrat->setFont(fixe);
    ui::onClick(ui.Cbo_Activite, this, &CadreActivites::Cbo_Activite_Click);
    ui::onClick(ui.Cmd_OKActivite, this, &CadreActivites::Cmd_OKActivite_Click);
    ui::onClick(ui.Cmd_AnnulerActivite, this, &CadreActivites::Cmd_AnnulerActivite_Click);
    ui::onClick(ui.Lst_ActiviteContrat, this, &CadreActivites::Lst_ActiviteContrat_Click);
    ui::onClick(ui.Lst_RepartActContrat, this, &CadreActivites::Lst_RepartActContrat_Click);
    ui::onDblClick(ui.Lst_ActiviteContrat, this, [this] { Lst_DblClick(ui.Lst_ActiviteContrat->currentRow()); });
    ui::onDblClick(ui.Lst_RepartActContrat, this, [this] { Lst_DblClick(ui.Lst_RepartActContrat->currentRow()); });
    ui::onKeyPress(ui.Txt_RepartActContrat, this, &CadreActivites::Txt_RepartActContrat_KeyPress);
}

int CadreActivites::Ligne(int column, const QString& text) const {
    const std::string wanted = text.toStdString();
    for (int r = 1; r <= ctx.activityList.DCount(); ++r)
        if (ctx.activityList.Item(r, column) == wanted)
            return r;
    return 0;
}

void CadreActivites::Gestion_Activite() {
    const std::string query = rules::RequeteActivites(ui.Opt_Administratif->isChecked(),
                                                      ui.Txt_ConvColContrat->text(), ui.Txt_AssocContrat->text());
    try {
        ctx.activityList = ctx.g.TheDatabase.SelectRecords(query, "0 1 12");
    } catch (const dba::Error& error) {
        ctx.activityList = {};
        SignalerTableIllisible("ACTIVITES", error);
    }
    const QSignalBlocker quiet(ui.Cbo_Activite);
    ui.Cbo_Activite->clear();
    for (int r = 1; r <= ctx.activityList.DCount(); ++r) {
        const QString label = QString::fromStdString(ctx.activityList.Item(r, 2));
        if (ui.Lst_ActiviteContrat->findItems(label, Qt::MatchExactly).isEmpty())
            ui.Cbo_Activite->addItem(label);
    }
    ui.Cbo_Activite->setCurrentIndex(-1);
}

void CadreActivites::AfficherActivites() {
    const dba::Record& r = ctx.g.ContractRecord;
    ui.Lst_ActiviteContrat->clear();
    ui.Lst_RepartActContrat->clear();
    const QString separator = data::UtilityServices::Instance().DecimalSeparator();
    for (int n = 1; n <= r.DCount(c::Activites); ++n) {
        const int row = Ligne(1, QString::fromStdString(r.Item(c::Activites, n)));
        if (row == 0)
            continue;
        ui.Lst_ActiviteContrat->addItem(QString::fromStdString(ctx.activityList.Item(row, 2)));
        if (ctx.state.activityType.isEmpty())
            ctx.state.activityType = QString::fromStdString(ctx.activityList.Item(row, 3));
        const std::string share = r.Item(c::RepartitionActivites, n);
        // Shares are stored ×100; shown with two decimals, exactly.
        ui.Lst_RepartActContrat->addItem(
            share.empty() ? QString()
                          : data::numbers::FormatFixed(std::stoll(share) / 100.0, 3, 2, false, separator));
    }
    // Activities already on the contract are not offered again.
    for (int i = ui.Cbo_Activite->count() - 1; i >= 0; --i)
        if (!ui.Lst_ActiviteContrat->findItems(ui.Cbo_Activite->itemText(i), Qt::MatchExactly).isEmpty())
            ui.Cbo_Activite->removeItem(i);
}

void CadreActivites::Cbo_Activite_Click() {
    const QString label = ui.Cbo_Activite->currentText();
    if (label.isEmpty() || !ui.Lst_ActiviteContrat->findItems(label, Qt::MatchExactly).isEmpty())
        return;
    if (ui.Opt_Production->isChecked()) {
        typeChoisi_ = QString::fromStdString(ctx.activityList.Item(Ligne(2, label), 3));
        if (!rules::ActiviteAdmise(ctx.state.activityType, ui.Lst_ActiviteContrat->count(), typeChoisi_))
            return; // a production contract keeps to one type of activity
        if (ctx.state.activityType.isEmpty())
            ctx.state.activityType = typeChoisi_;
        ui.Lst_ActiviteContrat->addItem(label);
        const QSignalBlocker quiet(ui.Cbo_Activite);
        ui.Cbo_Activite->removeItem(ui.Cbo_Activite->currentIndex());
        ui.Cbo_Activite->setCurrentIndex(-1);
        return;
    }
    ui.Txt_ActiviteContrat->setText(label);
    Saisie(true);
    ui.Txt_RepartActContrat->setFocus();
}

void CadreActivites::Saisie(bool enCours) {
    ui.Txt_RepartActContrat->setEnabled(enCours);
    ui.Lst_ActiviteContrat->setEnabled(!enCours);
    ui.Lst_RepartActContrat->setEnabled(!enCours);
}

void CadreActivites::Cmd_OKActivite_Click() {
    const std::optional<long long> share = rules::PartSaisie(ui.Txt_RepartActContrat->text());
    if (!share || ui.Txt_ActiviteContrat->text().isEmpty())
        return; // a share of 0 adds nothing
    const QString label = ui.Txt_ActiviteContrat->text();
    ui.Lst_ActiviteContrat->addItem(label);
    ui.Lst_RepartActContrat->addItem(data::numbers::FormatFixed(
        *share / 100.0, 3, 2, false, data::UtilityServices::Instance().DecimalSeparator()));
    if (ctx.state.activityType.isEmpty())
        ctx.state.activityType = QString::fromStdString(ctx.activityList.Item(Ligne(2, label), 3));
    Cmd_AnnulerActivite_Click();
    const QSignalBlocker quiet(ui.Cbo_Activite);
    ui.Cbo_Activite->removeItem(ui.Cbo_Activite->findText(label));
}

void CadreActivites::Cmd_AnnulerActivite_Click() {
    ui.Txt_ActiviteContrat->clear();
    ui.Txt_RepartActContrat->clear();
    const QSignalBlocker quiet(ui.Cbo_Activite);
    ui.Cbo_Activite->setCurrentIndex(-1);
    Saisie(false);
}

void CadreActivites::Lst_ActiviteContrat_Click() {
    if (ui.Lst_RepartActContrat->isVisible())
        ui.Lst_RepartActContrat->setCurrentRow(ui.Lst_ActiviteContrat->currentRow());
}

void CadreActivites::Lst_RepartActContrat_Click() {
    ui.Lst_ActiviteContrat->setCurrentRow(ui.Lst_RepartActContrat->currentRow());
}

void CadreActivites::Lst_DblClick(int row) {
    if (ctx.NiveauVerrouille() || !ctx.PeutModifier() || row < 0 || !ui.Txt_ActiviteContrat->text().isEmpty())
        return;
    const QString label = ui.Lst_ActiviteContrat->item(row)->text();
    const QListWidgetItem* share = ui.Lst_RepartActContrat->item(row);
    ui.Txt_ActiviteContrat->setText(label);
    ui.Txt_RepartActContrat->setText(share ? share->text().trimmed() : QString());
    delete ui.Lst_ActiviteContrat->takeItem(row);
    delete ui.Lst_RepartActContrat->takeItem(row);
    ui.Cbo_Activite->addItem(label);
    if (ui.Lst_ActiviteContrat->count() == 0)
        ctx.state.activityType.clear();
    Saisie(true);
}

void CadreActivites::Txt_RepartActContrat_KeyPress(int& ascii) {
    ascii = data::numbers::FilterNumericKey(ascii, false, data::UtilityServices::Instance().DecimalSeparator(),
                                            ui.Txt_RepartActContrat->text());
}

void CadreActivites::SetEcranTelegestion(std::function<void(const ParametresTelegestion&)> open) {
    telegestion_ = std::move(open);
    ctx.ecrans.Enregistrer(QStringLiteral("Cmd_Telegestion"), [this] { Cmd_Telegestion_Click(); });
}

void CadreActivites::Cmd_Telegestion_Click() {
    rules::TelegestionSaisie saisie{ui.Txt_AssocContrat->text(), ui.Txt_ConvColContrat->text(),
                                    ui.Txt_EmplEtabContrat->text(), ui.Lst_ActiviteContrat->count()};
    if (const std::optional<QString> refus = rules::RefusTelegestion(saisie)) {
        ui::messages().Show(*refus, ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    const bool particulier = saisie.convention == QLatin1String(c::ConventionParticulierEmployeur);
    ParametresTelegestion p;
    p.entite = saisie.entite;
    p.beneficiaire = saisie.employeur;
    p.aidant = ctx.CodeAidant();
    p.typeActivite = particulier ? QStringLiteral("M") : QStringLiteral("P");
    for (int i = 0; i < ui.Lst_ActiviteContrat->count(); ++i)
        p.activites += QString::fromStdString(
            ctx.activityList.Item(Ligne(2, ui.Lst_ActiviteContrat->item(i)->text()), 1));
    p.titre = QStringLiteral("Télégestion ZORVELIA : paramétrages pour l'aidant ") + ctx.CodeAidant() +
              QLatin1Char(' ') + ui.Etq_Aidant->text().mid(15);
    if (particulier)
        p.titre += QStringLiteral(" / pour l'aidé ") + saisie.employeur + QLatin1Char(' ') +
                   ui.Cbo_LibEmplEtabContrat->currentText();
    if (telegestion_)
        telegestion_(p);
}

} // namespace editor
