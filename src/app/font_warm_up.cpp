#include "font_warm_up.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <fontconfig/fontconfig.h>

namespace quorvel {
namespace {

// Latin and Japanese text in the sizes the windows use, so that both the default font and the
// fallback for Japanese are found, opened and shaped once.
void layOutSampleText()
{
    QImage canvas(64, 32, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    for (const int points : {0, 12}) {
        QFont font = QGuiApplication::font();
        if (points > 0)
            font.setPointSize(points);
        painter.setFont(font);
        painter.drawText(0, 24, QStringLiteral("総画数なし検索条件リセット終了 0123456789 Quorvel"));
    }
}

} // namespace

FontWarmUp::FontWarmUp()
    : worker_([ready = ready_.get_future()]() mutable {
          FcInit();
          if (!ready.get())
              return;
          QFontDatabase::families();
          layOutSampleText();
      })
{
}

FontWarmUp::~FontWarmUp()
{
    try {
        ready_.set_value(false);
    } catch (const std::future_error &) {
        // applicationReady() has set it already.
    }
    worker_.join();
}

void FontWarmUp::applicationReady()
{
    ready_.set_value(true);
}

} // namespace quorvel
