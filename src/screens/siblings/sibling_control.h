#pragma once
// What every sibling control of the suite offers the form that hosts it:
// the connection and the user it works for, set before Init, and the exit
// property W_Sortir, which the control sets once the user leaves it. The
// host form closes only then, so a control always gets to finish (write
// or drop its changes) before its window goes.
#include "data/access_rights.h"
#include "data/client.h"
#include "dba/database.h"

#include <QWidget>
#include <memory>

namespace screens::siblings {

class SiblingControl : public QWidget {
    Q_OBJECT

public:
    explicit SiblingControl(QWidget* parent = nullptr);

    void setTheDatabase(dba::Database db) { db_ = std::move(db); }
    void setTheClient(const data::Client& client) { client_ = client; }
    void setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) { rights_ = std::move(rights); }

    // Reads what the control shows, from the properties set before. The
    // engine's errors propagate: the opening screen reports them.
    virtual void Init() = 0;

    // True once the user has left the control.
    bool W_Sortir() const { return sortir_; }

signals:
    // W_Sortir has just become true.
    void Sortie();

protected:
    // Sets W_Sortir and tells the host, once.
    void Sortir();

    dba::Database TheDatabase() const { return db_; } // a handle on the same session
    const data::Client& TheClient() const { return client_; }
    const std::shared_ptr<data::AccessRights>& DroitsUtilisateur() const { return rights_; }

private:
    dba::Database db_;
    data::Client client_;
    std::shared_ptr<data::AccessRights> rights_;
    bool sortir_ = false;
};

} // namespace screens::siblings
