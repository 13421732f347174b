#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kalvero {

// What a screen does when a write waited its bounded time for a record (or a
// number) that another workstation holds: the operator is told so in the
// desk's words, with the database's own under "Detalhes...", and asked
// whether to try again now. Nothing typed is lost either way.
namespace LockWaitOffer {

QString question(const QString &deskWords);

// Runs write; while it is refused because another workstation held the
// record, asks and, on Sim, runs it again. False when the operator answered
// Não (the entry stays as typed); any other failure goes on to the caller.
bool writeOrRetry(QWidget *owner, const QString &caption, const std::function<void()> &write);

}  // namespace LockWaitOffer

}  // namespace kalvero
