#pragma once
// The engine's errors. Callers catch what they can handle by type; nothing
// in the engine turns an error into an empty result silently.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dba {

// A text quoted in a message: on one line, what is not printable escaped
// (\n, \t, \xNN for control characters, marks and bytes that are not
// UTF-8), cut after about `max` bytes with the full length given. A bad
// token of a hundred kilobytes must not make a message of the same size.
std::string Shown(std::string_view text, std::size_t max = 60);

class Error : public std::runtime_error {
public:
    Error(std::uint32_t number, const std::string& message) : std::runtime_error(message), number_(number) {}
    // The classic component's error number, for hosts that test it.
    std::uint32_t number() const noexcept { return number_; }

private:
    std::uint32_t number_;
};

// Reading a key that has no record.
class RecordNotFound : public Error {
public:
    static constexpr std::uint32_t Number = 0x8004000B;
    RecordNotFound(const std::string& table, const std::string& key)
        : Error(Number, "Enregistrement inexistant : " + table + " " + Shown(key)), table_(table), key_(key) {}
    const std::string& table() const noexcept { return table_; }
    const std::string& key() const noexcept { return key_; }

private:
    std::string table_, key_;
};

class TableNotFound : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040010;
    explicit TableNotFound(const std::string& table)
        : Error(Number, "Table inexistante : " + Shown(table)), table_(table) {}
    const std::string& table() const noexcept { return table_; }

private:
    std::string table_;
};

// A malformed query text; position is the 0-based byte offset of the token.
class QuerySyntaxError : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040020;
    QuerySyntaxError(const std::string& reason, std::size_t position, const std::string& token)
        : Error(Number, "Requête incorrecte (" + reason + ") à la position " + std::to_string(position) +
                            (token.empty() ? std::string(", fin du texte") : ", près de « " + Shown(token) + " »")),
          reason_(reason), position_(position), token_(token) {}
    const std::string& reason() const noexcept { return reason_; }
    std::size_t position() const noexcept { return position_; }
    const std::string& token() const noexcept { return token_; }

private:
    std::string reason_;
    std::size_t position_;
    std::string token_;
};

// Another live session holds the update lock; holder names it ("user@host pid N").
class RecordLocked : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040030;
    RecordLocked(const std::string& table, const std::string& key, const std::string& holder)
        : Error(Number, "Enregistrement verrouillé : " + table + " " + Shown(key) + " par " + holder), table_(table),
          key_(key), holder_(holder) {}
    const std::string& table() const noexcept { return table_; }
    const std::string& key() const noexcept { return key_; }
    const std::string& holder() const noexcept { return holder_; }

private:
    std::string table_, key_, holder_;
};

// The storage failed (SQLite error, unreadable file, constraint, disk full).
class StorageError : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040040;
    explicit StorageError(const std::string& message) : Error(Number, message) {}

protected:
    StorageError(std::uint32_t number, const std::string& message) : Error(number, message) {}
};

// Nothing may be written: the file or its folder is read-only for this
// user, the database was opened for reading only, or the server refuses.
// The message says what is read-only and what to change.
class DatabaseReadOnly : public StorageError {
public:
    static constexpr std::uint32_t Number = 0x80040041;
    explicit DatabaseReadOnly(const std::string& message) : StorageError(Number, message) {}
};

// Another operation kept the database busy longer than this session would
// wait; nothing was written. The message names it when it is known.
class DatabaseBusy : public StorageError {
public:
    static constexpr std::uint32_t Number = 0x80040042;
    explicit DatabaseBusy(const std::string& message) : StorageError(Number, message) {}
};

// The file is damaged. Once met, nothing more is written to it (by this
// session, and by later ones: the file keeps a mark); the message says to
// run `check` and restore the last backup.
class DatabaseDamaged : public StorageError {
public:
    static constexpr std::uint32_t Number = 0x80040043;
    explicit DatabaseDamaged(const std::string& message) : StorageError(Number, message) {}
};

// A value that cannot be stored: it holds a mark byte where none may be,
// or it is not valid UTF-8. Raised before anything is written.
class InvalidValue : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040050;
    explicit InvalidValue(const std::string& message) : Error(Number, message) {}
};

// An unknown dictionary name, command or routine.
class UnknownName : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040060;
    explicit UnknownName(const std::string& message) : Error(Number, message) {}
};

} // namespace dba
