#pragma once

#include "Image.h"

#include <QIcon>

namespace platform::ui {

// The image as a Qt icon (for menus and the tray): drawn at the usual icon sizes, keeping its
// proportions. No image gives an empty icon. `outlined` rings its shapes in white, so it reads
// on a dark background and a light one alike. Internal to the UI layer.
QIcon iconFromImage(const Image& image, bool outlined = false);

} // namespace platform::ui
