// The contract browser's search as the user waits for it: one
// Recherche_Contrat of a real Ctr_Contrat (offscreen), query, helper
// look-ups, rights filter and the five lists filled, against the engine's
// own time for the same query text and output fields. The database is the
// demo at benchmark scale (about 100 000 contracts) so helpers, entities,
// beneficiaries and rights are those of a real site; it is built once and
// cached beside the executable.
#include "bench_databases.h"
#include "demo_database_cache.h"

#include "control/contract_search.h"
#include "control/ctr_contrat.h"
#include "data/access_rights.h"
#include "data/demo_database.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"
#include "dba/database.h"
#include "ui/messages.h"

#include "collecting_reporter.h"
#include <QApplication>
#include <QDate>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace {

constexpr int WantedContracts = 20;

// A search that finds nothing shows a message; here it is counted and
// answered at once, and the run is refused (the figures would not be those
// of a filled list).
class CountingMessages : public ui::Messages {
public:
    ui::Answer Show(const QString& text, ui::Buttons, ui::Icon, ui::DefaultButton) override {
        ++shown;
        last = text;
        return ui::Answer::Ok;
    }
    void Beep() override {}
    int shown = 0;
    QString last;
};

struct Fixture {
    dba::Database db;
    std::string beneficiary, user, queryText;
    std::unique_ptr<QWidget> form; // the host's form, destroyed before the database
    Ctr_Contrat* browser = nullptr;
    QListWidget* lines = nullptr;
    CountingMessages messages;
};
Fixture* fixture = nullptr;

// The beneficiary whose search with the browser's default options (active
// contracts, by helper) lists closest to WantedContracts rows; ties go to
// the smallest code so every run measures the same one.
std::string PickBeneficiary(const dba::Database& db, long long today, long long periodStart) {
    std::map<std::string, int> employers;
    const dba::ResultList all =
        db.SelectRecords("SELECT CONTRAT AVEC 1 = \"02\" AND AVEC 65 <> \"O\"", "0 3");
    for (int r = 1; r <= all.DCount(); ++r)
        ++employers[all.Item(r, 2)];
    std::string best;
    int bestDistance = 1 << 30;
    for (const auto& [code, total] : employers) {
        if (std::abs(total - WantedContracts) > bestDistance)
            continue; // cannot list closer than it has contracts
        const std::string query = control::BuildSearchQuery(code, control::Validity::Actifs,
                                                            control::SortOrder::Aidant, today, periodStart);
        const int distance =
            std::abs(db.SelectRecords(query, control::SearchFields).DCount() - WantedContracts);
        if (distance < bestDistance) {
            best = code;
            bestDistance = distance;
        }
    }
    if (best.empty())
        throw std::runtime_error("no beneficiary with contracts of agreement 02");
    return best;
}

void BM_Engine_SelectRecords(benchmark::State& state) {
    std::size_t rows = 0;
    for (auto _ : state) {
        dba::ResultList result = fixture->db.SelectRecords(fixture->queryText, control::SearchFields);
        rows = static_cast<std::size_t>(result.DCount());
        benchmark::DoNotOptimize(result);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_Browser_Recherche_Contrat(benchmark::State& state) {
    const int shownBefore = fixture->messages.shown;
    for (auto _ : state)
        fixture->browser->Recherche_Contrat();
    if (fixture->messages.shown != shownBefore) {
        state.SkipWithError(("the search showed: " + fixture->messages.last.toStdString()).c_str());
        return;
    }
    state.counters["lines"] = fixture->lines->count();
}

BENCHMARK(BM_Engine_SelectRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Browser_Recherche_Contrat)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Real widgets, no screen.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    Fixture f;
    ui::setMessages(&f.messages);
    try {
        const auto started = std::chrono::steady_clock::now();
        const std::filesystem::path path = bench::PrepareDemoDatabase();
        f.db = dba::Database::Open(path.string());
        const std::string period = f.db.OpenTable(data::tables::PERIODESPAIE)
                                       .ReadRecord(data::tables::keys::PeriodesPaie)
                                       .Item(data::periodespaie::PeriodeCourante);
        const long long periodStart = control::PeriodStartDay(period);
        const long long today =
            data::UtilityServices::Instance().DateToInternal(QDate::currentDate()).toLongLong();
        f.beneficiary = PickBeneficiary(f.db, today, periodStart);
        f.queryText = control::BuildSearchQuery(f.beneficiary, control::Validity::Actifs,
                                                control::SortOrder::Aidant, today, periodStart);
        const dba::Record aide = f.db.OpenTable(data::tables::CIVILAIDE).ReadRecordOrEmpty(f.beneficiary);
        f.user = data::demo::UtilisateurDemo;
        f.db.SetUserName(f.user);

        f.form = std::make_unique<QWidget>();
        f.browser = new Ctr_Contrat(f.form.get());
        f.browser->setTheDatabase(f.db);
        f.browser->setTheClient(data::Client(QString::fromStdString(f.user), QStringLiteral("bench")));
        f.browser->setW_Code(QString::fromStdString(f.beneficiary));
        f.browser->setW_NomPrenom(QString::fromStdString(aide.Item(data::civilaide::Nom) + " " +
                                                         aide.Item(data::civilaide::Prenom)));
        f.browser->setW_EtatSuppAidant(false);
        f.browser->setDroitsUtilisateur(std::make_shared<data::AccessRights>(f.db, f.user));
        f.browser->Init();
        f.lines = f.browser->findChild<QListWidget*>(QStringLiteral("Lst_DatDebContrat"));
        if (!f.lines)
            throw std::runtime_error("the browser has no list Lst_DatDebContrat");
        f.form->show();
        app.processEvents();
        fixture = &f;

        // The browser must list what the engine selects (every helper of the
        // demo user is visible), or the two figures measure different work.
        f.browser->Recherche_Contrat();
        const int rows = f.db.SelectRecords(f.queryText, control::SearchFields).DCount();
        if (f.messages.shown != 0 || f.lines->count() != rows)
            throw std::runtime_error("the browser listed " + std::to_string(f.lines->count()) +
                                     " lines for " + std::to_string(rows) + " selected contracts");
        std::printf(
            "database: %s (ready in %.1f s)\nbeneficiary %s, user %s: %d contracts listed\nquery: %s\n",
            path.c_str(), std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
            f.beneficiary.c_str(), f.user.c_str(), rows, f.queryText.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "browser_bench: %s\n", e.what());
        return 1;
    }

    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto engine = reporter.times.find("BM_Engine_SelectRecords");
    const auto browser = reporter.times.find("BM_Browser_Recherche_Contrat");
    if (engine != reporter.times.end() && browser != reporter.times.end())
        std::printf("\n%-36s %10s %10s %8s %10s  %s\n%-36s %10.3f %10.3f %8.2f %10.2f  %s\n", "one search",
                    "engine ms", "browser ms", "ratio", "CPU ratio", "target",
                    "Recherche_Contrat vs SelectRecords", engine->second.real, browser->second.real,
                    browser->second.real / engine->second.real, browser->second.cpu / engine->second.cpu,
                    "browser < 50 ms");
    ui::setMessages(nullptr);
    return 0;
}
