#pragma once
// "Incidences planning": what a change of the contract's dates does to the
// helper's planned interventions, and the user's choice about them. The
// window closes only through its three choices; it can print the text on
// a printer the user picks. Opened by screens::AfficherIncidences.
#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class Frm_AnomaliesAjoutgraph;
}
class QPrinter;

namespace screens {

// The lines printed above the text.
struct EnTeteIncidences {
    QString aidant;    // after "Aidant    : "
    QString employeur; // after "Employeur : "
};

// The point sizes of the printout: a dot-matrix printer (its name holds
// "MATRIC") gets 14 for the title and 10 for the text.
struct TaillesImpression {
    int titre = 16;
    int texte = 9;
    bool operator==(const TaillesImpression&) const = default;
};
TaillesImpression TaillesPour(const QString& nomImprimante);

// Prints the title, the header and the text on `printer`, one page after
// the other as needed.
void ImprimerIncidences(QPrinter& printer, const QString& nomImprimante, const EnTeteIncidences& entete,
                        const QString& texte);

} // namespace screens

class Frm_AnomaliesAjoutgraph : public QDialog {
    Q_OBJECT

public:
    // `sansContratPermis`: the planning parameters allow interventions to
    // stay without contract, which makes "Conserver" available.
    Frm_AnomaliesAjoutgraph(const QString& texte, bool sansContratPermis, screens::EnTeteIncidences entete,
                            QWidget* parent = nullptr);
    ~Frm_AnomaliesAjoutgraph() override;

    // The two answers: confirmed false = back to the contract unchanged;
    // stop true = stop or delete the interventions, false = keep them.
    bool Confirme() const { return confirme_; }
    bool ArreterInterventions() const { return arreter_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Cmd_Ok_Click();
    void Cmd_Non_Click();
    void Cmd_Annuler_Click();
    void Cmd_Imprimer_Click();
    void Fermer(bool confirme, bool arreter);

    std::unique_ptr<Ui::Frm_AnomaliesAjoutgraph> ui;
    screens::EnTeteIncidences entete_;
    bool confirme_ = false;
    bool arreter_ = false;
    bool fermetureAutorisee_ = false;
};

namespace screens {

enum class ChoixIncidences { RetourContrat, Arreter, Conserver };
// Shows the dialog modally (ui::modal()) and answers the user's choice.
ChoixIncidences AfficherIncidences(const QString& texte, bool sansContratPermis,
                                   const EnTeteIncidences& entete, QWidget* parent);

} // namespace screens
