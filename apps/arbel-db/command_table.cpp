#include "command_table.h"

#include "commands.h"

namespace console {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"create", "", "crée une base vide (erreur si le fichier existe)", 0, 0, {}, RunCreate},
        {"create-table", "TABLE", "crée une table (sans effet si elle existe)", 1, 1, {}, RunCreateTable},
        {"tables", "", "liste les tables", 0, 0, {}, RunTables},
        {"query",
         "'SSELECT ...' [--fields \"0 7 8 4\"] [--json]",
         "exécute une requête ; une ligne par enregistrement trouvé",
         1,
         1,
         {{"--fields", true}, {"--json", false}},
         RunQuery},
        {"show", "TABLE KEY [--json]", "affiche un enregistrement", 2, 2, {{"--json", false}}, RunShow},
        {"set",
         "TABLE KEY FIELD[.VALUE[.SUBVALUE]] TEXT",
         "modifie un champ (crée l'enregistrement s'il manque)",
         4,
         4,
         {},
         RunSet},
        {"delete", "TABLE KEY", "supprime un enregistrement", 2, 2, {}, RunDelete},
        {"import",
         "FILE.jsonl [--create-tables]",
         "importe des enregistrements JSON Lines, tout ou rien",
         1,
         1,
         {{"--create-tables", false}},
         RunImport},
        {"export",
         "[TABLE] [--output FICHIER]",
         "écrit les enregistrements en JSON Lines sur la sortie, ou dans FICHIER (remplacé seulement une fois "
         "l'export complet)",
         0,
         1,
         {{"--output", true}},
         RunExport},
        {"dict", "TABLE", "liste le dictionnaire d'une table", 1, 1, {}, RunDict},
        {"dict-set", "TABLE NAME DEFINITION", "définit une entrée du dictionnaire", 3, 3, {}, RunDictSet},
        {"index", "TABLE FIELD", "crée et remplit un index", 2, 2, {}, RunIndex},
        {"indexes", "TABLE", "liste les index d'une table", 1, 1, {}, RunIndexes},
        {"check", "", "vérifie les enregistrements et les index", 0, 0, {}, RunCheck},
        {"copy",
         "CIBLE",
         "copie toute la base (tables, dictionnaires, enregistrements, index) vers une nouvelle base CIBLE, "
         "fichier ou serveur PostgreSQL (arbel-db SOURCE copy CIBLE, ou arbel-db copy SOURCE CIBLE)",
         1,
         1,
         {},
         RunCopy},
        {"demo",
         "[--scale N] [--seed S]",
         "crée une base de démonstration (erreur si le fichier existe)",
         0,
         0,
         {{"--scale", true}, {"--seed", true}},
         RunDemo},
        {"document",
         "CLE --pdf FICHIER.pdf [--modele SELECTEUR]",
         "écrit en PDF le document d'un contrat (CLE du contrat) ou d'un avenant (CLE suivie du numéro "
         "d'avenant) ; le modèle est celui de l'association et de la convention du contrat",
         1,
         1,
         {{"--pdf", true}, {"--modele", true}},
         RunDocument},
        {"modeles", "", "installe les modèles de documents par défaut qui manquent", 0, 0, {}, RunModeles},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const auto& command : Commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

std::string UsageLine(const Command* command) {
    if (!command)
        return "usage: arbel-db FILE COMMAND [ARGS...]   (arbel-db --help)";
    std::string line = std::string("usage: arbel-db FILE ") + command->name;
    if (*command->synopsis)
        line += std::string(" ") + command->synopsis;
    return line;
}

std::string HelpText() {
    std::string text = "usage: arbel-db FILE COMMAND [ARGS...]\n"
                       "       arbel-db --help\n\n"
                       "Console de la base d'enregistrements multi-valeurs. FILE est le fichier de la\n"
                       "base, ou la chaîne de connexion d'une base PostgreSQL (\"postgresql://utilisateur@serveur/base\"\n"
                       "ou \"host=serveur dbname=base\").\n\n"
                       "Commandes :\n";
    for (const auto& command : Commands()) {
        std::string head = std::string("  ") + command.name;
        if (*command.synopsis)
            head += std::string(" ") + command.synopsis;
        text += head + "\n      " + command.summary + "\n";
    }
    text +=
        "\nCodes de sortie : 0 réussi, 1 erreur de données, 2 erreur d'utilisation.\n"
        "Affichage : cellules séparées par une tabulation, valeurs par \" | \", sous-valeurs par \" ; \".\n";
    return text;
}

} // namespace console
