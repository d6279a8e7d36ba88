// The layout of the lookup window: every control at its place, size, text, look and visibility
// when the window is created, and the tab order.
#include "form1.h"

#include "lookup_texts.h"
#include "member_name.h"
#include "palette_pages.h"
#include "palette_pictures.h"
#include "twips.h"

#include <algorithm>
#include <vector>

namespace quorvel {
namespace {

enum class Kind { Label, FramedLabel, EditableCombo, DropDownList, Button };

struct ControlRow {
    const char *name;
    Kind kind;
    int left, top, width, height; // twips
    const char16_t *text;
    int tabIndex;
};

// clang-format off
constexpr ControlRow kControls[] = {
    // name            kind                 left   top  width height  text            tab
    {"Label1(1)",      Kind::Label,          240,  240,  855,  255, u"総画数",         19},
    {"ComboTotal",     Kind::EditableCombo,  240,  600,  975,  300, kNoStrokeCount,     3},
    {"Label1(0)",      Kind::Label,         2280,  240,  975,  255, u"検索条件",        4},
    {"LabelKakusuu",   Kind::FramedLabel,   2235,  600,  675,  375, u"",               20},
    {"Label1(2)",      Kind::Label,          240, 1080, 1335,  255, u"文字要素種類",    1},
    {"ComboElement",   Kind::DropDownList,   240, 1440, 1455,  300, u"",                2},
    {"BtnReset",       Kind::Button,         240, 1920, 1455,  615, u"リセット",        0},
    {"BtnEnd",         Kind::Button,         240, 2640, 1455,  615, u"終了",            7},
    {"LabelTantai",    Kind::Label,          240, 4680,  735,  255, u"",               18},
    {"LabelComment",   Kind::Label,          240, 6000, 3135,  255, u"",                5},
};
// clang-format on

// A family of image controls on the window's client area, k = first..last, at
// Left = left + leftStep * column, Top = top + topStep * row, `columns` members a row.
struct ImageFamilyRow {
    const char *family;
    int first, last;
    int left, leftStep, top, topStep, columns;
    int width, height;
    ImageControl::Look look;
};

constexpr ImageControl::Look kSunkenSlot{true, ImageControl::FixedSingle, ImageControl::ThreeD, true};
constexpr ImageControl::Look kHiddenFlatCell{true, ImageControl::FixedSingle, ImageControl::Flat, false};
constexpr ImageControl::Look kPlainLook{true, ImageControl::NoBorder, ImageControl::Flat, true};

// clang-format off
constexpr ImageFamilyRow kImageFamilies[] = {
    // family  k from..to  left step   top  step cols width height look
    {"Image3",   1,   5,   3000, 720,  600,   0,  5,  675,  675, kSunkenSlot},     // selection slots
    {"Image2",   0,   0,   6600,   0,  600,   0,  1,  735,  735, kHiddenFlatCell}, // blank picture source
    {"Image4",   0,   1,    240, 720, 5040,   0,  2,  735,  735, kHiddenFlatCell}, // standalone forms
    {"Image2",   1, 100,    240, 720, 6360, 720, 20,  735,  735, kHiddenFlatCell}, // result grid
};
// clang-format on

constexpr int kPageLeft = 2040;
constexpr int kPageTop = 1440;
constexpr int kPitch = 720;
constexpr int kCell = 675;
constexpr int kPageWidth = kPaletteColumns * kPitch + 135;

} // namespace

void Form1::buildLayout()
{
    std::vector<std::pair<int, QWidget *>> tabOrder;

    for (const ControlRow &row : kControls) {
        const QRect box = twipsRect(row.left, row.top, row.width, row.height);
        const QString name = QLatin1String(row.name);
        const QString text = QString::fromUtf16(row.text);
        QWidget *widget = nullptr;
        switch (row.kind) {
        case Kind::Label:
        case Kind::FramedLabel: {
            auto *label = new Label(this, name, box, text);
            if (row.kind == Kind::FramedLabel)
                label->setFramedLook();
            if (name.startsWith(u"Label1("))
                Label1.add(name.mid(7, 1).toInt(), label);
            else if (name == u"LabelKakusuu")
                LabelKakusuu = label;
            else if (name == u"LabelTantai")
                LabelTantai = label;
            else
                LabelComment = label;
            widget = label;
            break;
        }
        case Kind::EditableCombo: {
            QStringList items{text};
            for (int n = 4; n <= 30; ++n)
                items << QString::number(n);
            widget = ComboTotal = new EditableCombo(this, name, box, items, text);
            break;
        }
        case Kind::DropDownList: {
            QStringList groups;
            for (int k = 0; k < kPaletteCount; ++k)
                groups << QString::fromUtf16(elementGroupName(k));
            widget = ComboElement = new DropDownList(this, name, box, groups);
            break;
        }
        case Kind::Button:
            widget = new CommandButton(this, name, box, text);
            (name == u"BtnReset" ? BtnReset : BtnEnd) = static_cast<CommandButton *>(widget);
            break;
        }
        tabOrder.emplace_back(row.tabIndex, widget);
    }

    for (const ImageFamilyRow &f : kImageFamilies) {
        ControlFamily<ImageControl> &family = f.family == std::string_view("Image2")   ? Image2
                                              : f.family == std::string_view("Image3") ? Image3
                                                                                       : Image4;
        for (int k = f.first; k <= f.last; ++k) {
            const int n = k - f.first;
            const QRect box = twipsRect(f.left + f.leftStep * (n % f.columns),
                                        f.top + f.topStep * (n / f.columns), f.width, f.height);
            family.add(k, new ImageControl(this, memberName(f.family, k), k, box, f.look));
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
