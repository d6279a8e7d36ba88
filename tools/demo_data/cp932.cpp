#include "cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <stdexcept>

namespace quorvel::demo {
namespace {

// QByteArray{a, b} would be a run of a copies of b.
QByteArray twoBytes(int lead, int trail)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(lead));
    bytes.append(static_cast<char>(trail));
    return bytes;
}

constexpr const char *kCodec = "windows-932";

bool isKanji(char16_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

// Every trail byte of a double-byte code.
std::vector<int> trailBytes()
{
    std::vector<int> out;
    for (int t = 0x40; t <= 0xFC; ++t)
        if (t != 0x7F)
            out.push_back(t);
    return out;
}

// The single kanji that lead/trail decodes to, or 0.
char16_t kanjiAt(int lead, int trail)
{
    const QByteArray bytes = twoBytes(lead, trail);
    bool ok = false;
    const QString text = decodeCp932(bytes, &ok);
    if (!ok || text.size() != 1 || !isKanji(text[0].unicode()))
        return 0;
    return text[0].unicode();
}

} // namespace

QByteArray encodeCp932(const QString &text)
{
    QStringEncoder encoder(kCodec);
    if (!encoder.isValid())
        throw std::runtime_error("no windows-932 codec (Qt without ICU?)");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        throw std::runtime_error("text without a code page 932 code: " + text.toStdString());
    return bytes;
}

QString decodeCp932(const QByteArray &bytes, bool *ok)
{
    QStringDecoder decoder(kCodec);
    if (!decoder.isValid())
        throw std::runtime_error("no windows-932 codec (Qt without ICU?)");
    QString text = decoder.decode(bytes);
    *ok = !decoder.hasError() && !text.contains(QChar::ReplacementCharacter);
    return text;
}

Cp932Kanji collectCp932Kanji()
{
    Cp932Kanji out;
    const std::vector<int> trails = trailBytes();
    const auto roundTrips = [](char16_t c, int lead, int trail) {
        const QByteArray expected = twoBytes(lead, trail);
        return encodeCp932(QString(QChar(c))) == expected;
    };
    for (int lead = 0x88; lead <= 0xEA; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue; // single-byte katakana
        for (int trail : trails) {
            const char16_t c = kanjiAt(lead, trail);
            if (c != 0 && roundTrips(c, lead, trail))
                out.jis.push_back(c);
        }
    }
    for (int lead = 0xFA; lead <= 0xFC; ++lead)
        for (int trail : trails) {
            const char16_t c = kanjiAt(lead, trail);
            if (c != 0 && roundTrips(c, lead, trail))
                out.ibm.push_back(c);
        }
    for (int lead = 0xED; lead <= 0xEE; ++lead)
        for (int trail : trails) {
            const char16_t c = kanjiAt(lead, trail);
            // The codec writes these characters with their IBM code; reading either gives c.
            if (c != 0 && std::find(out.ibm.begin(), out.ibm.end(), c) != out.ibm.end())
                out.necSelected.emplace(c, twoBytes(lead, trail));
        }
    if (out.jis.size() < 6000 || out.ibm.size() < 300 || out.necSelected.size() < 300)
        throw std::runtime_error("the windows-932 codec lacks kanji it should have");
    return out;
}

} // namespace quorvel::demo
