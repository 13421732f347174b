#include "ProtocolListFilters.h"

#include "data/modules/UnitStatements.h"

namespace kalvero {

ProtocolListFilters::Statement ProtocolListFilters::statement() const {
    using namespace ProtocolListStatements;
    Statement s{select(), {}};
    // "Todos" is every status but -1, which no protocol has.
    switch (status) {
    case Status::All:
        s.sql += statusOtherThan();
        s.params << -1;
        break;
    case Status::Active:
    case Status::Cancelled:
    case Status::Archived:
        s.sql += statusEquals();
        s.params << int(status) - 1;  // STATUS 0, 1, 2
        break;
    }
    if (requester) {
        s.sql += requesterIs();
        s.params << *requester;
    }
    if (subject) {
        s.sql += subjectIs();
        s.params << *subject;
    }
    if (period) {
        s.sql += enteredBetween();
        s.params << period->first << period->last;
    }
    s.sql += newestFirst();
    return s;
}

}  // namespace kalvero
