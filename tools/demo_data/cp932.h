#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace quorvel::demo {

// The kanji of code page 932 that survive a round trip through the windows-932 codec.
struct Cp932Kanji {
    std::vector<char16_t> jis; // JIS X 0208 kanji (lead bytes 0x88-0x9F, 0xE0-0xEA), in byte order
    std::vector<char16_t> ibm; // IBM extension kanji (lead bytes 0xFA-0xFC), in byte order
    // IBM extension kanji that also have a NEC-selected code (lead byte 0xED or 0xEE): those bytes.
    std::map<char16_t, QByteArray> necSelected;
};

// Throws std::runtime_error when the windows-932 codec is missing or misbehaves.
Cp932Kanji collectCp932Kanji();

// text in code page 932; throws std::runtime_error when a character has no code.
QByteArray encodeCp932(const QString &text);

// bytes decoded from code page 932; ok is false when they are not valid code page 932.
QString decodeCp932(const QByteArray &bytes, bool *ok);

} // namespace quorvel::demo
