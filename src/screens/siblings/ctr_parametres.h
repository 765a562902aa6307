#pragma once
// The parameter-table control: the values of one list of table TABLES
// (record TheCle), which a user holding the module W_Droits at the level
// that may change data adds to, renames and removes from. Nothing is
// written before OK; OK writes the record under its lock, only over the
// version read at Init. A value that records still use keeps its code.
// Without the rights the list is shown read only.
//
//   control.setTheDatabase(db); control.setTheClient(client);
//   control.setTheCle("QUALIF"); control.setW_Droits("DOSAIDECONTRAT");
//   control.setDroitsUtilisateur(rights); control.Init();
#include "screens/siblings/liste_parametres.h"
#include "screens/siblings/sibling_control.h"

#include <memory>

namespace Ui {
class Ctr_Parametres;
}

namespace screens::siblings {

class Ctr_Parametres : public SiblingControl {
    Q_OBJECT

public:
    explicit Ctr_Parametres(QWidget* parent = nullptr);
    ~Ctr_Parametres() override;

    void setTheCle(const QString& cle) { cle_ = cle; }
    void setW_Droits(const QString& module) { module_ = module; }
    void Init() override;

    bool LectureSeule() const { return lectureSeule_; }
    // True once OK wrote the list.
    bool Enregistree() const { return enregistree_; }
    const ListeParametres& Liste() const { return liste_; }

    void Cmd_Ajouter_Click();
    void Cmd_Modifier_Click();
    void Cmd_Supprimer_Click();
    void Cmd_OK_Click();
    void Cmd_Annuler_Click();

private:
    void Afficher(int ligne);
    void Lst_Valeurs_Click(int ligne);
    void Refuser(const QString& refus);
    int LigneChoisie() const;
    // How many records use the code of value `index` and the words for it;
    // nullopt when they could not be counted (said to the user).
    std::optional<std::pair<int, QString>> Usages(int index);
    bool ValeurEnAttente();
    bool Enregistrer();
    void Relire(const dba::Record& record);

    std::unique_ptr<Ui::Ctr_Parametres> ui;
    QString cle_, module_;
    ListeParametres liste_;
    std::string lu_; // the record text read at Init: OK writes only over it
    bool lectureSeule_ = true;
    bool modifiee_ = false;
    bool enregistree_ = false;
};

} // namespace screens::siblings
