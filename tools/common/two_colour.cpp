#include "two_colour.h"

namespace quorvel::tools {

QImage toTwoColour(const QImage &canvas)
{
    const QImage rgb = canvas.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            line[x] = qGray(in[x]) < 128 ? 1 : 0;
    }
    return out;
}

} // namespace quorvel::tools
