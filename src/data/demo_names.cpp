#include "data/demo_names.h"

namespace data::demo {

const std::vector<std::string>& Surnames() {
    static const std::vector<std::string> names = {
        "Martin",         "Bernard",      "Dubois",       "Thomas",      "Robert",        "Richard",
        "Petit",          "Durand",       "Leroy",        "Moreau",      "Simon",         "Laurent",
        "Lefèvre",        "Michel",       "Garcia",       "David",       "Bertrand",      "Roux",
        "Vincent",        "Fournier",     "Morel",        "Girard",      "André",         "Lefebvre",
        "Mercier",        "Dupont",       "Lambert",      "Bonnet",      "François",      "Martinez",
        "Legrand",        "Garnier",      "Faure",        "Rousseau",    "Blanc",         "Guérin",
        "Muller",         "Henry",        "Roussel",      "Nicolas",     "Perrin",        "Morin",
        "Mathieu",        "Clément",      "Gauthier",     "Dumont",      "Lopez",         "Fontaine",
        "Chevalier",      "Robin",        "Masson",       "Sanchez",     "Gérard",        "Nguyen",
        "Boyer",          "Denis",        "Lemaire",      "Duval",       "Joly",          "Gautier",
        "Roger",          "Roche",        "Roy",          "Noël",        "Meyer",         "Lucas",
        "Meunier",        "Jean",         "Pérez",        "Marchand",    "Dufour",        "Blanchard",
        "Barbier",        "Brun",         "Dumas",        "Brunet",      "Schmitt",       "Leroux",
        "Colin",          "Fernandez",    "Pierre",       "Renard",      "Arnaud",        "Rolland",
        "Caron",          "Aubert",       "Giraud",       "Leclerc",     "Vidal",         "Bourgeois",
        "Renaud",         "Lemoine",      "Picard",       "Gaillard",    "Philippe",      "Leclercq",
        "Lacroix",        "Fabre",        "Dupuis",       "Olivier",     "Rodriguez",     "Da Silva",
        "Hubert",         "Louis",        "Charles",      "Guillot",     "Rivière",       "Le Gall",
        "Guillaume",      "Adam",         "Rey",          "Moulin",      "Gonzalez",      "Berger",
        "Lecomte",        "Ménard",       "Fleury",       "Deschamps",   "Carpentier",    "Julien",
        "Benoît",         "Paris",        "Maillard",     "Marchal",     "Aubry",         "Vasseur",
        "Le Roux",        "Renault",      "Jacquet",      "Collet",      "Prévost",       "Poirier",
        "Charpentier",    "Royer",        "Huet",         "Baron",       "Dupuy",         "Pons",
        "Paul",           "Laine",        "Carré",        "Breton",      "Rémy",          "Schneider",
        "Perrot",         "Guyot",        "Barre",        "Marty",       "Cousin",        "Le Goff",
        "D'Almeida",      "N'Diaye",      "D'Amico",      "De Oliveira", "Le Bihan",      "Saint-Martin",
        "Bénard",         "Lévêque",      "Côté",         "Besnard",     "Hervé",         "Chrétien",
        "Boucher-Lévêque", "Martin-Lagarde", "Moreau-Chauvin", "Lemaître",  "Ferrand",       "Bouvier",
        "Tessier",        "Pineau",       "Gaudin",       "Chauvin",     "Brossard",      "Pasquier",
        "Gilbert",        "Cordier",      "Hamon",        "Jolivet",     "Lebrun",        "Hoarau",
        "Traoré",         "Benali",       "Haddad",       "Cissé",       "Oliveira",      "Ferreira",
    };
    return names;
}

const std::vector<std::string>& WomenFirstNames() {
    static const std::vector<std::string> names = {
        "Marie",      "Nathalie",   "Isabelle",      "Sylvie",       "Catherine",   "Françoise",
        "Valérie",    "Christine",  "Monique",       "Sandrine",     "Véronique",   "Nicole",
        "Sophie",     "Martine",    "Stéphanie",     "Céline",       "Brigitte",    "Patricia",
        "Chantal",    "Émilie",     "Aurélie",       "Julie",        "Hélène",      "Jacqueline",
        "Annie",      "Laëtitia",   "Séverine",      "Karine",       "Mélanie",     "Corinne",
        "Élodie",     "Josiane",    "Ginette",       "Thérèse",      "Geneviève",   "Odile",
        "Agnès",      "Béatrice",   "Danièle",       "Marie-Thérèse", "Anne-Sophie", "Marie-Claude",
        "Jeanne",     "Madeleine",  "Yvette",        "Simone",       "Huguette",    "Paulette",
        "Fatoumata",  "Aïcha",      "Mélissa",       "Noémie",       "Zoé",         "Océane",
        "Marie-Hélène", "Anne-Laure", "Maëlle",      "Cécile",       "Solène",      "Ingrid",
    };
    return names;
}

const std::vector<std::string>& MenFirstNames() {
    static const std::vector<std::string> names = {
        "Jean",       "Pierre",     "Michel",      "André",       "Philippe",   "René",
        "Louis",      "Alain",      "Jacques",     "Bernard",     "Marcel",     "Daniel",
        "Roger",      "Robert",     "Claude",      "Henri",       "Georges",    "Gérard",
        "Jean-Pierre", "Jean-Claude", "Jean-Luc",   "François",    "Hervé",      "Raymond",
        "Lucien",     "Maurice",    "Joël",        "Noël",        "Gaëtan",     "Jérôme",
        "Mamadou",    "Karim",      "Loïc",        "Anthony",     "Benoît",     "Émile",
    };
    return names;
}

const std::vector<Town>& Towns() {
    static const std::vector<Town> towns = {
        {"Angers", "49000"},
        {"Saumur", "49400"},
        {"Cholet", "49300"},
        {"Les Ponts-de-Cé", "49130"},
        {"Saint-Barthélemy-d'Anjou", "49124"},
        {"Chalonnes-sur-Loire", "49290"},
        {"Doué-en-Anjou", "49700"},
        {"Montreuil-Bellay", "49260"},
        {"Tours", "37000"},
        {"Amboise", "37400"},
        {"Chinon", "37500"},
        {"L'Île-Bouchard", "37220"},
        {"Montlouis-sur-Loire", "37270"},
        {"Joué-lès-Tours", "37300"},
        {"Bourgueil", "37140"},
        {"Orléans", "45000"},
        {"Beaugency", "45190"},
        {"Saint-Jean-de-Braye", "45800"},
        {"Meung-sur-Loire", "45130"},
        {"Blois", "41000"},
        {"Vendôme", "41100"},
        {"Romorantin-Lanthenay", "41200"},
        {"Saint-Aignan", "41110"},
        {"Mer", "41500"},
    };
    return towns;
}

const std::vector<std::string>& StreetNames() {
    static const std::vector<std::string> names = {
        "de la Paix",         "Victor-Hugo",       "des Tilleuls",     "du Maréchal-Leclerc",
        "de l'Église",        "des Écoles",        "Jean-Jaurès",      "du Château",
        "des Lilas",          "Saint-Éloi",        "de la Loire",      "des Vignes",
        "du Moulin",          "Pasteur",           "d'Anjou",          "de la Gare",
        "des Acacias",        "du Général-de-Gaulle", "Nationale",     "des Peupliers",
        "de Verdun",          "Émile-Zola",        "des Charmilles",   "du Pressoir",
        "de la Fontaine",     "des Rosiers",       "du Val",           "Sainte-Anne",
        "de l'Abbaye",        "des Mariniers",     "du Puits-Bertin",  "René-Cassin",
    };
    return names;
}

const std::vector<std::string>& StreetKinds() {
    static const std::vector<std::string> kinds = {"RUE", "RUE", "RUE", "AV", "BD", "CHE", "IMP", "PL", "ALL", "RTE"};
    return kinds;
}

const std::vector<std::string>& Banks() {
    static const std::vector<std::string> banks = {
        "Crédit Agricole Anjou Maine", "Caisse d'Épargne Loire-Centre", "Banque Populaire Val de France",
        "Crédit Mutuel Loire-Atlantique", "La Banque Postale", "Société Générale", "BNP Paribas", "CIC Ouest",
    };
    return banks;
}

} // namespace data::demo
