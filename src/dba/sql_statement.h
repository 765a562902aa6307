#pragma once
// A thin guard over a prepared statement of the session's storage.
// Statements live in the session's cache; a Statement borrows one, binds,
// steps and resets it on the way out so the next user finds it clean.
#include "dba/storage.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace dba {

class Statement {
public:
    // Borrows a cached statement.
    explicit Statement(StorageStatement* stmt) : stmt_(stmt) {}
    // Owns a statement prepared for one use.
    explicit Statement(std::unique_ptr<StorageStatement> owned) : stmt_(owned.get()), owned_(std::move(owned)) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text) {
        stmt_->Bind(index, text);
        return *this;
    }
    Statement& BindBlob(int index, std::string_view data) {
        stmt_->BindBlob(index, data);
        return *this;
    }
    Statement& Bind(int index, double value) {
        stmt_->Bind(index, value);
        return *this;
    }
    Statement& Bind(int index, long long value) {
        stmt_->Bind(index, value);
        return *this;
    }
    // A list of texts, for "= ANY(?)" (storages with RemoteCalls only).
    Statement& BindTexts(int index, const std::vector<std::string>& texts) {
        stmt_->BindTexts(index, texts);
        return *this;
    }
    Statement& BindNull(int index) {
        stmt_->BindNull(index);
        return *this;
    }

    // Steps once: true while a row is available.
    bool Step() { return stmt_->Step(); }
    // Steps to completion (statements that return no rows).
    void Run() {
        while (Step()) {
        }
    }

    std::string_view Text(int column) const { return stmt_->Text(column); } // valid until the next Step
    long long Int(int column) const { return stmt_->Int(column); }
    double Real(int column) const { return stmt_->Real(column); }
    bool IsNull(int column) const { return stmt_->IsNull(column); }

    // Back to no row and no binding, to run it again.
    void Reset() { stmt_->Reset(); }

private:
    StorageStatement* stmt_;
    std::unique_ptr<StorageStatement> owned_;
};

} // namespace dba
