#pragma once

#include <QImage>

namespace quorvel::tools {

// Black ink on a white ground, one byte a pixel: a pixel darker than middle grey is ink.
QImage toTwoColour(const QImage &canvas);

} // namespace quorvel::tools
