// arbel-db FILE document KEY --pdf FILE.pdf [--modele SELECTEUR]: writes the
// document of a contract (KEY = contract key) or of one of its amendments
// (KEY = contract key followed by the amendment number) as a PDF file,
// without any window. arbel-db FILE modeles: installs the default document
// models that are missing, for every entity and agreement.
#include "commands.h"
#include "console_errors.h"

#include "data/dates.h"
#include "dba/database.h"
#include "documents/document.h"
#include "documents/modeles_defaut.h"

#include <QDate>
#include <QGuiApplication>
#include <memory>

namespace console {

namespace {

// Laying out text needs fonts, hence an application object; the console
// has no screen, so it draws offscreen unless told otherwise.
class ApplicationSansFenetre {
public:
    ApplicationSansFenetre() {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QGuiApplication::instance())
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }

private:
    static inline char name_[] = "arbel-db";
    static inline char* argv_[] = {name_, nullptr};
    static inline int argc_ = 1;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace

int RunDocument(CommandContext& context) {
    const std::string key = context.args.positional.at(0);
    if (!context.args.Has("--pdf") || context.args.Value("--pdf").empty())
        throw UsageError("--pdf FICHIER.pdf attendu", "document");
    const QString path = QString::fromStdString(context.args.Value("--pdf"));
    dba::Database db = dba::Database::Open(context.databasePath);
    std::string selecteur = context.args.Value("--modele");
    if (selecteur.empty())
        selecteur = documents::SelecteurDuContrat(db, key);
    if (selecteur.empty())
        throw ConsoleError("contrat introuvable pour le document " + key);
    ApplicationSansFenetre app;
    const QString error = documents::EcrirePdf(db, key, selecteur, path);
    if (!error.isEmpty())
        throw ConsoleError(error.toStdString());
    context.out << "document " << key << " (modèle " << selecteur << ") écrit dans " << path.toStdString() << '\n';
    return 0;
}

int RunModeles(CommandContext& context) {
    dba::Database db = dba::Database::Open(context.databasePath);
    int written = 0;
    db.Transaction([&] {
        written = documents::InstallerModelesDefaut(
            db, data::dates::DateToInternal(QDate::currentDate()).toStdString());
    });
    context.out << written << " modèle(s) de document installé(s)\n";
    return 0;
}

} // namespace console
