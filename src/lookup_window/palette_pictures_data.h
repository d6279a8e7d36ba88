#pragma once

namespace quorvel {

// The sizes, in pixels, at which each element picture also comes scaled: a palette cell, and the
// inside of a cell in the sunken frame of the selected look.
inline constexpr int kScaledPictureSides[2] = {45, 41};

// One element picture compiled into the program: its pixels and colour table in the blob.
struct EmbeddedPicture {
    int id;
    int width;
    int height;
    int bytesPerLine;
    bool mono; // one bit a pixel, else one byte
    int colourCount;
    int firstColour; // in kEmbeddedColours
    long long pixelsOffset;
    long long scaledOffsets[2]; // premultiplied 32-bit pixels, side by kScaledPictureSides
};

extern const EmbeddedPicture kEmbeddedPictures[];
extern const int kEmbeddedPictureCount;
extern const unsigned int kEmbeddedColours[];

} // namespace quorvel

extern "C" const unsigned char quorvel_palette_blob[];
