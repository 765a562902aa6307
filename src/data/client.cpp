#include "data/client.h"

#include "data/procedures.h"

#include <QSysInfo>

namespace data {

Client Client::FromSystem() {
    return Client(Lire_NomUtilisateur(), QSysInfo::machineHostName());
}

} // namespace data
