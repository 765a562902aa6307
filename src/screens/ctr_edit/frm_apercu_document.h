#pragma once
// The preview of a document, page by page, from which the user prints it
// on the printer of their choice or saves it as a PDF file.
#include <QPrintPreviewDialog>
#include <QString>
#include <functional>

class QAction;
class QPrinter;

namespace documents {
struct DocumentPret;
}

namespace screens {

class Frm_ApercuDocument : public QPrintPreviewDialog {
    Q_OBJECT

public:
    using ChoixFichier = std::function<QString(QWidget* parent, const QString& suggested)>;

    // `printer` is used for the preview and for printing; both outlive the dialog.
    Frm_ApercuDocument(const documents::DocumentPret& document, QPrinter& printer, ChoixFichier choose,
                       QWidget* parent = nullptr);

    // "Enregistrer en PDF": asks where, writes the file, closes the preview
    // (accepted). Stays open when the user cancels or the file cannot be written.
    void Act_EnregistrerPdf_Triggered();

    // Where the document went once the dialog is accepted.
    const QString& Destination() const { return destination_; }

protected:
    void done(int result) override;

private:
    const documents::DocumentPret& document_;
    QPrinter& printer_;
    ChoixFichier choisir_;
    QString destination_;
};

} // namespace screens
