#include "dba/database.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/locks.h"
#include "dba/record_store.h"

namespace dba {

namespace {

void CheckAddress(int f, int v = 1, int s = 1) {
    if (f < 0 || v < 0 || s < 0)
        throw InvalidValue("Position négative refusée (" + std::to_string(f) + ", " + std::to_string(v) +
                           ", " + std::to_string(s) + ")");
}

} // namespace

std::string Record::Item(int f) const {
    if (f < 0)
        return {};
    return f == 0 ? key_ : Extract(text_, f);
}

std::string Record::Item(int f, int v) const {
    if (f < 0 || v < 0)
        return {};
    if (f == 0)
        return v <= 1 ? key_ : std::string();
    return Extract(text_, f, v);
}

std::string Record::Item(int f, int v, int s) const {
    if (f < 0 || v < 0 || s < 0)
        return {};
    if (f == 0)
        return v <= 1 && s <= 1 ? key_ : std::string();
    return Extract(text_, f, v, s);
}

void Record::SetItem(int f, const std::string& value) {
    CheckAddress(f);
    if (f == 0) {
        CheckPart(value, 3, "Clé");
        key_ = value;
        return;
    }
    CheckPart(value, 1);
    Replace(text_, f, 0, 0, value);
}

void Record::SetItem(int f, int v, const std::string& value) {
    CheckAddress(f, v);
    if (f == 0 || v == 0) {
        SetItem(f, value);
        return;
    }
    CheckPart(value, 2);
    Replace(text_, f, v, 0, value);
}

void Record::SetItem(int f, int v, int s, const std::string& value) {
    CheckAddress(f, v, s);
    if (f == 0 || v == 0 || s == 0) {
        SetItem(f, v, value);
        return;
    }
    CheckPart(value, 3);
    Replace(text_, f, v, s, value);
}

void Record::SetRecord(const std::string& text) {
    if (std::optional<BadByte> bad = FindBadByte(text, 0))
        throw InvalidValue("Enregistrement refusé : " + bad->what + " à l'octet " + std::to_string(bad->offset));
    text_ = text;
}

int Record::DCount(int f) const {
    return CountParts(Item(f), VM);
}

void Record::Insert(int f, int pos, const std::string& v) {
    if (f < 1)
        throw InvalidValue("Insertion refusée dans le champ " + std::to_string(f));
    CheckPart(v, 2);
    InsertValue(text_, f, pos, v);
}

void Record::Delete(int f, int v) {
    if (f < 1 || v < 0)
        return;
    DeleteValue(text_, f, v);
}

void Record::DBWrite() {
    if (!session_)
        throw StorageError("Enregistrement sans table : écriture impossible");
    WriteRecordText(*session_, table_, key_, text_, LockAfterWrite::Release);
}

void Record::DBWriteU() {
    if (!session_)
        throw StorageError("Enregistrement sans table : écriture impossible");
    WriteRecordText(*session_, table_, key_, text_, LockAfterWrite::Keep);
}

void Record::Release() {
    if (session_ && !key_.empty())
        ReleaseLock(*session_, table_, key_);
}

} // namespace dba
