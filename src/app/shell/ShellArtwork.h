#pragma once

#include <QPixmap>

namespace kalvero::ShellArtwork {

// The picture in the middle of the main window, 480 by 315 pixels.
QPixmap mainPicture();

}  // namespace kalvero::ShellArtwork
