// arbel-contrats: a host application of the suite, as small as a real one
// can be. It opens a database, signs the user in against the rights table,
// lets the user choose a beneficiary and shows the contract browser.
#include "beneficiary_chooser.h"
#include "editor_screenshot.h"
#include "host_options.h"
#include "host_window.h"

#include "data/access_rights.h"
#include "data/client.h"
#include "data/demo_database.h"
#include "data/procedures.h"
#include "data/tables.h"
#include "documents/document.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

namespace {

// In screenshot mode nobody is there to answer: messages go to the error
// output and take their default answer.
class ConsoleMessages : public ui::Messages {
public:
    ui::Answer Show(const QString& text, ui::Buttons buttons, ui::Icon, ui::DefaultButton def) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(ui::MessageTitle), qPrintable(text));
        if (buttons == ui::Buttons::Ok)
            return ui::Answer::Ok;
        if (def == ui::DefaultButton::Second)
            return ui::Answer::No;
        if (def == ui::DefaultButton::Third && buttons == ui::Buttons::YesNoCancel)
            return ui::Answer::Cancel;
        return ui::Answer::Yes;
    }
    void Beep() override {}
};

void Fail(const QString& message, bool interactive) {
    if (interactive)
        ui::messages().Show(message, ui::Buttons::Ok, ui::Icon::Exclamation);
    std::fprintf(stderr, "arbel-contrats: %s\n", qPrintable(message));
}

// The database to work on: the one given, or the demo database of the
// user's data folder, built on first run.
dba::Database OpenDatabase(const HostOptions& options) {
    if (!options.database.isEmpty())
        return dba::Database::Open(options.database.toStdString());
    const QString path = DefaultDatabasePath();
    if (QFileInfo::exists(path))
        return dba::Database::Open(path.toStdString());
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::fprintf(stderr, "arbel-contrats: première ouverture, création de la base de démonstration %s\n",
                 qPrintable(path));
    const QString building = path + QStringLiteral(".creation");
    QFile::remove(building);
    {
        dba::Database db = dba::Database::Create(building.toStdString());
        data::BuildDemoDatabase(db);
    }
    // Built aside and renamed, so an interrupted first run never leaves a
    // half-built demo behind.
    QFile::remove(building + QStringLiteral("-wal"));
    QFile::remove(building + QStringLiteral("-shm"));
    if (!QFile::rename(building, path))
        throw std::runtime_error("impossible de créer " + path.toStdString());
    return dba::Database::Open(path.toStdString());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("arbel-contrats"));
    QApplication::setOrganizationName(QStringLiteral("arbeldone"));

    QString usageError;
    const std::optional<HostOptions> options = ParseHostOptions(app.arguments(), usageError);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(usageError));
        return app.arguments().contains(QStringLiteral("--help")) ? 0 : 2;
    }
    const bool screenshot = !options->screenshot.isEmpty();
    ConsoleMessages consoleMessages;
    if (screenshot)
        ui::setMessages(&consoleMessages);

    dba::Database db;
    try {
        db = OpenDatabase(*options);
    } catch (const std::exception& error) {
        Fail(QStringLiteral("La base de données ne peut pas être ouverte : %1")
                 .arg(QString::fromUtf8(error.what())),
             !screenshot);
        return 1;
    }

    data::Client client = data::Client::FromSystem();
    const QString user = options->user.isEmpty() ? data::Lire_NomUtilisateur() : options->user;
    client.SetUserName(user);
    db.SetUserName(user.toStdString());
    try {
        if (!db.OpenTable(data::tables::DROITSUTILISATEUR).Exists(user.toStdString())) {
            Fail(QStringLiteral("L'utilisateur « %1 » n'a aucun droit sur cette base.").arg(user),
                 !screenshot);
            return 1;
        }
    } catch (const dba::Error& error) {
        Fail(QStringLiteral("Les droits des utilisateurs ne peuvent pas être lus : %1").arg(error.what()),
             !screenshot);
        return 1;
    }
    auto rights = std::make_shared<data::AccessRights>(db, user.toStdString());
    if (!options->pdf.isEmpty()) {
        // For support staff: the document as the editor would print it, no window.
        const std::string key = options->document.toStdString();
        QString error;
        try {
            const std::string selector = documents::SelecteurDuContrat(db, key);
            error = selector.empty()
                        ? QStringLiteral("Le contrat du document %1 est introuvable.").arg(options->document)
                        : documents::EcrirePdf(db, key, selector, options->pdf);
        } catch (const dba::Error& e) {
            error = QStringLiteral("Les contrats ne peuvent pas être lus : %1").arg(QString::fromUtf8(e.what()));
        }
        if (!error.isEmpty()) {
            std::fprintf(stderr, "arbel-contrats: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("%s\n", qPrintable(options->pdf));
        return 0;
    }
    if (const std::optional<std::string> refusal = db.WriteRefusal()) {
        // Everyone is a reader then (see AccessRights): say why once.
        const QString text = QStringLiteral("La base de données est ouverte en consultation seulement : aucune "
                                            "modification ne pourra être enregistrée.\n\n%1")
                                 .arg(QString::fromStdString(*refusal));
        ui::messages().Show(text, ui::Buttons::Ok, ui::Icon::Information);
    }

    HostWindow window(db, client, rights);
    if (screenshot && !options->contrat.isEmpty())
        return CaptureEditor(window, db, options->contrat, options->onglet, options->screenshot);
    if (!options->aide.isEmpty()) {
        window.Chooser()->Select(options->aide);
        if (!window.OpenBeneficiary(options->aide, window.Chooser()->NameOf(options->aide)))
            return screenshot ? 1 : 0;
        window.Search();
    }

    if (screenshot) {
        window.show();
        app.processEvents();
        if (!window.grab().save(options->screenshot)) {
            std::fprintf(stderr, "arbel-contrats: impossible d'écrire %s\n", qPrintable(options->screenshot));
            return 1;
        }
        std::printf("%s\n", qPrintable(QFileInfo(options->screenshot).absoluteFilePath()));
        return 0;
    }
    window.show();
    return app.exec();
}
