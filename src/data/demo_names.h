#pragma once
// French names, towns and streets the demo database draws from. Accents,
// apostrophes and compound names are there on purpose: they are what sorts
// and searches by name meet in real files.
#include <string>
#include <vector>

namespace data::demo {

struct Town {
    const char* name;
    const char* postCode;
};

const std::vector<std::string>& Surnames();        // "Lefèvre", "N'Diaye", "Le Goff"...
const std::vector<std::string>& WomenFirstNames(); // "Françoise", "Marie-Thérèse"...
const std::vector<std::string>& MenFirstNames();   // "Jean-Pierre", "Hervé"...
const std::vector<Town>& Towns();                  // towns of Anjou, Touraine, Orléanais
const std::vector<std::string>& StreetNames();     // "des Tilleuls", "Victor-Hugo"...
const std::vector<std::string>& StreetKinds();     // codes of list NATUREVOIE
const std::vector<std::string>& Banks();           // bank names for the bank details

} // namespace data::demo
