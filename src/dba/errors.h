#pragma once
// The engine's errors. Callers catch what they can handle by type; nothing
// in the engine turns an error into an empty result silently.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace dba {

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
        : Error(Number, "Enregistrement inexistant : " + table + " " + key), table_(table), key_(key) {}
    const std::string& table() const noexcept { return table_; }
    const std::string& key() const noexcept { return key_; }

private:
    std::string table_, key_;
};

class TableNotFound : public Error {
public:
    static constexpr std::uint32_t Number = 0x80040010;
    explicit TableNotFound(const std::string& table)
        : Error(Number, "Table inexistante : " + table), table_(table) {}
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
                            (token.empty() ? std::string(", fin du texte") : ", près de « " + token + " »")),
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
        : Error(Number, "Enregistrement verrouillé : " + table + " " + key + " par " + holder), table_(table),
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
