// The side screens the editor opens: the suite's sibling controls on their
// host forms, given what each needs from the contract shown.
#include "editor/frm_elements_contrat.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/activities_frame.h"
#include "editor/combo_text.h"
#include "editor/editor_context.h"
#include "editor/ong3_elements_paie.h"
#include "editor/table_error.h"
#include "screens/contrat_annuel/ouvrir_contrat_annuel.h"
#include "screens/comment_bull/ouvrir_comment_bull.h"
#include "screens/motif_cdd/ouvrir_motif_cdd.h"
#include "screens/siblings/sibling_screens.h"
#include "ui_frm_elements_contrat.h"

namespace {

namespace c = data::contrat;

// The later of two stored dates or periods, compared as numbers when both
// are, as texts otherwise.
bool Apres(const std::string& a, const std::string& b) {
    const bool numbers = !a.empty() && !b.empty() &&
                         a.find_first_not_of("0123456789") == std::string::npos &&
                         b.find_first_not_of("0123456789") == std::string::npos;
    if (numbers && a.size() != b.size())
        return a.size() > b.size();
    return a > b;
}

} // namespace

void Frm_ElementsContrat::EnregistrerEcransLateraux() {
    editor::EditorContext& x = *ctx_;
    editor::EcransLateraux& ecrans = x.ecrans;
    ecrans.Enregistrer(QStringLiteral("Cmd_SuiviAnnuel"), [this, &x] {
        screens::OuvrirContratAnnuel(x.g,
                                     {x.CodeAidant(), Etq_NomPrenomAidant(), ui->Txt_ConvColContrat->text(),
                                      ui->Txt_AssocContrat->text(), ui->Txt_EmplEtabContrat->text()},
                                     x.rights, this);
    });
    ecrans.Enregistrer(QStringLiteral("Cmd_DetailEmpl"), [this, &x] {
        screens::OuvrirCivilAide(x.g.TheDatabase, x.g.TheClient, x.rights, ui->Txt_EmplEtabContrat->text(), this);
    });
    ecrans.Enregistrer(QStringLiteral("Cmd_Conges"), [this, &x] {
        screens::OuvrirDetailDecompte(x.g.TheDatabase, x.g.TheClient, x.rights, x.CodeAidant(), Etq_NomPrenomAidant(),
                                      ui->Txt_EmplEtabContrat->text(), ui->Cbo_LibEmplEtabContrat->currentText(),
                                      x.CodeAidant() + ui->Txt_NumContrat->text(), QStringLiteral("14"), this);
    });
    ecrans.Enregistrer(QStringLiteral("Cmd_QualifPro"), [this, &x] {
        screens::OuvrirQualifPro(x.g.TheClient, x.g.TheDatabase, QStringLiteral("QUALIF"),
                                 QStringLiteral("DOSAIDECONTRAT"), x.rights, this);
        // The list read again, whatever the screen did; the text typed stays.
        QComboBox* qualif = ui->Cbo_QualifContrat;
        const QString text = qualif->currentText();
        qualif->clear();
        try {
            const dba::Record list = x.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::QUALIF);
            for (int i = 1; !list.Item(data::listes::Codes, i).empty(); ++i)
                qualif->addItem(QString::fromStdString(list.Item(data::listes::Codes, i)));
        } catch (const dba::Error& error) {
            editor::SignalerTableIllisible(data::tables::TABLES, error);
        }
        editor::MettreTexte(qualif, text);
    });
    ecrans.Enregistrer(QStringLiteral("Cmd_TpsIndem"), [this, &x] {
        const dba::Record& r = x.g.ContractRecord;
        std::string start = r.Item(c::DernierePeriodePaie);
        if (start.empty())
            start = r.Item(c::PeriodeBulletinCalcule);
        const QString key = x.CodeAidant() + ui->Txt_PrevContrat->text();
        try {
            const std::string compensated =
                x.g.Handles.HistorIndem.ReadRecordOrEmpty(key.toStdString()).Item(data::historindem::Dates, 1);
            if (Apres(compensated, start))
                start = compensated;
        } catch (const dba::Error& error) {
            editor::SignalerTableIllisible(data::tables::HISTORINDEM, error);
            return;
        }
        screens::OuvrirTpsIndem(x.g.TheDatabase, x.g.TheClient, x.rights, x.CodeAidant(), Etq_NomPrenomAidant(),
                                QString::fromStdString(start), key, this);
    });
    ecrans.Enregistrer(QStringLiteral("Cmd_Comment"),
                       [this, &x] { screens::OuvrirCommentBull(x.g, x.rights, this); });
    ecrans.Enregistrer(QStringLiteral("Cmd_MotifCDD"), [this] { OuvrirMotifCDD(); });
    x.OuvrirMotifCDD = [this] { OuvrirMotifCDD(); };
    paie_->Activites().SetEcranTelegestion([this, &x](const editor::ParametresTelegestion& p) {
        screens::OuvrirParamTelegestion(x.g.TheDatabase, x.g.TheClient, p.entite, p.beneficiaire, p.aidant,
                                        p.typeActivite, p.activites, p.titre, this);
    });
}

void Frm_ElementsContrat::OuvrirMotifCDD() {
    editor::EditorContext& x = *ctx_;
    screens::OuvrirMotifCDD(x.g, x.rights,
                            {x.CodeAidant(), Etq_NomPrenomAidant(), ui->Txt_DatDebContrat->text(),
                             ui->Txt_ConvColContrat->text(), ui->Txt_EmplEtabContrat->text(),
                             ui->Txt_AssocContrat->text()},
                            this, [this, &x] {
                                screens::OuvrirMotifsEmbauche(x.g.TheDatabase, x.g.TheClient,
                                                              QStringLiteral("MOTIFEMBAUCHE"),
                                                              QStringLiteral("MOTIFS EMBAUCHE"), x.rights, this);
                            });
}
