#pragma once
// Update locks on (table, key). On a file they are kept in a table of the
// database so that every process sharing the file sees them: a lock names
// its session and the process that holds it, and locks of a process that
// died are reclaimed, as are locks taken on another machine (the file was
// copied from it: a file is never shared between machines). On a server they are the connection's own locks
// (ConnectionLocks), which die with it.
#include <string>

namespace dba {

class Session;

// Inside a write: RecordLocked when another live session holds the lock;
// a lock left by a dead session is removed with all that session's locks.
void EnsureNotLockedByOther(Session& session, const std::string& table, const std::string& key);
// Takes this session's lock (joins the current transaction, if any).
void TakeLock(Session& session, const std::string& table, const std::string& key);
// Inside a write: drops this session's lock on the record, if held.
void DropLock(Session& session, const std::string& table, const std::string& key);
// Releases this session's lock on the record, in its own write.
void ReleaseLock(Session& session, const std::string& table, const std::string& key);
// Releases every lock of the session (when it ends).
void ReleaseAllLocks(Session& session);

// Sessions alive in this process, so that a lock of this process whose
// session is gone is known to be stale.
void RegisterLiveSession(const std::string& id);
void UnregisterLiveSession(const std::string& id);

// The kernel's start time of a process (clock ticks since boot), 0 when
// unknown; with the pid it tells a process from a later one reusing its pid.
long long ProcessStartTime(long long pid);

} // namespace dba
