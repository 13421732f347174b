#include "Clock.h"

namespace kalvero::Clock {

namespace {
QDateTime &fixedNow() {
    static QDateTime value;
    return value;
}
}  // namespace

QDateTime now() { return fixedNow().isValid() ? fixedNow() : QDateTime::currentDateTime(); }

QDate today() { return now().date(); }

void setNow(const QDateTime &fixed) { fixedNow() = fixed; }

}  // namespace kalvero::Clock
