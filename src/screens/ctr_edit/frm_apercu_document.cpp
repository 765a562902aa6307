#include "screens/ctr_edit/frm_apercu_document.h"

#include "documents/document.h"
#include "ui/messages.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QToolBar>

namespace screens {

Frm_ApercuDocument::Frm_ApercuDocument(const documents::DocumentPret& document, QPrinter& printer, ChoixFichier choose,
                                       QWidget* parent)
    : QPrintPreviewDialog(&printer, parent), document_(document), printer_(printer), choisir_(std::move(choose)) {
    setObjectName(QStringLiteral("Frm_ApercuDocument"));
    setWindowTitle(QStringLiteral("Aperçu : ") + document.donnees.reference);
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { documents::Dessiner(document_, *target); });
    auto* pdf = new QAction(QStringLiteral("Enregistrer en PDF…"), this);
    pdf->setObjectName(QStringLiteral("Act_EnregistrerPdf"));
    pdf->setToolTip(QStringLiteral("Enregistrer le document dans un fichier PDF"));
    connect(pdf, &QAction::triggered, this, [this] { Act_EnregistrerPdf_Triggered(); });
    if (QToolBar* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(pdf);
    } else {
        addAction(pdf);
    }
    resize(900, 1000);
}

void Frm_ApercuDocument::Act_EnregistrerPdf_Triggered() {
    const documents::DonneesDocument& d = document_.donnees;
    QString suggested = d.genre == documents::Genre::Contrat
                            ? QStringLiteral("contrat-%1.pdf").arg(QString::fromStdString(d.cleContrat))
                            : QStringLiteral("avenant-%1-contrat-%2.pdf")
                                  .arg(d.numeroAvenant, QString::fromStdString(d.cleContrat));
    const QString path = choisir_ ? choisir_(this, suggested) : QString();
    if (path.isEmpty())
        return;
    QPrinter pdf(QPrinter::HighResolution);
    documents::PreparerImprimante(pdf, document_);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    documents::Dessiner(document_, pdf);
    if (pdf.printerState() == QPrinter::Error || !QFile::exists(path)) {
        ui::messages().Show(QStringLiteral("Le fichier %1 ne peut pas être écrit.").arg(path), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        return;
    }
    destination_ = QStringLiteral("PDF ") + path;
    accept();
}

void Frm_ApercuDocument::done(int result) {
    // The preview's own print button accepts once the document is printed.
    if (result == QDialog::Accepted && destination_.isEmpty())
        destination_ = printer_.outputFormat() == QPrinter::PdfFormat
                           ? QStringLiteral("PDF ") + printer_.outputFileName()
                           : QStringLiteral("imprimante ") + printer_.printerName();
    QPrintPreviewDialog::done(result);
}

} // namespace screens
