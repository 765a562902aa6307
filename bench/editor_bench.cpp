// The contract editor as the user waits for it, on the demo database at
// benchmark scale: opening one contract from the browser (Appel_Contrat up
// to the editor shown, through a modal runner that returns at once), and
// OK on that contract unchanged (checks, overlap query, locked write, read
// back, document links). Each against the engine's own time for the reads
// and writes the step makes, done by hand in the same run.
#include "demo_database_cache.h"

#include "collecting_reporter.h"
#include "control/contract_search.h"
#include "control/ctr_contrat.h"
#include "data/access_rights.h"
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"
#include "dba/database.h"
#include "rules/contract_overlap.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

namespace t = data::tables;
namespace c = data::contrat;
using Clock = std::chrono::steady_clock;

// Any message means the step did not run as measured: counted, and the
// figures refused.
class CountingMessages : public ui::Messages {
public:
    ui::Answer Show(const QString& text, ui::Buttons buttons, ui::Icon, ui::DefaultButton) override {
        ++shown;
        last = text;
        return ui::escapeAnswer(buttons);
    }
    void Beep() override {}
    int shown = 0;
    QString last;
};

// Runs the script given for the next editor instead of a modal loop.
class ScriptModal : public ui::Modal {
public:
    int Show(QDialog& dialog) override { return script ? script(dialog) : QDialog::Rejected; }
    std::function<int(QDialog&)> script;
};

struct Fixture {
    QListWidget* codes = nullptr; // the browser's list, whose current line opens
    dba::Database db;
    std::string beneficiary, user, key;
    std::string employer, entity, agreement;
    rules::ContractOverlapInput overlap;
    std::unique_ptr<QWidget> form;
    Ctr_Contrat* browser = nullptr;
    CountingMessages messages;
    ScriptModal modal;
};
Fixture* fixture = nullptr;

void Click(QDialog& editor, const char* button) {
    editor.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

bool MessagesShown(benchmark::State& state, int before) {
    if (fixture->messages.shown == before)
        return false;
    state.SkipWithError(("the editor showed: " + fixture->messages.last.toStdString()).c_str());
    return true;
}

// --- Opening ---

void BM_Engine_OpeningReads(benchmark::State& state) {
    const dba::Table contracts = fixture->db.OpenTable(t::CONTRAT);
    const dba::Table people = fixture->db.OpenTable(t::CIVILAIDE);
    const dba::Table entities = fixture->db.OpenTable(t::ASSOCIATION);
    for (auto _ : state) {
        benchmark::DoNotOptimize(contracts.ReadRecord(fixture->key));
        benchmark::DoNotOptimize(people.ReadRecordOrEmpty(fixture->employer));
        benchmark::DoNotOptimize(entities.ReadRecordOrEmpty(fixture->entity));
    }
}

void BM_Editor_Open(benchmark::State& state) {
    const int before = fixture->messages.shown;
    for (auto _ : state) {
        Clock::time_point shown;
        fixture->modal.script = [&](QDialog& editor) {
            shown = Clock::now();
            Click(editor, "Cmd_Retour"); // unchanged: closes without a question
            return QDialog::Accepted;
        };
        fixture->codes->setCurrentRow(0); // the search after a close leaves no line selected
        const Clock::time_point start = Clock::now();
        fixture->browser->Appel_Contrat();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    }
    MessagesShown(state, before);
}

// --- OK on the contract unchanged ---

void TouchLink(dba::Database& db, const std::string& table, const std::string& key) {
    try {
        const dba::Table links = db.OpenTable(table);
        dba::Record r;
        try {
            r = links.ReadRecordLocked(key);
        } catch (const dba::RecordNotFound&) {
            r = links.NewRecord(key);
        }
        r.DBWriteU();
        r.Release();
    } catch (const dba::TableNotFound&) {
    }
}

void BM_Engine_SaveReadsAndWrites(benchmark::State& state) {
    dba::Database& db = fixture->db;
    const dba::Table contracts = db.OpenTable(t::CONTRAT);
    const std::string overlapQuery = rules::OverlapQuery(fixture->overlap);
    const std::string prefix = fixture->entity + fixture->agreement;
    for (auto _ : state) {
        benchmark::DoNotOptimize(db.SelectRecords(overlapQuery, "0 7 8"));
        dba::Record locked = contracts.ReadRecordLocked(fixture->key);
        dba::Record contract = contracts.ReadRecord(fixture->key);
        contract.DBWriteU();
        locked.Release();
        contract.Release();
        benchmark::DoNotOptimize(contracts.ReadRecord(fixture->key));
        TouchLink(db, t::LIENCONTRAT, prefix + "CONTRAT");
        TouchLink(db, prefix + "CONTRAT", fixture->key);
    }
}

void BM_Editor_OkUnchanged(benchmark::State& state) {
    const int before = fixture->messages.shown;
    for (auto _ : state) {
        double seconds = 0;
        bool closed = false;
        fixture->modal.script = [&](QDialog& editor) {
            const Clock::time_point start = Clock::now();
            Click(editor, "Cmd_OK");
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
            closed = !editor.isVisible();
            return QDialog::Accepted;
        };
        fixture->codes->setCurrentRow(0);
        fixture->browser->Appel_Contrat();
        if (!closed) {
            state.SkipWithError("OK left the editor open");
            return;
        }
        state.SetIterationTime(seconds);
    }
    MessagesShown(state, before);
}

BENCHMARK(BM_Engine_OpeningReads)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Editor_Open)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine_SaveReadsAndWrites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Editor_OkUnchanged)->UseManualTime()->Unit(benchmark::kMillisecond);

// The first beneficiary, in key order, with an active contract of agreement
// "02" without end date: OK on it writes without a warning.
void PickContract(Fixture& f, long long today, long long periodStart) {
    const dba::ResultList all =
        f.db.SelectRecords("SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 65 <> \"O\" AND SANS 8", "0 3");
    for (int r = 1; r <= all.DCount(); ++r) {
        const std::string employer = all.Item(r, 2);
        const std::string query = control::BuildSearchQuery(employer, control::Validity::Actifs,
                                                            control::SortOrder::Aidant, today, periodStart);
        if (f.db.SelectRecords(query, control::SearchFields).DCount() > 0) {
            f.beneficiary = employer;
            return;
        }
    }
    throw std::runtime_error("no beneficiary with an active contract of agreement 02");
}

void Print(const CollectingReporter& reporter, const char* what, const char* engine, const char* editor,
           const char* target) {
    const auto e = reporter.times.find(engine);
    const auto d = reporter.times.find(editor);
    if (e == reporter.times.end() || d == reporter.times.end())
        return;
    std::printf("%-28s %10.3f %10.3f %8.2f  %s\n", what, e->second.real, d->second.real,
                d->second.real / e->second.real, target);
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Fixture f;
    ui::setMessages(&f.messages);
    ui::setModal(&f.modal);
    try {
        const std::filesystem::path path = bench::PrepareDemoDatabase();
        f.db = dba::Database::Open(path.string());
        const std::string period = f.db.OpenTable(t::PERIODESPAIE)
                                       .ReadRecord(t::keys::PeriodesPaie)
                                       .Item(data::periodespaie::PeriodeCourante);
        const long long today =
            data::UtilityServices::Instance().DateToInternal(QDate::currentDate()).toLongLong();
        PickContract(f, today, control::PeriodStartDay(period));
        f.user = data::demo::UtilisateurDemo;
        f.db.SetUserName(f.user);

        f.form = std::make_unique<QWidget>();
        f.browser = new Ctr_Contrat(f.form.get());
        f.browser->setTheDatabase(f.db);
        f.browser->setTheClient(data::Client(QString::fromStdString(f.user), QStringLiteral("bench")));
        f.browser->setW_Code(QString::fromStdString(f.beneficiary));
        f.browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(f.db, f.user));
        f.browser->Init();
        f.browser->Recherche_Contrat();
        f.codes = f.browser->findChild<QListWidget*>(QStringLiteral("Lst_CodeContrat"));
        if (!f.codes || f.codes->count() == 0)
            throw std::runtime_error("the browser lists no contract for " + f.beneficiary);
        f.codes->setCurrentRow(0);
        f.key = f.codes->item(0)->text().toStdString();
        const dba::Record contract = f.db.OpenTable(t::CONTRAT).ReadRecord(f.key);
        f.agreement = contract.Item(c::ConventionCollective);
        f.entity = contract.Item(c::EntiteJuridique);
        f.employer = contract.Item(c::Employeur);
        f.overlap = {QString::fromStdString(c::CodeAidant(f.key)),
                     QString::fromStdString(c::NumeroContrat(f.key)),
                     QString::fromStdString(f.agreement),
                     QString::fromStdString(f.entity),
                     QString::fromStdString(f.employer),
                     data::dates::InternalToDate(QString::fromStdString(contract.Item(c::DateDebut))),
                     {}};
        f.form->show();
        app.processEvents();
        fixture = &f;
        // The editor is loaded once per browser; the figures are those of
        // every later contract.
        f.modal.script = [](QDialog& editor) {
            Click(editor, "Cmd_Retour");
            return QDialog::Accepted;
        };
        f.browser->Appel_Contrat();
        if (f.messages.shown != 0)
            throw std::runtime_error("opening showed: " + f.messages.last.toStdString());
        std::printf("contract %s of beneficiary %s, user %s\n", f.key.c_str(), f.beneficiary.c_str(),
                    f.user.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "editor_bench: %s\n", e.what());
        return 1;
    }

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\n%-28s %10s %10s %8s  %s\n", "step", "engine ms", "editor ms", "ratio", "target");
    Print(reporter, "open from the browser", "BM_Engine_OpeningReads", "BM_Editor_Open/manual_time", "editor < 50 ms");
    Print(reporter, "OK on it unchanged", "BM_Engine_SaveReadsAndWrites", "BM_Editor_OkUnchanged/manual_time",
          "editor < 20 ms");
    ui::setModal(nullptr);
    ui::setMessages(nullptr);
    return 0;
}
