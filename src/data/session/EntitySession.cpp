#include "EntitySession.h"

#include "SessionState.h"
#include "StateNames.h"
#include "data/records/RecordSet.h"

namespace kalvero {

void readEntityIntoSession(RecordSet &entity, SessionState &session) {
    const bool none = !entity.isActive() || entity.isEmpty();
    auto text = [&](const char *column) {
        return none ? QString() : entity.field(QLatin1String(column)).asString();
    };
    session.EntityCity = text("CIDADE");
    if (const auto wording = StateTextFor(text("ESTADO")))
        session.StateText = *wording;
    session.LabelSequence = none ? 0 : int(entity.field(QStringLiteral("CONFIG_SEQ_IMP")).asInteger());
}

}  // namespace kalvero
