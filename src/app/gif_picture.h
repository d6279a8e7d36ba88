#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include "runtime_failure.h"

#include <optional>
#include <vector>

namespace quorvel {

// GIF files are decoded with giflib rather than Qt's image reader: its error codes give the exact
// failure message for each broken file, the canvas size is known and checked against the
// allocation limit before any pixel is allocated, and the decoder of bytes in memory can be fuzzed
// by itself.

// A picture is an implicitly shared image: handing it from one control to another shares it.
using Picture = QImage;

// Loads the first image of a GIF file as a palette picture: one bit a pixel when it has at most two
// colours, else one byte. A missing file is a failure (file not found); a file that is no GIF,
// is truncated or corrupt, or is larger than the allocation limit is a failure (bad picture).
// Both name the path.
Picture loadGifPicture(const QString &path);

// The same for GIF bytes held in memory; `name` stands for the file in the failure message.
Picture decodeGifPicture(const QByteArray &bytes, const QString &name);

// The outcome of loading one file of several: its picture, or the failure that loading it raised.
struct LoadedPicture {
    Picture picture;
    QImage scaled; // the picture scaled, when asked for
    std::optional<RuntimeFailure> failure;

    // The picture, or the failure raised now, where the picture is used.
    const Picture &take() const;
};

// Loads several GIF files at once on a pool of threads and waits for all of them. With a
// `scaledSize`, each picture loaded is also scaled to it there, ready for the control that shows it.
// At most one file per thread is being decoded at a time, so the memory in flight is bounded by
// the pool's size times the largest picture.
std::vector<LoadedPicture> loadGifPictures(const QStringList &paths, const QSize &scaledSize = QSize());

// The largest picture accepted, in pixels (2048 x 2048, about 47 times a 300 x 300 glyph): 100 of
// them held by the result cells at one byte a pixel stay within 400 MiB.
inline constexpr qint64 kPictureAllocationLimit = 4LL * 1024 * 1024;

// The largest GIF file read, in bytes: well above what the largest picture compresses to.
inline constexpr qint64 kPictureFileByteLimit = 8LL * 1024 * 1024;

} // namespace quorvel
