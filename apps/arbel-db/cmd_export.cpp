#include "commands.h"
#include "console_errors.h"
#include "error_report.h"
#include "jsonl_reader.h"
#include "record_json.h"

#include "dba/database.h"
#include "dba/errors.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace console {

namespace {

// The export file, written aside and renamed over the target once whole:
// an export that fails, or a machine that stops, never leaves a file that
// looks complete, and an earlier export of the same name stays as it was.
class ExportFile {
public:
    explicit ExportFile(const std::string& target) : target_(target) {
        std::string pattern = target + ".XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            throw ConsoleError("écriture impossible : " + dba::Shown(target, 200));
        ::close(fd);
        temporary_ = pattern;
        out_.open(temporary_, std::ios::binary | std::ios::trunc);
        if (!out_)
            throw ConsoleError("écriture impossible : " + dba::Shown(target, 200));
    }
    ~ExportFile() {
        if (!temporary_.empty())
            ::unlink(temporary_.c_str());
    }
    std::ostream& out() { return out_; }

    void Commit() {
        out_.close();
        const int fd = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
        const bool synced = fd >= 0 && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (out_.fail() || !synced || std::rename(temporary_.c_str(), target_.c_str()) != 0)
            throw ConsoleError("écriture impossible : " + dba::Shown(target_, 200));
        temporary_.clear();
        std::filesystem::path folder = std::filesystem::path(target_).parent_path();
        if (const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

private:
    std::string target_, temporary_;
    std::ofstream out_;
};

} // namespace

int RunExport(CommandContext& context) {
    std::unique_ptr<ExportFile> file;
    if (context.args.Has("--output")) {
        if (context.args.Value("--output").empty())
            throw UsageError("--output : nom de fichier vide", "export");
        file = std::make_unique<ExportFile>(context.args.Value("--output"));
    }
    std::ostream& out = file ? file->out() : context.out;
    try {
        const dba::Database db = dba::Database::Open(context.databasePath);
        // One instant for the whole export, even while others write.
        db.Snapshot([&] {
            std::vector<std::string> names;
            if (context.args.positional.empty())
                names = db.Tables();
            else
                names.push_back(db.OpenTable(context.args.positional[0]).name());
            for (const auto& name : names) {
                const dba::Table table = db.OpenTable(name);
                const dba::ResultList keys = db.SelectRecords("SELECT " + name, "0");
                for (int r = 1; r <= keys.DCount(); ++r) {
                    const std::string key = keys.Item(r, 1);
                    const dba::Record record = table.ReadRecord(key);
                    try {
                        out << WriteJson(RecordToJson(name, key, record.Item())) << '\n';
                    } catch (const ConsoleError& e) {
                        throw ConsoleError(name + " " + dba::Shown(key) + " : " + e.what());
                    }
                }
            }
        });
    } catch (const std::exception& e) {
        // What was written so far must not pass for a whole export: the
        // last line says it is not, and import refuses such a file.
        if (!file)
            out << IncompleteExportMark << " : " << dba::Shown(DescribeError(e), 500) << '\n';
        throw;
    }
    if (file)
        file->Commit();
    return 0;
}

} // namespace console
