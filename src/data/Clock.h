#pragma once

#include <QDate>
#include <QDateTime>

namespace kalvero::Clock {

// "Today" and "now" for the whole program; tests set them.
QDateTime now();
QDate today();
void setNow(const QDateTime &fixed);  // an invalid value returns to the system clock

}  // namespace kalvero::Clock
