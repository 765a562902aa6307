#include "screens/anomalies_ajout/frm_anomalies_ajoutgraph.h"

#include "data/utility_services.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui_frm_anomalies_ajoutgraph.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace screens {

TaillesImpression TaillesPour(const QString& nomImprimante) {
    if (nomImprimante.toUpper().contains(QStringLiteral("MATRIC")))
        return {14, 10};
    return {};
}

void ImprimerIncidences(QPrinter& printer, const QString& nomImprimante, const EnTeteIncidences& entete,
                        const QString& texte) {
    const TaillesImpression tailles = TaillesPour(nomImprimante);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("l'imprimante n'a pas pu être ouverte");
    const QRect page = painter.viewport();
    QFont titre(QStringLiteral("Courier New"), tailles.titre, QFont::Bold);
    titre.setStyleHint(QFont::TypeWriter);
    QFont corps(QStringLiteral("Courier New"), tailles.texte);
    corps.setStyleHint(QFont::TypeWriter);

    int y = 0;
    // One paragraph at a time, wrapped to the page; a paragraph that does
    // not fit below goes to the next page.
    auto ecrire = [&](const QString& ligne, const QFont& font) {
        painter.setFont(font);
        const QFontMetrics metrics(font, &printer);
        const QRect place = painter.boundingRect(QRect(0, 0, page.width(), page.height()), Qt::TextWordWrap,
                                                 ligne.isEmpty() ? QStringLiteral(" ") : ligne);
        if (y > 0 && y + place.height() > page.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(QRect(0, y, page.width(), place.height()), Qt::TextWordWrap, ligne);
        y += std::max(place.height(), metrics.lineSpacing());
    };
    ecrire(QStringLiteral("Anomalies sur contrat de travail"), titre);
    ecrire(QString(), corps);
    ecrire(QStringLiteral("Aidant    : ") + entete.aidant, corps);
    ecrire(QStringLiteral("Employeur : ") + entete.employeur, corps);
    ecrire(QString(), corps);
    for (const QString& ligne : texte.split(QLatin1Char('\n')))
        ecrire(ligne, corps);
    painter.end();
}

ChoixIncidences AfficherIncidences(const QString& texte, bool sansContratPermis,
                                   const EnTeteIncidences& entete, QWidget* parent) {
    Frm_AnomaliesAjoutgraph dialog(texte, sansContratPermis, entete, parent);
    ui::modal().Show(dialog);
    if (!dialog.Confirme())
        return ChoixIncidences::RetourContrat;
    return dialog.ArreterInterventions() ? ChoixIncidences::Arreter : ChoixIncidences::Conserver;
}

} // namespace screens

Frm_AnomaliesAjoutgraph::Frm_AnomaliesAjoutgraph(const QString& texte, bool sansContratPermis,
                                                 screens::EnTeteIncidences entete, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_AnomaliesAjoutgraph>()), entete_(std::move(entete)) {
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->Text1->setPlainText(texte);
    ui->Cmd_Non->setEnabled(sansContratPermis);
    ui->Text1->installEventFilter(this);
    ui::onClick(ui->Cmd_Ok, this, &Frm_AnomaliesAjoutgraph::Cmd_Ok_Click);
    ui::onClick(ui->Cmd_Non, this, &Frm_AnomaliesAjoutgraph::Cmd_Non_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Frm_AnomaliesAjoutgraph::Cmd_Annuler_Click);
    ui::onClick(ui->Cmd_Imprimer, this, &Frm_AnomaliesAjoutgraph::Cmd_Imprimer_Click);
}

Frm_AnomaliesAjoutgraph::~Frm_AnomaliesAjoutgraph() = default;

void Frm_AnomaliesAjoutgraph::closeEvent(QCloseEvent* event) {
    if (fermetureAutorisee_)
        event->accept();
    else
        event->ignore();
}

void Frm_AnomaliesAjoutgraph::reject() {
    // Escape is no choice either.
    if (fermetureAutorisee_)
        QDialog::reject();
}

bool Frm_AnomaliesAjoutgraph::eventFilter(QObject* watched, QEvent* event) {
    // The text is there to be read, not entered: the focus goes on to the
    // first choice.
    if (watched == ui->Text1 && event->type() == QEvent::FocusIn && ui->Cmd_Ok->isEnabled())
        ui->Cmd_Ok->setFocus();
    return QDialog::eventFilter(watched, event);
}

void Frm_AnomaliesAjoutgraph::Fermer(bool confirme, bool arreter) {
    confirme_ = confirme;
    arreter_ = arreter;
    fermetureAutorisee_ = true;
    done(confirme ? QDialog::Accepted : QDialog::Rejected);
}

void Frm_AnomaliesAjoutgraph::Cmd_Ok_Click() {
    Fermer(true, true);
}

void Frm_AnomaliesAjoutgraph::Cmd_Non_Click() {
    Fermer(true, false);
}

void Frm_AnomaliesAjoutgraph::Cmd_Annuler_Click() {
    Fermer(false, false);
}

void Frm_AnomaliesAjoutgraph::Cmd_Imprimer_Click() {
    data::UtilityServices& services = data::UtilityServices::Instance();
    const int index = services.ChoosePrinter(this).toInt();
    if (index < 0)
        return;
    const QString nom = services.PrinterNames().value(index);
    try {
        std::unique_ptr<QPrinter> printer = services.OpenPrinter(index, this);
        if (!printer)
            return;
        screens::ImprimerIncidences(*printer, nom, entete_, ui->Text1->toPlainText());
    } catch (const std::exception& error) {
        ui::messages().Show(QStringLiteral("Impression impossible : ") + QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
    }
}
