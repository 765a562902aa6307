#pragma once
// The site's contract-management level decides whether the editor may change
// a contract at all: from level "3" on, contracts are managed by another
// system and the editor only shows them. The level is a text and is compared
// as a text, so "A" locks and "10" does not.
#include <QString>
#include <array>
#include <string_view>

namespace editor {

// True when `level` (COMPTEUR "999" field 45, "0" when empty) locks the inputs.
bool NiveauVerrouille(const QString& level);

// The input controls disabled, in this order, when the level locks them.
// Cmd_OK is not among them: a locked contract can still be saved unchanged,
// for instance to print it.
inline constexpr std::array<std::string_view, 79> ControlesVerrouilles = {"Txt_NumContrat",
                                                                          "Txt_ConvColContrat",
                                                                          "Cbo_LibConvColContrat",
                                                                          "Txt_AssocContrat",
                                                                          "Cbo_LibAssocContrat",
                                                                          "Txt_EmplEtabContrat",
                                                                          "Cbo_LibEmplEtabContrat",
                                                                          "Cdr_Type",
                                                                          "Cdr_Salaire",
                                                                          "Cdr_Fonction",
                                                                          "Txt_DatDebContrat",
                                                                          "Txt_DatFinContrat",
                                                                          "Txt_DureeMinContrat",
                                                                          "Txt_PerEssaiContrat",
                                                                          "Cac_RenouvEssaiContrat",
                                                                          "Cbo_NatureContrat",
                                                                          "Txt_AvenantContrat",
                                                                          "Txt_DatEffetContrat",
                                                                          "Cbo_QualifContrat",
                                                                          "Cmd_QualifPro",
                                                                          "Cdr_PCS",
                                                                          "Cdr_Grille",
                                                                          "Cdr_Anciennete",
                                                                          "Txt_DureeWContrat",
                                                                          "Cbo_FreqWContrat",
                                                                          "Cdr_Lissage",
                                                                          "Txt_Commentaire",
                                                                          "Txt_Commentaire2",
                                                                          "Cmd_AjoutAvenant",
                                                                          "Cmd_SupprAv",
                                                                          "Cmd_OKAvenant",
                                                                          "Cmd_AnnulerAvenant",
                                                                          "Txt_ProfilContrat",
                                                                          "Cbo_LibProfilContrat",
                                                                          "Txt_ProfilContrat2",
                                                                          "Cbo_LibProfilContrat2",
                                                                          "Cbo_ModPaieContrat",
                                                                          "Cac_PaieSalContrat",
                                                                          "Txt_PrevContrat",
                                                                          "Cbo_LibPrevContrat",
                                                                          "Txt_PlafSecu",
                                                                          "Cac_CPMoisContrat",
                                                                          "Cac_ProvCP",
                                                                          "Cdr_Mutuelle",
                                                                          "Cbo_CartOrangContrat",
                                                                          "Txt_ActiviteContrat",
                                                                          "Txt_RepartActContrat",
                                                                          "Cbo_Activite",
                                                                          "Cmd_OKActivite",
                                                                          "Cmd_AnnulerActivite",
                                                                          "Txt_CPConsoAcqContrat",
                                                                          "Txt_CPRestConsoContrat",
                                                                          "Txt_CFConsoAcqContrat",
                                                                          "Txt_CFRestConsoContrat",
                                                                          "Txt_CPCoursJContrat",
                                                                          "Txt_CPCoursHContrat",
                                                                          "Txt_CPCoursMContrat",
                                                                          "Txt_JourAnticipation",
                                                                          "Txt_CAncAcqContrat",
                                                                          "Txt_CAncRestContrat",
                                                                          "Txt_JrOuvreHContrat",
                                                                          "Txt_JrOuvrHContrat",
                                                                          "Txt_JrOuvreMContrat",
                                                                          "Txt_JrOuvrMContrat",
                                                                          "Txt_DatNotifContrat",
                                                                          "Cbo_MotifFinContrat",
                                                                          "Txt_DateSignConvCol",
                                                                          "Txt_CmpltMotif",
                                                                          "Txt_DateFinContrat",
                                                                          "Cac_CalcIndLic",
                                                                          "Txt_DernJrWContrat",
                                                                          "Txt_FinReelle",
                                                                          "Cac_PrecaLibContrat",
                                                                          "Cdr_Preavis",
                                                                          "Txt_NonVersContrat",
                                                                          "Cbo_OrgRetraite",
                                                                          "Txt_OrgRetraite",
                                                                          "Txt_ObsFinContrat_0",
                                                                          "Txt_ObsFinContrat_1"};

// The buttons hidden from a user who may not change data.
inline constexpr std::array<std::string_view, 5> BoutonsEcriture = {
    "Cmd_AjoutAvenant", "Cmd_OK", "Cmd_OKActivite", "Cmd_OKAvenant", "Cmd_SupprimerContrat"};

} // namespace editor
