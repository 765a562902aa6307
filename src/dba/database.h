#pragma once
// One database = one SQLite file on one machine, or one PostgreSQL database
// on a server; Open and Create choose from their argument. A Database
// object is one session: it owns the connection, the locks it took, its
// saved lists and its routine registry. Tables and records hold a
// shared_ptr to the session, so they stay valid while in use.
#include "dba/errors.h"
#include "dba/result_list.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

namespace dba {

class Session; // the connection and its state (database.cpp)
class Table;

// A record read from (or to be written to) a table. Field 0 is the key.
class Record {
public:
    Record() = default; // an empty record of no table

    const std::string& table() const { return table_; }
    const std::string& key() const { return key_; }
    bool hasTable() const { return session_ != nullptr; }

    // Whole field f (0 = key), value v of field f, subvalue s of value v.
    std::string Item(int f) const;
    std::string Item(int f, int v) const;
    std::string Item(int f, int v, int s) const;
    // The whole record as one text (fields 1..n joined by FM, without key).
    const std::string& Item() const { return text_; }

    // Setters refuse (InvalidValue) a part holding a mark of its own level
    // or above, or text that is not UTF-8. SetItem(0, k) changes the key.
    void SetItem(int f, const std::string& value);
    void SetItem(int f, int v, const std::string& value);
    void SetItem(int f, int v, int s, const std::string& value);
    void SetRecord(const std::string& text); // the whole record text

    int DCount(int f) const;                           // values of field f; 0 when empty
    void Insert(int f, int pos, const std::string& v); // pos -1 appends
    void Delete(int f, int v);                         // value v of field f

    // Stores the record under its key in one transaction. DBWrite releases
    // this session's lock on it; DBWriteU keeps it (taking it when not
    // held). Another live session's lock raises RecordLocked.
    void DBWrite();
    void DBWriteU();
    // Releases this session's lock on the record, if held.
    void Release();

private:
    friend class Table;
    std::shared_ptr<Session> session_;
    std::string table_, key_, text_;
};

class Table {
public:
    Table() = default;
    const std::string& name() const { return name_; }
    bool isOpen() const { return session_ != nullptr; }

    Record ReadRecord(const std::string& key) const;        // RecordNotFound
    Record ReadRecordOrEmpty(const std::string& key) const; // missing: empty fields
    // Takes this session's update lock first (RecordLocked if another live
    // session holds it); when there is no record the lock is kept and
    // RecordNotFound is raised, so the caller may create it.
    Record ReadRecordLocked(const std::string& key) const;
    Record NewRecord(const std::string& key) const; // empty record bound to this table
    bool Exists(const std::string& key) const;
    // Removes the record (no error when it is missing); RecordLocked when
    // another live session holds its lock.
    void DeleteRecord(const std::string& key) const;

private:
    friend class Database;
    std::shared_ptr<Session> session_;
    std::string name_;
};

// Dictionary entry kinds.
struct DictEntry {
    enum class Kind { Field, KeySlice, Translate, Concat, Upper };
    Kind kind = Kind::Field;
    int field = 0;                  // Field: field number (0 = key)
    int start = 1, length = 0;      // KeySlice / Translate source slice of the key (1-based; length 0 = rest)
    std::string sourceItem;         // Translate: source item name or number ("" = key slice)
    std::string targetTable;        // Translate: the other table
    int targetField = 0;            // Translate: field returned from the other table's record
    std::vector<std::string> items; // Concat: item names or numbers; Upper: one item
    std::string separator;          // Concat
    // Text form stored in the database ("F 2", "K 1 5", ...), see dictionary.cpp.
    std::string Serialize() const;
    static DictEntry Parse(const std::string& text); // InvalidValue when malformed
};

class Database {
public:
    // Opens an existing database (StorageError when missing or not a
    // database); Create makes a new empty one (StorageError if it exists).
    // `location` is a file path, or a PostgreSQL connection string
    // ("postgresql://user@server/base" or "host=server dbname=base"). A file
    // on a network share is refused: such sites use a server.
    //
    // Opening only reads until the file is known to be a database of ours:
    // another program's file, or an empty one, is refused unchanged. A file
    // this user may not write (or whose folder it may not write) opens for
    // reading: every write then raises DatabaseReadOnly, saying what is
    // read-only and what to change, and nothing is left in the folder.
    static Database Open(const std::string& location);
    static Database Create(const std::string& location);
    // Opens for reading only, whatever the rights: every write raises
    // DatabaseReadOnly.
    static Database OpenReadOnly(const std::string& location);
    Database() = default;
    bool isOpen() const { return session_ != nullptr; }
    const std::string& path() const;

    // Why nothing can be written to this database, as a sentence for the
    // user (read-only file, folder or opening; damage found in the file);
    // nullopt when writes are possible. A host shows it and behaves as for
    // a user without the right to change data.
    std::optional<std::string> WriteRefusal() const;
    // How long a write waits for another session's write before giving up
    // with DatabaseBusy (10 s unless changed).
    void SetBusyWait(std::chrono::milliseconds wait);

    // The name that others see when this session holds a lock.
    void SetUserName(const std::string& user);
    std::string HolderName() const;

    // Tables.
    void CreateTable(const std::string& name); // no-op if it exists
    std::vector<std::string> Tables() const;
    Table OpenTable(const std::string& name) const; // TableNotFound

    // Dictionaries and indexes (declared per table and item: a field number
    // or a dictionary name).
    void DefineDictionary(const std::string& table, const std::string& name, const DictEntry& entry);
    std::map<std::string, DictEntry> Dictionary(const std::string& table) const;
    void CreateIndex(const std::string& table, const std::string& item); // builds it now
    std::vector<std::string> Indexes(const std::string& table) const;

    // Queries. `fields` is the output field list ("0 7 8 4"); an output
    // field may also be a dictionary name.
    ResultList SelectRecords(const std::string& command, const std::string& fields = "0") const;
    ResultList SelectRecords(const SelectQuery& query) const;
    // Runs without indexes, for tests and the console's check.
    ResultList SelectRecordsByScan(const std::string& command, const std::string& fields = "0") const;
    // How SelectRecords would find the records: "lecture complète" (every
    // record read) or "index : N candidats" (N records read and tested).
    std::string Explain(const std::string& command) const;

    // "EFFACER-LISTE name" drops the saved list `name` of this session.
    // Any other command raises UnknownName.
    ResultList RunCommand(const std::string& command);
    void SaveList(const std::string& name, const ResultList& list);
    bool HasList(const std::string& name) const;

    using Routine = std::function<ResultList(Database&, const std::string&)>;
    void RegisterRoutine(const std::string& name, Routine routine);
    ResultList CallRoutine(const std::string& name, const std::string& command); // UnknownName

    // Runs `work` as one transaction: every write inside commits together or
    // not at all (an exception rolls back and propagates).
    void Transaction(const std::function<void()>& work);
    // Runs `work` inside one read transaction: every read in it sees the
    // same instant, and each read by key costs far less (no file locking per
    // read). A write inside it may fail (StorageError) when another session
    // wrote since it began: group writes with Transaction instead.
    void Snapshot(const std::function<void()>& work) const;

    // Calls `each` with the key and text of every record of the table, in
    // key order, all seen at one instant (TableNotFound).
    void ForEachRecord(const std::string& table,
                       const std::function<void(const std::string& key, const std::string& text)>& each) const;

    // Adds records to a table that has no index yet and none of these keys,
    // many per statement, in one transaction; no lock is looked at. For
    // moving whole tables into a new database (InvalidValue, StorageError).
    void LoadRecords(const std::string& table, const std::vector<std::pair<std::string, std::string>>& records);

    // Checks every record well-formed and every index in step with its
    // records; returns one line per problem (empty = consistent). Damage
    // of the file itself is remembered: nothing is written to it any more.
    std::vector<std::string> Check() const;

private:
    std::shared_ptr<Session> session_;
};

} // namespace dba
