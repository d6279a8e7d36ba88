#pragma once

namespace quorvel {

// One element picture compiled into the program: its pixels and colour table in the blob.
struct EmbeddedPicture {
    int id;
    int width;
    int height;
    int bytesPerLine;
    bool mono; // one bit a pixel, else one byte
    int colourCount;
    long long coloursOffset;
    long long pixelsOffset;
};

extern const EmbeddedPicture kEmbeddedPictures[];
extern const int kEmbeddedPictureCount;

} // namespace quorvel

extern "C" const unsigned char quorvel_palette_blob[];
