#include "screens/ctr_edit/ctr_edit.h"

#include "data/dates.h"
#include "documents/document.h"
#include "documents/liens.h"
#include "screens/ctr_edit/frm_apercu_document.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTime>
#include <QtDebug>
#include <optional>

namespace {

QString ChoisirFichierPdf(QWidget* parent, const QString& suggested) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    QFileDialog dialog(parent, QStringLiteral("Enregistrer le document en PDF"), QDir(folder).filePath(suggested),
                       QStringLiteral("Documents PDF (*.pdf)"));
    dialog.setObjectName(QStringLiteral("Dlg_FichierPdf"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (ui::modal().Show(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

namespace screens {

Ctr_Edit::Ctr_Edit(QWidget* parent) : QWidget(parent), choixPdf_(ChoisirFichierPdf) {}

Ctr_Edit::~Ctr_Edit() = default;

void Ctr_Edit::Retour(const QString& text) {
    if (retour_)
        *retour_ = text;
}

void Ctr_Edit::Executer() {
    ++executions_;
    Retour(QString());
    try {
        std::optional<documents::Preparation> preparation;
        {
            ui::BusyCursor busy(window());
            preparation = documents::PreparerDocument(db_, cle_.toStdString(), modele_.toStdString());
        }
        if (!preparation->document) {
            ui::messages().Show(preparation->erreur, ui::Buttons::Ok, ui::Icon::Exclamation);
            Retour(preparation->erreur);
            return;
        }
        const documents::DocumentPret& document = *preparation->document;
        QPrinter printer(QPrinter::HighResolution);
        documents::PreparerImprimante(printer, document);
        // The editor that hosts the control may already be hidden (saved).
        QWidget* parent = window()->isVisible() ? window() : window()->parentWidget();
        Frm_ApercuDocument apercu(document, printer, choixPdf_, parent);
        if (ui::modal().Show(apercu) != QDialog::Accepted)
            return;
        Retour(apercu.Destination());
        Noter(document, apercu.Destination());
    } catch (const std::exception& error) {
        const QString message = QStringLiteral("Le document n'a pas pu être imprimé : ") + QString::fromUtf8(error.what());
        ui::messages().Show(message, ui::Buttons::Ok, ui::Icon::Exclamation);
        Retour(message);
    }
}

void Ctr_Edit::Noter(const documents::DocumentPret& document, const QString& destination) {
    documents::Impression impression;
    impression.jour = data::dates::DateToInternal(QDate::currentDate()).toStdString();
    impression.heure = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    impression.utilisateur = client_.UserName();
    impression.destination = destination;
    try {
        documents::NoterImpression(db_, modele_.toStdString(), document.donnees.genre, cle_.toStdString(), impression);
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("Le document a été imprimé, mais son impression n'a pas pu être notée : ") +
                                QString::fromStdString(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
    }
}

} // namespace screens
