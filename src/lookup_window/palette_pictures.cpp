#include "palette_pictures.h"

#include "palette_pictures_data.h"

#include <cstring>

namespace quorvel {

Picture paletteElementPicture(int id)
{
    for (int i = 0; i < kEmbeddedPictureCount; ++i) {
        const EmbeddedPicture &e = kEmbeddedPictures[i];
        if (e.id != id)
            continue;
        QList<QRgb> colours(e.colourCount);
        std::memcpy(colours.data(), quorvel_palette_blob + e.coloursOffset,
                    sizeof(QRgb) * std::size_t(e.colourCount));
        QImage picture(quorvel_palette_blob + e.pixelsOffset, e.width, e.height, e.bytesPerLine,
                       e.mono ? QImage::Format_Mono : QImage::Format_Indexed8);
        picture.setColorTable(colours);
        return picture;
    }
    return Picture();
}

} // namespace quorvel
