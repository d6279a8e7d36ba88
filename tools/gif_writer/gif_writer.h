#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quorvel::tools {

// One-frame GIF89a of image. The same image always gives the same bytes.
//
// Colours:
// - Format_Mono, Format_MonoLSB and Format_Indexed8 keep their colour table and pixel indices.
// - Any other format keeps its exact colours when it has at most 256 distinct ones, so grey-level
//   and two-colour art is lossless; the palette is sorted by colour value. With more colours the
//   image is reduced by Qt's conversion to Format_Indexed8 (diffuse dither).
// - A pixel or colour-table entry with alpha below 128 becomes the GIF's one transparent colour;
//   other alpha values are dropped.
// The colour map is padded with black to the next power of two (at least 2 entries).
//
// Throws std::runtime_error on a null image, an image larger than 65535 pixels either way,
// an indexed image without a colour table or with indices outside it, or a giflib failure.
QByteArray encodeGif(const QImage &image);

// encodeGif(image) written to path (created or truncated). Throws std::runtime_error naming path.
void writeGif(const QString &path, const QImage &image);

} // namespace quorvel::tools
