#include "host_options.h"

#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>

std::optional<HostOptions> ParseHostOptions(const QStringList& arguments, QString& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Contrats de travail des aidants"));
    parser.addHelpOption();
    const QCommandLineOption db(QStringLiteral("db"), QStringLiteral("Base de données à ouvrir : fichier, ou chaîne de connexion PostgreSQL (postgresql://utilisateur@serveur/base)."),
                                QStringLiteral("FICHIER"));
    const QCommandLineOption user(QStringLiteral("user"),
                                  QStringLiteral("Utilisateur (défaut : celui du système)."),
                                  QStringLiteral("NOM"));
    const QCommandLineOption aide(QStringLiteral("aide"),
                                  QStringLiteral("Aidé dont les contrats s'affichent."),
                                  QStringLiteral("CODE"));
    const QCommandLineOption shot(QStringLiteral("screenshot"),
                                  QStringLiteral("Enregistre la fenêtre dans une image PNG puis quitte."),
                                  QStringLiteral("FICHIER.png"));
    const QCommandLineOption contrat(QStringLiteral("contrat"),
                                     QStringLiteral("Avec --screenshot : ouvre ce contrat dans l'éditeur."),
                                     QStringLiteral("CLE"));
    const QCommandLineOption onglet(QStringLiteral("onglet"),
                                    QStringLiteral("Avec --contrat : onglet de l'éditeur à montrer (0 à 4)."),
                                    QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption document(
        QStringLiteral("document"),
        QStringLiteral("Avec --pdf : contrat (clé) ou avenant (clé suivie du numéro d'avenant) à écrire."),
        QStringLiteral("CLE"));
    const QCommandLineOption pdf(QStringLiteral("pdf"),
                                 QStringLiteral("Écrit le document donné par --document dans ce fichier PDF puis quitte."),
                                 QStringLiteral("FICHIER.pdf"));
    parser.addOptions({db, user, aide, shot, contrat, onglet, document, pdf});
    if (!parser.parse(arguments)) {
        error = parser.errorText() + QLatin1Char('\n') + parser.helpText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        error = parser.helpText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Argument inattendu : %1\n%2")
                    .arg(parser.positionalArguments().first(), parser.helpText());
        return std::nullopt;
    }
    bool tabIsNumber = false;
    const int tab = parser.value(onglet).toInt(&tabIsNumber);
    if (!tabIsNumber || tab < 0 || tab > 4) {
        error = QStringLiteral("--onglet attend un numéro d'onglet de 0 à 4\n%1").arg(parser.helpText());
        return std::nullopt;
    }
    if (parser.isSet(contrat) && !parser.isSet(shot)) {
        error = QStringLiteral("--contrat s'emploie avec --screenshot\n%1").arg(parser.helpText());
        return std::nullopt;
    }
    if (parser.isSet(document) != parser.isSet(pdf)) {
        error = QStringLiteral("--document et --pdf s'emploient ensemble\n%1").arg(parser.helpText());
        return std::nullopt;
    }
    HostOptions options;
    options.database = parser.value(db);
    options.user = parser.value(user);
    options.aide = parser.value(aide);
    options.screenshot = parser.value(shot);
    options.contrat = parser.value(contrat);
    options.onglet = tab;
    options.document = parser.value(document);
    options.pdf = parser.value(pdf);
    return options;
}

QString DefaultDatabasePath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/arbel-contrats");
    return folder + QStringLiteral("/demo.arbel");
}
