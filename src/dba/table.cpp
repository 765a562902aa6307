#include "dba/database.h"

#include "dba/errors.h"
#include "dba/locks.h"
#include "dba/record_store.h"

namespace dba {

namespace {

void CheckOpen(const std::shared_ptr<Session>& session) {
    if (!session)
        throw StorageError("Table non ouverte");
}

} // namespace

Record Table::ReadRecord(const std::string& key) const {
    CheckOpen(session_);
    std::optional<std::string> text = ReadRecordText(*session_, name_, key);
    if (!text)
        throw RecordNotFound(name_, key);
    Record r = NewRecord(key);
    r.text_ = std::move(*text);
    return r;
}

Record Table::ReadRecordOrEmpty(const std::string& key) const {
    CheckOpen(session_);
    Record r = NewRecord(key);
    if (std::optional<std::string> text = ReadRecordText(*session_, name_, key))
        r.text_ = std::move(*text);
    return r;
}

Record Table::ReadRecordLocked(const std::string& key) const {
    CheckOpen(session_);
    TakeLock(*session_, name_, key);
    return ReadRecord(key);
}

Record Table::NewRecord(const std::string& key) const {
    CheckOpen(session_);
    Record r;
    r.session_ = session_;
    r.table_ = name_;
    r.key_ = key;
    return r;
}

bool Table::Exists(const std::string& key) const {
    CheckOpen(session_);
    Statement st = session_->Sql("SELECT 1 FROM " + QuoteName(name_) + " WHERE key = ?");
    st.Bind(1, key);
    return st.Step();
}

void Table::DeleteRecord(const std::string& key) const {
    CheckOpen(session_);
    DeleteRecordText(*session_, name_, key);
}

} // namespace dba
