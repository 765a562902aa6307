#pragma once
// The state every screen of the library shares, from the control's Init to
// its end. One GlobalState belongs to one Ctr_Contrat: the control owns it
// and hands a reference to each form it opens (editor, side screens), so
// two controls never see each other's records and tests build their own.
#include "data/client.h"
#include "dba/database.h"

#include <QString>
#include <map>
#include <string>
#include <string_view>

namespace data {

// One handle per table opened by Ouvrir_Tables (same order there).
struct TableHandles {
    dba::Table Contrat, Etablissement, CivilAidant, Tables, MissionsAidant, ContratsPrev, ContratInv,
        ConventionCol, Profil, RubCharge, Association, ActivitesAide, Activites, CivilAide, HistorIndem,
        PeriodesPaie, RibAidant, DetailCalcul, RubSaisie, TpsExceptions, InfosAidant, GrillesCC;

    // The handle of table `name`, or nullptr for a table not kept here.
    dba::Table* Find(std::string_view name);
    const dba::Table* Find(std::string_view name) const;
    // True once every handle is open.
    bool AllOpen() const;
};

class GlobalState {
public:
    // --- Connection (given by the host) ---
    dba::Database TheDatabase;
    Client TheClient;

    // --- Table handles ---
    TableHandles Handles;

    // --- Current records: one slot per table for the record worked on ---
    dba::Record ContractRecord;       // CONTRAT: the contract shown in the editor
    dba::Record LockedContractRecord; // CONTRAT, read with ReadRecordLocked for the editor's write
    dba::Record HelperRecord;         // CIVILAIDANT
    dba::Record PayPeriodRecord;      // PERIODESPAIE "1", read by Ouvrir_Tables
    dba::Record BeneficiaryRecord;    // CIVILAIDE
    dba::Record EstablishmentRecord;  // ETABLISSEMENT
    dba::Record EntityRecord;         // ASSOCIATION
    dba::Record ListRecord;           // TABLES
    // The slot of any table: the named ones above for their tables
    // (CONTRAT gives ContractRecord), a slot of its own for the others.
    dba::Record& CurrentRecord(std::string_view table);

    // --- Settings, set by the control's Init from COMPTEUR "999" ---
    QString ContractManagementLevel = QStringLiteral("0"); // compared as text with "3"
    bool PlanningCheck = false;

    // --- Browser-to-editor state ---
    bool EndDateEntryLocked = false; // from W_EtatSuppAidant
    bool EditorLoading = false;
    std::string OpeningRecordText; // ContractRecord.Item() as read, to detect changes
    bool CombosFilled = false;

    // --- Locale, set by Init ---
    QString DecimalSeparator = QStringLiteral(",");
    int DecimalSeparatorCode = ',';
    void SetDecimalSeparator(const QString& separator);

    // Empties every record slot and table handle (the connection stays).
    void ReleaseAll();

private:
    std::map<std::string, dba::Record, std::less<>> otherRecords_;
};

} // namespace data
