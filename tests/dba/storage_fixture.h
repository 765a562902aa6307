#pragma once
// A fresh database in a temporary directory of its own, removed afterwards.
#include "dba/database.h"
#include "dba/dynarray.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace dba::testing {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dba-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Record text written with readable marks: ^ field, ] value, \ subvalue.
inline std::string R(std::string s) {
    for (char& c : s)
        c = c == '^' ? FM : c == ']' ? VM : c == '\\' ? SM : c;
    return s;
}

// Writes a record by field number.
inline void Put(const Table& table, const std::string& key, const std::string& marked) {
    Record r = table.NewRecord(key);
    r.SetRecord(R(marked));
    r.DBWrite();
}

// The keys of a result list, in order.
inline std::vector<std::string> Keys(const ResultList& list) {
    std::vector<std::string> keys;
    for (int r = 1; r <= list.DCount(); ++r)
        keys.push_back(list.Item(r, 1));
    return keys;
}

} // namespace dba::testing
