#include "dba/locks.h"

#include "dba/errors.h"
#include "dba/session.h"

#include <cerrno>
#include <csignal>
#include <fstream>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <sys/types.h>

namespace dba {

namespace {

std::mutex registryMutex;
std::set<std::string>& LiveSessions() {
    static std::set<std::string> sessions;
    return sessions;
}

bool IsLiveInThisProcess(const std::string& id) {
    std::lock_guard<std::mutex> guard(registryMutex);
    return LiveSessions().count(id) != 0;
}

struct ProcessInfo {
    char state = '?';
    long long started = 0;
};

bool ReadProcessInfo(long long pid, ProcessInfo& info) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!in || !std::getline(in, line))
        return false;
    // The command name may hold spaces and parentheses: fields resume after the last ')'.
    std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return false;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    // Field 3 is the state, field 22 the start time.
    for (int n = 3; n <= 22 && (fields >> field); ++n) {
        if (n == 3)
            info.state = field.empty() ? '?' : field[0];
        if (n == 22)
            info.started = std::atoll(field.c_str());
    }
    return true;
}

struct Holder {
    std::string session, name, host;
    long long pid = 0, started = 0;
};

bool IsAlive(const Session& me, const Holder& h) {
    // A lock taken under another host name on a copy of the file (the file
    // was moved to this machine) has a holder working on another file, if
    // at all. Taken on this very file (a share the network check did not
    // recognise, a container, a renamed host), its holder may be alive and
    // cannot be asked: it stays.
    if (h.host != me.host())
        return !me.fileIdentity().empty() && FileIdentityOfSession(h.session) == me.fileIdentity();
    if (h.pid == me.pid()) {
        if (h.started != me.started())
            return false; // an earlier process that had the same pid
        return IsLiveInThisProcess(h.session);
    }
    if (::kill(static_cast<pid_t>(h.pid), 0) == -1 && errno == ESRCH)
        return false;
    ProcessInfo info;
    if (ReadProcessInfo(h.pid, info)) {
        if (info.state == 'Z' || info.state == 'X')
            return false; // exited, not yet reaped
        if (h.started != 0 && info.started != 0 && info.started != h.started)
            return false; // the pid now belongs to another process
    }
    return true;
}

} // namespace

void RegisterLiveSession(const std::string& id) {
    std::lock_guard<std::mutex> guard(registryMutex);
    LiveSessions().insert(id);
}

void UnregisterLiveSession(const std::string& id) {
    std::lock_guard<std::mutex> guard(registryMutex);
    LiveSessions().erase(id);
}

long long ProcessStartTime(long long pid) {
    ProcessInfo info;
    return ReadProcessInfo(pid, info) ? info.started : 0;
}

void EnsureNotLockedByOther(Session& session, const std::string& table, const std::string& key) {
    if (ConnectionLocks* locks = session.storage().connectionLocks()) {
        if (std::optional<std::string> holder = locks->CheckFree(table, key))
            throw RecordLocked(table, key, *holder);
        return;
    }
    Holder h;
    {
        Statement st = session.Sql(
            "SELECT session, holder, host, pid, started FROM dba_locks WHERE tbl = ? AND key = ?");
        st.Bind(1, table).Bind(2, key);
        if (!st.Step())
            return;
        h.session = std::string(st.Text(0));
        if (h.session == session.id())
            return;
        h.name = std::string(st.Text(1));
        h.host = std::string(st.Text(2));
        h.pid = st.Int(3);
        h.started = st.Int(4);
    }
    if (IsAlive(session, h))
        throw RecordLocked(table, key, h.name);
    Statement drop = session.Sql("DELETE FROM dba_locks WHERE session = ?");
    drop.Bind(1, h.session).Run();
}

void TakeLock(Session& session, const std::string& table, const std::string& key) {
    if (ConnectionLocks* locks = session.storage().connectionLocks()) {
        if (std::optional<std::string> holder = locks->Take(table, key))
            throw RecordLocked(table, key, *holder);
        return;
    }
    session.Write([&] {
        EnsureNotLockedByOther(session, table, key);
        Statement st =
            session.Sql("INSERT OR IGNORE INTO dba_locks (tbl, key, session, holder, host, pid, started) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?)");
        st.Bind(1, table)
            .Bind(2, key)
            .Bind(3, session.id())
            .Bind(4, session.HolderName())
            .Bind(5, session.host());
        st.Bind(6, session.pid()).Bind(7, session.started()).Run();
    });
}

void DropLock(Session& session, const std::string& table, const std::string& key) {
    if (ConnectionLocks* locks = session.storage().connectionLocks()) {
        locks->Drop(table, key);
        return;
    }
    Statement st = session.Sql("DELETE FROM dba_locks WHERE tbl = ? AND key = ? AND session = ?");
    st.Bind(1, table).Bind(2, key).Bind(3, session.id()).Run();
}

void ReleaseLock(Session& session, const std::string& table, const std::string& key) {
    if (ConnectionLocks* locks = session.storage().connectionLocks()) {
        locks->Drop(table, key);
        return;
    }
    session.Write([&] { DropLock(session, table, key); });
}

void ReleaseAllLocks(Session& session) {
    if (ConnectionLocks* locks = session.storage().connectionLocks()) {
        locks->DropAll();
        return;
    }
    session.Write([&] {
        Statement st = session.Sql("DELETE FROM dba_locks WHERE session = ?");
        st.Bind(1, session.id()).Run();
    });
}

} // namespace dba
