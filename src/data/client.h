#pragma once
// The client context a host hands to the library with the database: who
// works, on which workstation. Kept in the global state and handed on to
// the sibling controls the editor opens.
#include <QString>

namespace data {

class Client {
public:
    Client() = default;
    Client(QString userName, QString workstation)
        : userName_(std::move(userName)), workstation_(std::move(workstation)) {}

    // The operating-system user and this machine's host name.
    static Client FromSystem();

    const QString& UserName() const { return userName_; }
    const QString& Workstation() const { return workstation_; }
    void SetUserName(const QString& name) { userName_ = name; }
    void SetWorkstation(const QString& name) { workstation_ = name; }

private:
    QString userName_;
    QString workstation_;
};

} // namespace data
