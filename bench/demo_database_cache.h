#pragma once
// The demo database at benchmark scale (about 100 000 contracts), so that
// helpers, entities, beneficiaries and rights are those of a real site.
// Built once and cached beside the benchmark executables; written under a
// temporary name and renamed when complete.
#include "bench_databases.h"

#include "data/demo_database.h"
#include "dba/database.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace bench {

constexpr int DemoScale = 2000;
constexpr std::uint32_t DemoSeed = 1;

inline std::filesystem::path PrepareDemoDatabase() {
    const std::filesystem::path final =
        bench::CacheDirectory() /
        ("demo-scale" + std::to_string(DemoScale) + "-seed" + std::to_string(DemoSeed) + ".db");
    if (std::filesystem::exists(final))
        return final;
    const std::filesystem::path partial = final.string() + ".partial";
    bench::RemoveDatabaseFiles(partial);
    {
        dba::Database db = dba::Database::Create(partial.string());
        data::BuildDemoDatabase(db, DemoScale, DemoSeed);
    }
    if (std::filesystem::exists(partial.string() + "-wal") &&
        std::filesystem::file_size(partial.string() + "-wal") > 0)
        throw std::runtime_error("journal not checkpointed after building " + partial.string());
    std::filesystem::rename(partial, final);
    return final;
}

} // namespace bench
