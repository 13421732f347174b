#pragma once

class QLineEdit;

namespace kalvero {

// A password box: each character typed is shown as "*", whatever mask
// character the style would draw.
void showAsAsterisks(QLineEdit *box);

}  // namespace kalvero
