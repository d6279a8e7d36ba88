// The layout of the lookup window: every control at its place, size, text, look and visibility
// when the window is created, and the tab order.
#include "form1.h"

#include "lookup_texts.h"
#include "member_name.h"
#include "palette_pages.h"
#include "palette_pictures.h"
#include "twips.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace quorvel {
namespace {

// A member of one of the window's families of controls: Label1(2).
template <typename Control> struct FamilyMember {
    ControlFamily<Control> Form1::*family;
    int index;
};

// A single control of the window, of the kind its row names: Single<Label>{&Form1::LabelTantai}.
template <typename Control> struct Single {
    Control *Form1::*member;
};

// A label drawn in a frame, as a box for a figure.
struct FramedLabel {
    Label *Form1::*member;
};

// The member a row fills; its type says which control the row builds, and a member of another
// kind does not compile.
using ControlMember = std::variant<Single<Label>, FramedLabel, FamilyMember<Label>, Single<EditableCombo>,
                                   Single<DropDownList>, Single<CommandButton>>;

struct ControlRow {
    const char *name; // the member's name; a family member's object name adds its index
    ControlMember member;
    int left, top, width, height; // twips
    const char16_t *text;
    int tabIndex;
};

// A family of image controls on the window's client area, k = first..last, at
// Left = left + leftStep * column, Top = top + topStep * row, `columns` members a row.
struct ImageFamilyRow {
    const char *name;
    ControlFamily<ImageControl> Form1::*family;
    int first, last;
    int left, leftStep, top, topStep, columns;
    int width, height;
    ImageControl::Look look;
};

template <typename... Builds> struct Overloaded : Builds... {
    using Builds::operator()...;
};

constexpr ImageControl::Look kSunkenSlot{true, ImageControl::FixedSingle, ImageControl::ThreeD, true};
constexpr ImageControl::Look kHiddenFlatCell{true, ImageControl::FixedSingle, ImageControl::Flat, false};
constexpr ImageControl::Look kPlainLook{true, ImageControl::NoBorder, ImageControl::Flat, true};

constexpr int kPageLeft = 2040;
constexpr int kPageTop = 1440;
constexpr int kPitch = 720;
constexpr int kCell = 675;
constexpr int kPageWidth = kPaletteColumns * kPitch + 135;

} // namespace

void Form1::buildLayout()
{
    // Inside a member, as the rows point at private members.
    // clang-format off
    static constexpr ControlRow kControls[] = {
        // name          member                                       left   top  width height  text         tab
        {"Label1",       FamilyMember<Label>{&Form1::Label1, 1},         240,  240,  855,  255, u"総画数",      19},
        {"ComboTotal",   Single<EditableCombo>{&Form1::ComboTotal},      240,  600,  975,  300, kNoStrokeCount,  3},
        {"Label1",       FamilyMember<Label>{&Form1::Label1, 0},        2280,  240,  975,  255, u"検索条件",     4},
        {"LabelKakusuu", FramedLabel{&Form1::LabelKakusuu},             2235,  600,  675,  375, u"",            20},
        {"Label1",       FamilyMember<Label>{&Form1::Label1, 2},         240, 1080, 1335,  255, u"文字要素種類", 1},
        {"ComboElement", Single<DropDownList>{&Form1::ComboElement},     240, 1440, 1455,  300, u"",             2},
        {"BtnReset",     Single<CommandButton>{&Form1::BtnReset},        240, 1920, 1455,  615, u"リセット",     0},
        {"BtnEnd",       Single<CommandButton>{&Form1::BtnEnd},          240, 2640, 1455,  615, u"終了",         7},
        {"LabelTantai",  Single<Label>{&Form1::LabelTantai},             240, 4680,  735,  255, u"",            18},
        {"LabelComment", Single<Label>{&Form1::LabelComment},            240, 6000, 3135,  255, u"",             5},
    };

    // The selection slots, the blank picture source Image2(0), the standalone forms and the result grid.
    static constexpr ImageFamilyRow kImageFamilies[] = {
        // name    family          k from..to  left step   top  step cols width height look
        {"Image3", &Form1::Image3,  1,   5,    3000, 720,  600,   0,  5,  675,  675, kSunkenSlot},
        {"Image2", &Form1::Image2,  0,   0,    6600,   0,  600,   0,  1,  735,  735, kHiddenFlatCell},
        {"Image4", &Form1::Image4,  0,   1,     240, 720, 5040,   0,  2,  735,  735, kHiddenFlatCell},
        {"Image2", &Form1::Image2,  1, 100,     240, 720, 6360, 720, 20,  735,  735, kHiddenFlatCell},
    };
    // clang-format on

    std::vector<std::pair<int, QWidget *>> tabOrder;

    for (const ControlRow &row : kControls) {
        const QRect box = twipsRect(row.left, row.top, row.width, row.height);
        const QString name = QLatin1String(row.name);
        const QString text = QString::fromUtf16(row.text);
        const Overloaded build{
            [&](Single<Label> single) -> QWidget * {
                return this->*single.member = new Label(this, name, box, text);
            },
            [&](FramedLabel framed) -> QWidget * {
                auto *label = new Label(this, name, box, text);
                label->setFramedLook();
                return this->*framed.member = label;
            },
            [&](FamilyMember<Label> member) -> QWidget * {
                auto *label = new Label(this, memberName(name, member.index), box, text);
                (this->*member.family).add(member.index, label);
                return label;
            },
            [&](Single<EditableCombo> single) -> QWidget * {
                QStringList items{text};
                for (int n = 4; n <= 30; ++n)
                    items << QString::number(n);
                return this->*single.member = new EditableCombo(this, name, box, items, text);
            },
            [&](Single<DropDownList> single) -> QWidget * {
                QStringList groups;
                for (int k = 0; k < kPaletteCount; ++k)
                    groups << QString::fromUtf16(elementGroupName(k));
                return this->*single.member = new DropDownList(this, name, box, groups);
            },
            [&](Single<CommandButton> single) -> QWidget * {
                return this->*single.member = new CommandButton(this, name, box, text);
            },
        };
        tabOrder.emplace_back(row.tabIndex, std::visit(build, row.member));
    }

    for (const ImageFamilyRow &f : kImageFamilies) {
        for (int k = f.first; k <= f.last; ++k) {
            const int n = k - f.first;
            const QRect box = twipsRect(f.left + f.leftStep * (n % f.columns),
                                        f.top + f.topStep * (n / f.columns), f.width, f.height);
            (this->*f.family).add(k, new ImageControl(this, memberName(f.name, k), k, box, f.look));
        }
    }

    for (int k = 0; k < kPaletteCount; ++k) {
        const auto ids = paletteIds(k);
        const int rows = (static_cast<int>(ids.size()) + kPaletteColumns - 1) / kPaletteColumns;
        auto *page = new ImageHost(this, ImageHost::Frame::Sunken3D);
        page->setObjectName(memberName("Picture1", k));
        page->setGeometry(twipsRect(kPageLeft, kPageTop, kPageWidth, rows * kPitch + 135));
        page->setFocusPolicy(Qt::StrongFocus);
        page->setVisible(k == 0);
        Picture1.add(k, page);
        tabOrder.emplace_back(k == 0 ? 6 : 7 + k, page);
        for (int p = 0; p < static_cast<int>(ids.size()); ++p) {
            const int id = ids[static_cast<std::size_t>(p)];
            const QRect box =
                twipsRect(kPitch * (p % kPaletteColumns), kPitch * (p / kPaletteColumns), kCell, kCell);
            auto *element = new ImageControl(page, memberName("Image1", id), id, box, kPlainLook);
            element->setPicture(paletteElementPicture(id));
            Image1.add(id, element);
        }
    }

    // Labels keep their tab index in the table but never take the focus, so only the others are chained.
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    std::erase_if(tabOrder, [](const auto &entry) { return entry.second->focusPolicy() == Qt::NoFocus; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    BtnReset->setFocus();
}

} // namespace quorvel
