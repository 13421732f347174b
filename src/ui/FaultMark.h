#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace kalvero {

// The box that a refused save was refused for: tinted, with the reason as its
// hint, until its content changes (or it is marked clear), so the clerk sees
// where to look after the message box has gone.
namespace FaultMark {

void mark(QWidget *box, const QString &reason = {});
void clear(QWidget *box);
bool isMarked(const QWidget *box);

// The tint of a marked box.
QColor tint();

}  // namespace FaultMark

}  // namespace kalvero
