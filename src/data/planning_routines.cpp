#include "data/planning_routines.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"

namespace data {

namespace {

namespace t = tpsdetailsinterv;

constexpr std::size_t LongueurCle = 26;
constexpr std::size_t PositionDebut = 13;    // 0-based: start day on 5 digits
constexpr std::size_t PositionSequence = 19; // 2 digits
constexpr std::size_t PositionHeure = t::HeurePosition - 1;

long long Jour(const std::string& text) {
    try {
        std::size_t used = 0;
        const long long day = std::stoll(text, &used);
        if (used == text.size())
            return day;
    } catch (const std::exception&) {
    }
    throw dba::InvalidValue("REMPLRECURSIF : jour invalide « " + text + " »");
}

std::string Cinq(long long day) {
    std::string digits = std::to_string(day);
    return std::string(digits.size() < 5 ? 5 - digits.size() : 0, '0') + digits;
}

// The key the slot takes from the request; another slot already there
// keeps its key, and this one takes the next free sequence.
std::string NouvelleCle(const dba::Table& planning, const std::string& ancienne,
                        const DemandeRemplacement& d) {
    std::string key = ancienne;
    key.replace(PositionDebut, 5, Cinq(Jour(d.premierJour)));
    if (!d.heure.empty())
        key.replace(PositionHeure, 4, d.heure);
    if (key == ancienne || !planning.Exists(key))
        return key;
    for (int seq = 1; seq <= 99; ++seq) {
        key.replace(PositionSequence, 2, (seq < 10 ? "0" : "") + std::to_string(seq));
        if (key == ancienne || !planning.Exists(key))
            return key;
    }
    throw dba::InvalidValue("REMPLRECURSIF : plus de numéro libre pour " + ancienne);
}

dba::ResultList RemplRecursif(dba::Database& db, const std::string& command) {
    const DemandeRemplacement d = DemandeRemplacement::Lire(command);
    if (d.etat != EtatAFaire)
        return dba::ResultList({{d.cle, d.etat}});
    if (d.cle.size() != LongueurCle)
        throw dba::InvalidValue("REMPLRECURSIF : clé d'intervention invalide « " + d.cle + " »");
    if (d.premierJour.empty() || (!d.heure.empty() && d.heure.size() != 4))
        throw dba::InvalidValue("REMPLRECURSIF : demande incomplète pour " + d.cle);
    std::string nouvelle;
    db.Transaction([&] {
        const dba::Table planning = db.OpenTable(tables::TPSDETAILSINTERV);
        const dba::Record slot = planning.ReadRecord(d.cle);
        const std::string fields = slot.Item();
        planning.DeleteRecord(d.cle);
        db.OpenTable(tables::TPSSANSCONTRAT).DeleteRecord(d.cle);
        if (d.Suppression())
            return;
        nouvelle = NouvelleCle(planning, d.cle, d);
        dba::Record rebuilt = planning.NewRecord(nouvelle);
        rebuilt.SetRecord(fields);
        rebuilt.SetItem(t::DateFin, d.dernierJour);
        rebuilt.DBWrite();
    });
    return dba::ResultList({{nouvelle, EtatFait}});
}

} // namespace

std::string DemandeRemplacement::Texte() const {
    return dba::Join({cle, premierJour, std::string(), dernierJour, etat, heure}, dba::FM);
}

DemandeRemplacement DemandeRemplacement::Lire(const std::string& texte) {
    const std::vector<std::string> f = dba::Split(texte, dba::FM);
    auto champ = [&](std::size_t n) { return n < f.size() ? f[n] : std::string(); };
    DemandeRemplacement d;
    d.cle = champ(0);
    d.premierJour = champ(1);
    d.dernierJour = champ(3);
    d.etat = champ(4).empty() ? std::string(EtatAFaire) : champ(4);
    d.heure = champ(5);
    return d;
}

bool DemandeRemplacement::Suppression() const {
    return !dernierJour.empty() && Jour(dernierJour) < Jour(premierJour);
}

void RegisterPlanningRoutines(dba::Database& db) {
    db.RegisterRoutine(RoutineRemplRecursif, RemplRecursif);
}

} // namespace data
