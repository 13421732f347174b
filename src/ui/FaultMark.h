#pragma once

#include <QColor>
#include <QString>

#include <functional>
#include <initializer_list>

class QWidget;

namespace kalvero {

// The box that a refused save was refused for: tinted, with the reason as its
// hint, until its content changes (or it is marked clear), so the clerk sees
// where to look after the message box has gone. A box that is hidden or
// disabled (the entry left) loses its mark too.
namespace FaultMark {

void mark(QWidget *box, const QString &reason = {});
void clear(QWidget *box);
bool isMarked(const QWidget *box);

// A box and whether what it holds will do.
struct Check {
    QWidget *box;
    bool ok;
};
// The first box, in the order given (the screen's), whose check fails; none
// when every check passes.
QWidget *firstAtFault(std::initializer_list<Check> checks);
// Marks the box and puts the focus in it: where a refused save sends the clerk.
void point(QWidget *box, const QString &reason = {});
// A refusal for the box: marked while tell() shows the message, then the
// focus put in it.
void refuse(QWidget *box, const std::function<void()> &tell);

// The tint of a marked box.
QColor tint();

}  // namespace FaultMark

}  // namespace kalvero
