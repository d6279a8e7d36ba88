// The detail window's layout and its single instance.
#include "form2.h"

#include "detail_texts.h"
#include "member_name.h"
#include "twips.h"

#include <QPointer>

namespace quorvel {
namespace {

struct ControlRow {
    const char *family;
    int first, last;                        // family indexes; -1 for the single large glyph
    int left, leftStep, top, width, height; // twips; member k lies at left + leftStep * (k - first)
    const char16_t *caption;                // labels only
    bool shown;
};

// clang-format off
constexpr ControlRow kControls[] = {
    // control  k from..to  left step   top  width height  caption          shown
    {"Image1",  -1, -1,      240,   0,   240, 4500, 4500, nullptr,          true},  // large glyph
    {"Label1",   0,  0,     5640,   0,   240, 2175,  255, kCodeCaption,     true},
    {"Label1",   1,  1,     5640,   0,   720, 2175,  255, kStrokesCaption,  true},
    {"Label1",   3,  3,     5640,   0,  1200, 2175,  255, kKanjiCaption,    true},
    {"Label1",   2,  2,      240,   0,  5640, 1335,  255, u"構成文字要素",   true},
    {"Image2",   2, 10,      240, 720,  6000,  735,  735, nullptr,          false}, // element row
};
// clang-format on

// Every image of the window: stretched, without a frame; the default three-dimensional appearance
// shows only in a frame.
constexpr ImageControl::Look lookOf(bool shown)
{
    return {true, ImageControl::NoBorder, ImageControl::ThreeD, shown};
}

// A closed window deletes itself, which empties the pointer.
QPointer<Form2> &instance()
{
    static QPointer<Form2> form;
    return form;
}

} // namespace

Form2::Form2()
    : FormWindow(QStringLiteral("Form2"), QStringLiteral("Quorvel文字表示"), QSize(px(8100), px(6930)))
{
    // No position of its own: the window system places each new window.
    setAttribute(Qt::WA_DeleteOnClose);
    buildLayout();
}

void Form2::buildLayout()
{
    for (const ControlRow &row : kControls) {
        const QString family = QLatin1String(row.family);
        if (row.first < 0) {
            Image1 = new ImageControl(this, family, 0, twipsRect(row.left, row.top, row.width, row.height),
                                      lookOf(row.shown));
            continue;
        }
        for (int k = row.first; k <= row.last; ++k) {
            const QString name = memberName(family, k);
            const QRect box =
                twipsRect(row.left + row.leftStep * (k - row.first), row.top, row.width, row.height);
            if (row.caption != nullptr) {
                // Labels never take the focus, so nothing on the window needs a tab order.
                auto *label = new Label(this, name, box, QString::fromUtf16(row.caption));
                if (!row.shown)
                    label->hide();
                Label1.add(k, label);
            } else {
                Image2.add(k, new ImageControl(this, name, k, box, lookOf(row.shown)));
            }
        }
    }
}

Form2 &Form2::load()
{
    if (instance().isNull())
        instance() = new Form2;
    return *instance();
}

Form2 *Form2::loaded()
{
    return instance().data();
}

} // namespace quorvel
