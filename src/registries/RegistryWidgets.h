#pragma once

#include "ui/TextCase.h"

#include <QString>

class QLineEdit;
class QToolButton;

namespace kalvero {

class MaskedDigitsEdit;
class RecordSet;
struct RegistryForm;

// The boxes of a register window, placed in rows of its search group or its
// data group.
namespace RegistryWidgets {

// Each box gets the object name given, by which tests and the window's own
// code find it.

// A code search box: digits only, at most maxDigits of them (0: as many as a code can have).
QLineEdit *codeSearchBox(const RegistryForm &form, const char *name, int row, const QString &label, int maxDigits = 0);
// The find button beside it, an image only unless it has a caption.
QToolButton *findButton(const RegistryForm &form, int row, const QString &caption = {});
// A text search box in upper case, no longer than the column searched.
QLineEdit *textSearchBox(const RegistryForm &form, const char *name, int row, const QString &label, int maxLength);
// A masked document search box (positions not typed shown blank).
MaskedDigitsEdit *maskedSearchBox(const RegistryForm &form, const char *name, int row, const QString &label, const QString &pattern);

// A data box bound to a field; the code box comes disabled.
QLineEdit *dataBox(const RegistryForm &form, const char *name, int row, const QString &label, RecordSet *set,
                   const QString &field, TextCase textCase = TextCase::Upper, int column = 0);

}  // namespace RegistryWidgets

}  // namespace kalvero
