#pragma once

#include "../firebird/Connection.h"
#include "../records/RecordSet.h"

namespace kalvero {

// The unit connection module: the one connection to the chosen unit's
// database, and the two free queries that run on it.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    Connection MDatabasePrincipal;
    // Free query whose text a screen replaces (a whole table, a code lookup).
    RecordSet SQLConsulta;
    // Free query for schema statements.
    RecordSet SQLExec;
};

// The process-wide instance, while it exists.
extern TDM *DM;

}  // namespace kalvero
