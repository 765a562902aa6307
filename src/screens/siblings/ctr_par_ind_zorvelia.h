#pragma once
// The telemanagement-parameters control: one line per activity of the
// contract (W_StrAct) with the helper's clocking settings, and under
// agreement "02" the beneficiary's (W_TypeAct "M"). OK writes the lines
// changed, each under its lock and only over the version read at Init,
// all in one transaction; "Annuler" drops the changes.
//
//   control.setTheDatabase(db); control.setTheClient(client);
//   control.setW_CodeAsso("001"); control.setW_CodeAide("00001");
//   control.setW_CodeAidant("50001"); control.setW_TypeAct("M");
//   control.setW_StrAct("0010100102"); control.Init();
#include "screens/siblings/reglages_telegestion.h"
#include "screens/siblings/sibling_control.h"

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace Ui {
class Ctr_ParIndZorvelia;
}

namespace screens::siblings {

class Ctr_ParIndZorvelia : public SiblingControl {
    Q_OBJECT

public:
    explicit Ctr_ParIndZorvelia(QWidget* parent = nullptr);
    ~Ctr_ParIndZorvelia() override;

    void setW_CodeAsso(const QString& code) { codeAsso_ = code; }
    void setW_CodeAide(const QString& code) { codeAide_ = code; }
    void setW_CodeAidant(const QString& code) { codeAidant_ = code; }
    // "M" under agreement "02", "P" otherwise.
    void setW_TypeAct(const QString& type) { typeAct_ = type; }
    // The contract's activity codes, appended.
    void setW_StrAct(const QString& activites) { strAct_ = activites; }
    void Init() override;

    // The settings as shown, line by line.
    std::vector<ReglageTelegestion> Reglages() const;
    bool Enregistre() const { return enregistre_; }

    void Cmd_OK_Click();
    void Cmd_Annuler_Click();

private:
    struct Ligne {
        QCheckBox* pointage;
        QComboBox* mode;
        QSpinBox* tolerance;
        QComboBox* arrondi;
        QLineEdit* badge;
        QLabel* etat;
    };
    void AjouterLigne(int index, const ReglageTelegestion& reglage);
    QString Entete() const;
    std::vector<int> LignesChangees() const;
    bool Enregistrer(const std::vector<int>& lignes);

    std::unique_ptr<Ui::Ctr_ParIndZorvelia> ui;
    QString codeAsso_, codeAide_, codeAidant_, typeAct_, strAct_;
    std::vector<ReglageTelegestion> lus_;
    std::vector<std::string> textesLus_; // record texts at Init: OK writes only over them
    std::vector<Ligne> lignes_;
    bool enregistre_ = false;
};

} // namespace screens::siblings
