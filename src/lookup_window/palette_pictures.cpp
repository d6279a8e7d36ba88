#include "palette_pictures.h"

#include "palette_pictures_data.h"
#include "scaled_picture.h"

#include <array>
#include <vector>

namespace quorvel {
namespace {

// Element id -> position in kEmbeddedPictures, or -1.
const std::array<short, 5003> &positions()
{
    static const std::array<short, 5003> table = [] {
        std::array<short, 5003> t;
        t.fill(-1);
        for (int i = 0; i < kEmbeddedPictureCount; ++i)
            t[static_cast<std::size_t>(kEmbeddedPictures[i].id)] = static_cast<short>(i);
        return t;
    }();
    return table;
}

} // namespace

Picture paletteElementPicture(int id)
{
    if (id < 0 || id >= static_cast<int>(positions().size()) || positions()[static_cast<std::size_t>(id)] < 0)
        return Picture();
    // Wrapped once per process, so every window shares one picture and one set of scaled copies.
    static std::vector<Picture> wrapped(static_cast<std::size_t>(kEmbeddedPictureCount));
    const auto position = static_cast<std::size_t>(positions()[static_cast<std::size_t>(id)]);
    Picture &picture = wrapped[position];
    if (!picture.isNull())
        return picture;
    const EmbeddedPicture &e = kEmbeddedPictures[position];
    const QList<QRgb> colours(kEmbeddedColours + e.firstColour,
                              kEmbeddedColours + e.firstColour + e.colourCount);
    picture = QImage(quorvel_palette_blob + e.pixelsOffset, e.width, e.height, e.bytesPerLine,
                     e.mono ? QImage::Format_Mono : QImage::Format_Indexed8);
    picture.setColorTable(colours);
    for (int s = 0; s < 2; ++s) {
        const int side = kScaledPictureSides[s];
        registerScaledPicture(picture, QImage(quorvel_palette_blob + e.scaledOffsets[s], side, side, side * 4,
                                              QImage::Format_ARGB32_Premultiplied));
    }
    return picture;
}

} // namespace quorvel
