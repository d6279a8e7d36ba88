// The detail window's layout and its single instance.
#include "form2.h"

#include "detail_texts.h"
#include "member_name.h"
#include "twips.h"

#include <QPointer>

#include <variant>

namespace quorvel {
namespace {

// The member a row fills, of the kind the row names; a member of another kind does not compile.
template <typename Control> struct Single {
    Control *Form2::*member;
};
template <typename Control> struct Family {
    ControlFamily<Control> Form2::*family;
};
using ControlMember = std::variant<Single<ImageControl>, Family<Label>, Family<ImageControl>>;

struct ControlRow {
    const char *name; // the member's name; a family member's object name adds its index
    ControlMember member;
    int first, last;                        // family indexes; the single large glyph is index 0
    int left, leftStep, top, width, height; // twips; member k lies at left + leftStep * (k - first)
    const char16_t *caption;                // labels only
    bool shown;
};

// The large glyph, the labels, and the element row below the glyph.
// clang-format off
constexpr ControlRow kControls[] = {
    // name    member                              k from..to left step   top  width height  caption         shown
    {"Image1", Single<ImageControl>{&Form2::Image1}, 0,  0,   240,   0,   240, 4500, 4500, nullptr,         true},
    {"Label1", Family<Label>{&Form2::Label1},        0,  0,  5640,   0,   240, 2175,  255, kCodeCaption,    true},
    {"Label1", Family<Label>{&Form2::Label1},        1,  1,  5640,   0,   720, 2175,  255, kStrokesCaption, true},
    {"Label1", Family<Label>{&Form2::Label1},        3,  3,  5640,   0,  1200, 2175,  255, kKanjiCaption,   true},
    {"Label1", Family<Label>{&Form2::Label1},        2,  2,   240,   0,  5640, 1335,  255, u"構成文字要素",  true},
    {"Image2", Family<ImageControl>{&Form2::Image2},  2, 10,   240, 720,  6000,  735,  735, nullptr,         false},
};
// clang-format on

// Every image of the window: stretched, without a frame; the default three-dimensional appearance
// shows only in a frame.
constexpr ImageControl::Look lookOf(bool shown)
{
    return {true, ImageControl::NoBorder, ImageControl::ThreeD, shown};
}

// Builds a row's controls into the member it names.
struct RowBuilder {
    Form2 &form;
    const ControlRow &row;

    QRect box(int k) const
    {
        return twipsRect(row.left + row.leftStep * (k - row.first), row.top, row.width, row.height);
    }

    void operator()(Single<ImageControl> single) const
    {
        form.*single.member =
            new ImageControl(&form, QLatin1String(row.name), row.first, box(row.first), lookOf(row.shown));
    }

    void operator()(Family<Label> labels) const
    {
        for (int k = row.first; k <= row.last; ++k) {
            // Labels never take the focus, so nothing on the window needs a tab order.
            auto *label = new Label(&form, memberName(row.name, k), box(k), QString::fromUtf16(row.caption));
            if (!row.shown)
                label->hide();
            (form.*labels.family).add(k, label);
        }
    }

    void operator()(Family<ImageControl> images) const
    {
        for (int k = row.first; k <= row.last; ++k) {
            auto *image = new ImageControl(&form, memberName(row.name, k), k, box(k), lookOf(row.shown));
            (form.*images.family).add(k, image);
        }
    }
};

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
    for (const ControlRow &row : kControls)
        std::visit(RowBuilder{*this, row}, row.member);
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
