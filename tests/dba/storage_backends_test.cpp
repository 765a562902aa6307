// What differs between the two storages and must not show: choosing the
// storage from the location, refusing files on network shares, moving a
// whole database from one storage to the other, and snapshots.
#include "storage_fixture.h"

#include "dba/copy.h"
#include "dba/errors.h"
#include "dba/storage.h"

#include <gtest/gtest.h>

using namespace dba;
using dba::testing::Backend;
using dba::testing::Put;
using dba::testing::R;
using dba::testing::TestPlace;

namespace {

TEST(StorageLocation, ConnectionStringsAreToldFromFilePaths) {
    struct Case {
        const char* location;
        bool server;
    };
    const Case cases[] = {
        {"postgresql://arbel@serveur/contrats", true},
        {"postgres://serveur:5433/contrats?sslmode=require", true},
        {"host=serveur dbname=contrats", true},
        {"dbname=contrats", true},
        {"  host=/run/postgresql dbname=contrats", true},
        {"service=arbel", true},
        {"/srv/arbel/contrats.arbel", false},
        {"contrats.db", false},
        {"notes=1.db", false}, // not a connection keyword
        {"./host=x.db", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(IsConnectionString(c.location), c.server);
    }
}

TEST(StorageLocation, NetworkFileSystemsAreNamedLocalOnesAreNot) {
    struct Case {
        std::uint64_t magic;
        const char* name;
    };
    const Case cases[] = {
        {0x6969, "NFS"},       {0x517B, "SMB"},        {0xFF534D42, "CIFS"}, {0xFE534D42, "SMB2"},
        {0x5346414F, "AFS"},   {0x00C36400, "Ceph"},   {0x01021997, "9P"},   {0xEF53, ""} /* ext4 */,
        {0x58465342, ""} /* xfs */, {0x9123683E, ""} /* btrfs */, {0x01021994, ""} /* tmpfs */,
        {0x794C7630, ""} /* overlayfs */, {0x65735546, "FUSE"}, {0x6A656A63, "virtiofs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.magic);
        EXPECT_EQ(NetworkFileSystemName(c.magic), c.name);
    }
}

TEST(StorageLocation, UnreachableServerIsAStorageErrorNamingIt) {
    try {
        Database::Open("host=/nonexistent-socket-folder dbname=contrats connect_timeout=2 password=secret");
        FAIL() << "opened";
    } catch (const StorageError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("host=/nonexistent-socket-folder"), std::string::npos) << message;
        EXPECT_EQ(message.find("secret"), std::string::npos) << "the password shows: " << message;
    }
}

// Everything a database holds, as text, to compare two of them.
std::string Contents(const Database& db) {
    std::string out;
    for (const std::string& table : db.Tables()) {
        out += "table " + table + "\n";
        for (const auto& [name, entry] : db.Dictionary(table))
            out += "  dict " + name + " = " + entry.Serialize() + "\n";
        for (const std::string& item : db.Indexes(table))
            out += "  index " + item + "\n";
        db.ForEachRecord(table, [&](const std::string& key, const std::string& text) {
            out += "  " + key + " => " + text + "\n";
        });
    }
    return out;
}

void Fill(Database& db) {
    db.CreateTable("CONTRAT");
    db.CreateTable("CIVILAIDANT");
    Table civil = db.OpenTable("CIVILAIDANT");
    Put(civil, "00012", "M^Lefèvre^Zoé");
    Put(civil, "00014", "Mme^Œuvray^Ána");
    Table contrats = db.OpenTable("CONTRAT");
    Put(contrats, "00012001", "02^E01^10001]10002^^^^20000");
    Put(contrats, "00012002", "02^E02^a\\b]c^^^^20500");
    Put(contrats, "00014001", "01^E01^^^^^19000");
    Put(contrats, "9", "numérique");
    Put(contrats, "10", "numérique aussi");
    DictEntry code;
    code.kind = DictEntry::Kind::KeySlice;
    code.start = 1;
    code.length = 5;
    db.DefineDictionary("CONTRAT", "CodeAidant", code);
    DictEntry nom;
    nom.kind = DictEntry::Kind::Translate;
    nom.start = 1;
    nom.length = 5;
    nom.targetTable = "CIVILAIDANT";
    nom.targetField = 2;
    db.DefineDictionary("CONTRAT", "NomAidant", nom);
    db.CreateIndex("CONTRAT", "2");
    db.CreateIndex("CONTRAT", "CodeAidant");
}

TEST(StorageCopy, FileToServerAndBackKeepsEverything) {
    TestPlace files(Backend::SQLite), server(Backend::PostgreSQL);
    const std::string original = files.Location("original");
    {
        Database db = Database::Create(original);
        Fill(db);
    }
    const Database source = Database::Open(original);
    const std::string expected = Contents(source);

    CopyCount count = CopyDatabase(source, server.Location("copie"));
    EXPECT_EQ(count.records, 7);
    EXPECT_EQ(count.tables, 2);
    Database onServer = Database::Open(server.Location("copie"));
    EXPECT_EQ(Contents(onServer), expected);
    EXPECT_EQ(onServer.Check(), std::vector<std::string>{});
    // Indexes, numeric keys and translations answer as on the file.
    for (const char* query : {"SSELECT CONTRAT AVEC 2 = \"E01\"", "SSELECT CONTRAT AVEC CodeAidant = \"00012\"",
                              "SSELECT CONTRAT AVEC @ID = \"9\" OR = \"10\"", "SSELECT CONTRAT > \"9\"",
                              "SSELECT CONTRAT AVEC NomAidant = \"Lefèvre\" PAR-DECR 7"}) {
        SCOPED_TRACE(query);
        EXPECT_EQ(dba::testing::Keys(onServer.SelectRecords(query)),
                  dba::testing::Keys(source.SelectRecords(query)));
        EXPECT_EQ(onServer.Explain(query), source.Explain(query));
    }

    const std::string back = files.Location("retour");
    CopyDatabase(onServer, back);
    EXPECT_EQ(Contents(Database::Open(back)), expected);

    // The target must be new: an existing one is left as it was.
    EXPECT_THROW(CopyDatabase(source, server.Location("copie")), StorageError);
    EXPECT_THROW(CopyDatabase(onServer, back), StorageError);
    EXPECT_EQ(Contents(Database::Open(back)), expected);
}

class StorageSnapshot : public ::testing::TestWithParam<Backend> {
protected:
    TestPlace place{GetParam()};
};

TEST_P(StorageSnapshot, ReadsSeeOneInstantAndWritesAreSerialised) {
    Database db = Database::Create(place.Location("snap"));
    db.CreateTable("CONTRAT");
    db.CreateIndex("CONTRAT", "1");
    Put(db.OpenTable("CONTRAT"), "K1", "avant");
    Database other = Database::Open(place.Location("snap"));
    Table mine = db.OpenTable("CONTRAT"), theirs = other.OpenTable("CONTRAT");
    db.Snapshot([&] {
        EXPECT_EQ(mine.ReadRecord("K1").Item(1), "avant");
        Put(theirs, "K1", "après");
        Put(theirs, "K2", "nouveau");
        EXPECT_EQ(mine.ReadRecord("K1").Item(1), "avant");
        EXPECT_FALSE(mine.Exists("K2"));
        EXPECT_EQ(dba::testing::Keys(db.SelectRecords("SELECT CONTRAT AVEC 1 = \"avant\"")),
                  std::vector<std::string>{"K1"});
    });
    EXPECT_EQ(mine.ReadRecord("K1").Item(1), "après");
    EXPECT_TRUE(mine.Exists("K2"));
    // A transaction that fails half-way leaves nothing, indexes included.
    EXPECT_THROW(db.Transaction([&] {
        Put(mine, "K3", "perdu");
        Record r = mine.NewRecord("K1");
        r.SetItem(1, "perdu");
        r.DBWriteU();
        throw std::runtime_error("abandon");
    }),
                 std::runtime_error);
    EXPECT_FALSE(theirs.Exists("K3"));
    EXPECT_EQ(dba::testing::Keys(other.SelectRecords("SELECT CONTRAT AVEC 1 = \"perdu\"")),
              std::vector<std::string>{});
    // The lock DBWriteU took in the abandoned transaction went with it.
    EXPECT_NO_THROW(theirs.ReadRecordLocked("K1"));
    EXPECT_EQ(db.Check(), std::vector<std::string>{});
}

DBA_ON_BOTH_BACKENDS(StorageSnapshot);

} // namespace
