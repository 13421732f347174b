#pragma once

#include <QImage>

namespace kalvero::EmblemPainter {

// A plain coat of arms for a new install: a shield with a star, drawn without
// fonts so that no display is needed.
QImage paint();

}  // namespace kalvero::EmblemPainter
