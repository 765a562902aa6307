#include "data/demo_end_showcase.h"

#include "data/contrat_fields.h"
#include "data/tables.h"

#include <functional>
#include <string>
#include <vector>

namespace data::demo {

namespace {

namespace c = contrat;

long long DayOf(const dba::Record& r, int field) {
    return std::stoll(r.Item(field));
}

void ClearEnd(dba::Record& r) {
    for (int f : {c::MotifFin, c::DateNotification, c::DernierJourTravaille, c::PrimePrecarite, c::PreavisPayeDebut,
                  c::PreavisPayeFin, c::PreavisEffectueDebut, c::PreavisEffectueFin, c::MotifNonVersement,
                  c::Observations, c::ComplementMotif, c::DateSignatureRupture, c::PreavisNonEffectueDebut,
                  c::PreavisNonEffectueFin, c::CalculIndemniteLicenciement})
        r.SetItem(f, "");
}

struct Counters {
    long long cpAcquired, cpRemaining, splitAcquired, splitRemaining, earning, seniorityAcquired,
        seniorityRemaining, advance;
};

} // namespace

void WriteEndShowcase(Builder& b) {
    dba::Table contrats = b.db.OpenTable(tables::CONTRAT);
    const dba::ResultList keys = b.db.SelectRecords("SSELECT CONTRAT AVEC 65 # \"O\"", "0");
    std::vector<dba::Record> running, endedOpen, endedFixed;
    for (int i = 1; i <= keys.DCount(); ++i) {
        dba::Record r = contrats.ReadRecord(keys.Item(i, 1));
        if (r.Item(c::DateFin).empty())
            running.push_back(r);
        else if (r.Item(c::TypeContrat) == c::TypeCDD)
            endedFixed.push_back(r);
        else if (DayOf(r, c::DateFin) - DayOf(r, c::DateDebut) > 200)
            endedOpen.push_back(r);
    }

    // Leave counters (hundredths of a day): half days left, days taken in
    // advance of those being earned, split-leave and seniority days.
    const Counters counters[] = {
        {2500, 1250, 200, 150, 1000, 0, 0, 0},   // half days left, split leave
        {3000, -150, 0, 0, 1500, 0, 0, 150},     // taken in advance
        {2400, 2400, 100, 100, 800, 400, 250, 0}, // seniority leave
        {0, 0, 0, 0, 0, 0, 0, 0},                // nothing earned yet
    };
    for (std::size_t i = 0; i < running.size() && i < std::size(counters); ++i) {
        dba::Record& r = running[i];
        const Counters& k = counters[i];
        const std::string amount = r.Item(c::JourOuvrableMontant);
        const long long dayAmount = amount.empty() ? 0 : std::stoll(amount);
        r.SetItem(c::CPAcquis, std::to_string(k.cpAcquired));
        r.SetItem(c::CPRestants, std::to_string(k.cpRemaining));
        r.SetItem(c::CFAcquis, std::to_string(k.splitAcquired / 100));
        r.SetItem(c::CFRestants, std::to_string(k.splitRemaining));
        r.SetItem(c::CPEnCoursJours, std::to_string(k.earning));
        r.SetItem(c::CAncienneteAcquis, std::to_string(k.seniorityAcquired));
        r.SetItem(c::CAncienneteRestants, std::to_string(k.seniorityRemaining));
        r.SetItem(c::JoursAnticipation, std::to_string(k.advance));
        // Provisions: the days' value plus a tenth, to the cent.
        r.SetItem(c::ProvisionCP, std::to_string(k.cpRemaining * dayAmount * 11 / 1000));
        r.SetItem(c::ProvisionEnCours, std::to_string(k.earning * dayAmount * 11 / 1000));
        r.DBWrite();
    }

    // One ended open-ended contract per family; the notice fits between
    // the start and the end.
    using Writer = std::function<void(dba::Record&, long long start, long long end)>;
    const Writer families[] = {
        [](dba::Record& r, long long, long long end) { // resignation, notice worked
            r.SetItem(c::MotifFin, "59");
            r.SetItem(c::DateNotification, DayText(end - 30));
            r.SetItem(c::PreavisEffectueDebut, DayText(end - 30));
            r.SetItem(c::PreavisEffectueFin, DayText(end));
        },
        [](dba::Record& r, long long, long long end) { // dismissal, notice worked
            r.SetItem(c::MotifFin, "20");
            r.SetItem(c::DateNotification, DayText(end - 61));
            r.SetItem(c::PreavisEffectueDebut, DayText(end - 61));
            r.SetItem(c::PreavisEffectueFin, DayText(end));
            r.SetItem(c::CalculIndemniteLicenciement, "1");
        },
        [](dba::Record& r, long long, long long end) { // dismissal, notice paid not worked
            r.SetItem(c::MotifFin, "14");
            r.SetItem(c::DateNotification, DayText(end - 30));
            r.SetItem(c::DernierJourTravaille, DayText(end - 30));
            r.SetItem(c::PreavisPayeDebut, DayText(end - 29));
            r.SetItem(c::PreavisPayeFin, DayText(end));
            r.SetItem(c::MotifNonVersement, "Préavis dispensé par l'employeur, payé.");
            r.SetItem(c::CalculIndemniteLicenciement, "0");
        },
        [](dba::Record& r, long long, long long end) { // unfitness, notice neither worked nor paid
            r.SetItem(c::MotifFin, "91");
            r.SetItem(c::DateNotification, DayText(end - 30));
            r.SetItem(c::DernierJourTravaille, DayText(end - 30));
            r.SetItem(c::PreavisNonEffectueDebut, DayText(end - 29));
            r.SetItem(c::PreavisNonEffectueFin, DayText(end));
            r.SetItem(c::MotifNonVersement, "Inaptitude : préavis non exécutable.");
            r.SetItem(c::CalculIndemniteLicenciement, "1");
        },
        [](dba::Record& r, long long, long long end) { // retirement by the employer
            r.SetItem(c::MotifFin, "38");
            r.SetItem(c::DateNotification, DayText(end - 61));
            r.SetItem(c::PreavisEffectueDebut, DayText(end - 61));
            r.SetItem(c::PreavisEffectueFin, DayText(end));
            r.SetItem(c::CalculIndemniteLicenciement, "1");
            r.SetItem(c::Observations, 1, "Départ fêté le dernier jour.");
        },
        [](dba::Record& r, long long, long long end) { // agreed termination
            r.SetItem(c::MotifFin, "43");
            r.SetItem(c::DateNotification, DayText(end - 20));
            r.SetItem(c::DateSignatureRupture, DayText(end - 35));
            r.SetItem(c::ComplementMotif, "Convention homologuée.");
        },
    };
    for (std::size_t i = 0; i < endedOpen.size() && i < std::size(families); ++i) {
        dba::Record& r = endedOpen[i];
        const long long start = DayOf(r, c::DateDebut), end = DayOf(r, c::DateFin);
        ClearEnd(r);
        r.SetItem(c::DernierJourTravaille, DayText(end));
        r.SetItem(c::PrimePrecarite, "0");
        families[i](r, start, end);
        r.SetItem(c::PeriodeDernierBulletin, PeriodOfDay(end));
        r.DBWrite();
    }
    // A fixed-term contract at its term, with its precariousness bonus and
    // no notification; its last payslip is the month before the end.
    if (!endedFixed.empty()) {
        dba::Record& r = endedFixed.front();
        const long long end = DayOf(r, c::DateFin);
        ClearEnd(r);
        r.SetItem(c::MotifFin, "31");
        r.SetItem(c::DernierJourTravaille, DayText(end));
        r.SetItem(c::PrimePrecarite, "1");
        const std::string before = PeriodOfDay(FirstDayOfPeriod(PeriodOfDay(end)) - 1);
        r.SetItem(c::PeriodeDernierBulletin,
                  before >= PeriodOfDay(DayOf(r, c::DateDebut)) ? before : PeriodOfDay(end));
        r.DBWrite();
    }
}

} // namespace data::demo
