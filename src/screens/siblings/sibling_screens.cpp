#include "screens/siblings/sibling_screens.h"

#include "screens/siblings/frm_civil_aide.h"
#include "screens/siblings/frm_detail_decompte.h"
#include "screens/siblings/frm_motifs_embauche.h"
#include "screens/siblings/frm_param_telegestion.h"
#include "screens/siblings/frm_periode_conges.h"
#include "screens/siblings/frm_qualif_pro.h"
#include "screens/siblings/frm_tps_indem.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <exception>

namespace screens {

using namespace siblings;

namespace {

// Prepares form `Form` (its control given the connection, then `regler`,
// then Init) under the hourglass and shows it; the form once closed, or
// null when it could not be prepared.
template <class Form, class Regler>
std::unique_ptr<Form> Ouvrir(const QString& ecran, const dba::Database& db, const data::Client& client,
                             const Droits& droits, QWidget* parent, Regler regler) {
    std::unique_ptr<Form> form;
    try {
        ui::BusyCursor sablier(parent);
        form = std::make_unique<Form>(parent);
        auto& controle = form->Controle();
        controle.setTheDatabase(db);
        controle.setTheClient(client);
        controle.setDroitsUtilisateur(droits);
        regler(*form, controle);
        controle.Init();
    } catch (const std::exception& error) {
        ui::messages().Show(QStringLiteral("L'écran « %1 » ne peut pas être affiché : %2")
                                .arg(ecran, QString::fromUtf8(error.what())),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return nullptr;
    }
    ui::modal().Show(*form);
    return form;
}

// The helper a view is about.
void Aidant(VueAidant& vue, const QString& code, const QString& nom) {
    vue.setW_CodeAidant(code);
    vue.setW_NomPrenom(nom);
}

// A parameter list on its form; true when the user wrote it.
template <class Form>
bool OuvrirListe(const QString& ecran, const dba::Database& db, const data::Client& client,
                 const QString& cle, const QString& moduleDroits, const Droits& droits, QWidget* parent) {
    const auto form = Ouvrir<Form>(ecran, db, client, droits, parent, [&](Form&, Ctr_Parametres& c) {
        c.setTheCle(cle);
        c.setW_Droits(moduleDroits);
    });
    return form && form->Controle().Enregistree();
}

} // namespace

void OuvrirCivilAide(const dba::Database& db, const data::Client& client, const Droits& droits,
                     const QString& codeEmployeur, QWidget* parent) {
    Ouvrir<Frm_CivilAide>(QStringLiteral("Etat Civil de l'Aidé"), db, client, droits, parent,
                          [&](Frm_CivilAide&, Ctr_CivilAide& c) { c.setW_CodeEmployeur(codeEmployeur); });
}

void OuvrirDetailDecompte(const dba::Database& db, const data::Client& client, const Droits& droits,
                          const QString& codeAidant, const QString& nomPrenom, const QString& codeEmployeur,
                          const QString& nomEmployeur, const QString& codeContrat, const QString& numMotif,
                          QWidget* parent) {
    Ouvrir<Frm_DetailDecompte>(QStringLiteral("Détail décompte"), db, client, droits, parent,
                               [&](Frm_DetailDecompte&, Ctr_DetailDecompte& c) {
                                   Aidant(c, codeAidant, nomPrenom);
                                   c.setW_CodeEmployeur(codeEmployeur);
                                   c.setW_NomEmployeur(nomEmployeur);
                                   c.setW_CodeContrat(codeContrat);
                                   c.setW_NumMotif(numMotif);
                               });
}

void OuvrirPeriodeConges(const dba::Database& db, const data::Client& client, const Droits& droits,
                         const QString& codeAidant, const QString& nomPrenom, QWidget* parent) {
    Ouvrir<Frm_PeriodeConges>(
        QStringLiteral("Période de congés"), db, client, droits, parent,
        [&](Frm_PeriodeConges&, Ctr_AbsAidant& c) { Aidant(c, codeAidant, nomPrenom); });
}

void OuvrirTpsIndem(const dba::Database& db, const data::Client& client, const Droits& droits,
                    const QString& codeAidant, const QString& nomPrenom, const QString& dateDebut,
                    const QString& cleIndemnisation, QWidget* parent) {
    Ouvrir<Frm_tpsIndem>(QStringLiteral("Temps d'indemnisation des arrêts de travail"), db, client, droits,
                         parent, [&](Frm_tpsIndem&, Ctr_IndemArrTrav& c) {
                             Aidant(c, codeAidant, nomPrenom);
                             c.setW_DateDebut(dateDebut);
                             c.setW_CleIndemnisation(cleIndemnisation);
                         });
}

bool OuvrirQualifPro(const data::Client& client, const dba::Database& db, const QString& cle,
                     const QString& moduleDroits, const Droits& droits, QWidget* parent) {
    return OuvrirListe<Frm_QualifPro>(QStringLiteral("Ajout Qualification Professionnelle"), db, client, cle,
                                      moduleDroits, droits, parent);
}

bool OuvrirMotifsEmbauche(const dba::Database& db, const data::Client& client, const QString& cle,
                          const QString& moduleDroits, const Droits& droits, QWidget* parent) {
    return OuvrirListe<Frm_MotifsEmbauche>(QStringLiteral("Motifs contrats CDD"), db, client, cle,
                                           moduleDroits, droits, parent);
}

bool OuvrirParamTelegestion(const dba::Database& db, const data::Client& client, const QString& codeAsso,
                            const QString& codeAide, const QString& codeAidant, const QString& typeAct,
                            const QString& strAct, const QString& legende, QWidget* parent) {
    const auto form =
        Ouvrir<Frm_ParamTelegestion>(QStringLiteral("Paramétrage télégestion"), db, client, nullptr, parent,
                                     [&](Frm_ParamTelegestion& f, Ctr_ParIndZorvelia& c) {
                                         c.setW_CodeAsso(codeAsso);
                                         c.setW_CodeAide(codeAide);
                                         c.setW_CodeAidant(codeAidant);
                                         c.setW_TypeAct(typeAct);
                                         c.setW_StrAct(strAct);
                                         f.setWindowTitle(legende);
                                     });
    return form && form->Controle().Enregistre();
}

QString LegendeTelegestion(const QString& codeAidant, const QString& nomAidant, bool convention02,
                           const QString& codeAide, const QString& nomAide) {
    QString legende = QStringLiteral("Télégestion ZORVELIA : paramétrages pour l'aidant ") + codeAidant +
                      QLatin1Char(' ') + nomAidant;
    if (convention02)
        legende += QStringLiteral(" / pour l'aidé ") + codeAide + QLatin1Char(' ') + nomAide;
    return legende;
}

} // namespace screens
