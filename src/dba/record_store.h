#pragma once
// Record-level storage of a session: read, write and delete one record
// together with its index entries and its lock, each write in one
// transaction (joining the caller's transaction when there is one).
#include "dba/session.h"

#include <functional>
#include <optional>
#include <vector>
#include <string>

namespace dba {

std::optional<std::string> ReadRecordText(Session& session, const std::string& table, const std::string& key);
// Calls `each` with the key and text of every record of `keys` that exists,
// in no particular order; on a server in one statement. The text is valid
// during the call only.
void ReadRecordTexts(Session& session, const std::string& table, const std::vector<std::string>& keys,
                     const std::function<void(const std::string& key, std::string_view text)>& each);
// Adds records to a table that has no index and none of these keys, many
// per statement (inside a write). For moving whole tables: no lock is
// looked at, as nobody else can know of these records yet.
void LoadRecordTexts(Session& session, const std::string& table,
                     const std::vector<std::pair<std::string, std::string>>& records);
enum class LockAfterWrite { Release, Keep };
void WriteRecordText(Session& session, const std::string& table, const std::string& key,
                     const std::string& text, LockAfterWrite lock);
void DeleteRecordText(Session& session, const std::string& table, const std::string& key);

} // namespace dba
