#include "data/global_state.h"

#include "data/tables.h"

#include <utility>

namespace data {

const dba::Table* TableHandles::Find(std::string_view name) const {
    using namespace tables;
    const std::pair<std::string_view, const dba::Table*> all[] = {{CONTRAT, &Contrat},
                                                                  {ETABLISSEMENT, &Etablissement},
                                                                  {CIVILAIDANT, &CivilAidant},
                                                                  {TABLES, &Tables},
                                                                  {MISSIONSAIDANT, &MissionsAidant},
                                                                  {CONTRATSPREV, &ContratsPrev},
                                                                  {CONTRATINV, &ContratInv},
                                                                  {CONVENTIONCOL, &ConventionCol},
                                                                  {PROFIL, &Profil},
                                                                  {RUBCHARGE, &RubCharge},
                                                                  {ASSOCIATION, &Association},
                                                                  {ACTIVITESAIDE, &ActivitesAide},
                                                                  {ACTIVITES, &Activites},
                                                                  {CIVILAIDE, &CivilAide},
                                                                  {HISTORINDEM, &HistorIndem},
                                                                  {PERIODESPAIE, &PeriodesPaie},
                                                                  {RIBAIDANT, &RibAidant},
                                                                  {DETAILCALCUL, &DetailCalcul},
                                                                  {RUBSAISIE, &RubSaisie},
                                                                  {TPSEXCEPTIONS, &TpsExceptions},
                                                                  {INFOSAIDANT, &InfosAidant},
                                                                  {GRILLESCC, &GrillesCC}};
    for (const auto& [tableName, handle] : all)
        if (tableName == name)
            return handle;
    return nullptr;
}

dba::Table* TableHandles::Find(std::string_view name) {
    return const_cast<dba::Table*>(std::as_const(*this).Find(name));
}

bool TableHandles::AllOpen() const {
    for (std::string_view name : tables::OpenedAtInit) {
        const dba::Table* t = Find(name);
        if (t == nullptr || !t->isOpen())
            return false;
    }
    return true;
}

dba::Record& GlobalState::CurrentRecord(std::string_view table) {
    using namespace tables;
    if (table == CONTRAT)
        return ContractRecord;
    if (table == CIVILAIDANT)
        return HelperRecord;
    if (table == PERIODESPAIE)
        return PayPeriodRecord;
    if (table == CIVILAIDE)
        return BeneficiaryRecord;
    if (table == ETABLISSEMENT)
        return EstablishmentRecord;
    if (table == ASSOCIATION)
        return EntityRecord;
    if (table == TABLES)
        return ListRecord;
    auto it = otherRecords_.find(table);
    if (it == otherRecords_.end())
        it = otherRecords_.emplace(std::string(table), dba::Record()).first;
    return it->second;
}

void GlobalState::SetDecimalSeparator(const QString& separator) {
    DecimalSeparator = separator;
    DecimalSeparatorCode = separator.isEmpty() ? 0 : separator.at(0).unicode();
}

namespace {
// A contract written with DBWriteU keeps its lock until released; at the
// end of the session the lock goes with it. A failure here cannot be acted
// upon (the engine reclaims the locks of a closed session anyway).
void ReleaseLock(dba::Record& record) {
    if (!record.hasTable())
        return;
    try {
        record.Release();
    } catch (const dba::Error&) {
    }
}
} // namespace

void GlobalState::ReleaseAll() {
    ReleaseLock(ContractRecord);
    ReleaseLock(LockedContractRecord);
    ContractRecord = {};
    LockedContractRecord = {};
    HelperRecord = {};
    PayPeriodRecord = {};
    BeneficiaryRecord = {};
    EstablishmentRecord = {};
    EntityRecord = {};
    ListRecord = {};
    otherRecords_.clear();
    Handles = {};
}

} // namespace data
