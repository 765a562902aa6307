#pragma once
// Record-level storage of a session: read, write and delete one record
// together with its index entries and its lock, each write in one
// transaction (joining the caller's transaction when there is one).
#include "dba/session.h"

#include <optional>
#include <string>

namespace dba {

std::optional<std::string> ReadRecordText(Session& session, const std::string& table, const std::string& key);
enum class LockAfterWrite { Release, Keep };
void WriteRecordText(Session& session, const std::string& table, const std::string& key,
                     const std::string& text, LockAfterWrite lock);
void DeleteRecordText(Session& session, const std::string& table, const std::string& key);

} // namespace dba
