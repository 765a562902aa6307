#include "jsonl_reader.h"

#include "console_errors.h"

#include <fstream>
#include <map>
#include <sstream>

namespace console {

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ConsoleError("lecture impossible : " + path);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        throw ConsoleError("lecture impossible : " + path);
    return content.str();
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::vector<NumberedRecord> ReadRecordLines(const std::string& path) {
    const std::string content = ReadWholeFile(path);
    std::vector<NumberedRecord> records;
    std::map<std::pair<std::string, std::string>, int> seen;
    std::size_t start = 0;
    for (int number = 1; start < content.size(); ++number) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string_view line(content.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (IsBlank(line))
            continue;
        const std::string where = "ligne " + std::to_string(number);
        try {
            NumberedRecord entry{number, RecordFromJson(ParseJson(line))};
            const auto [it, inserted] =
                seen.emplace(std::make_pair(entry.record.table, entry.record.key), number);
            if (!inserted)
                throw RecordLineError("enregistrement " + entry.record.table + " " + entry.record.key +
                                      " déjà donné ligne " + std::to_string(it->second));
            records.push_back(std::move(entry));
        } catch (const JsonError& e) {
            throw ConsoleError(where + ", colonne " + std::to_string(e.column()) + " : JSON incorrect (" +
                               e.what() + ")");
        } catch (const RecordLineError& e) {
            throw ConsoleError(where + " : " + e.what());
        }
    }
    return records;
}

} // namespace console
