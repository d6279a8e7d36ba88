#include "elements.h"

#include "brush.h"

#include <array>

namespace quorvel::art {
namespace {

using P = QPointF;
using Shape = void (*)(Pen &, const Frame &, int variant);

// A number in [lo, hi) from the pen's hand.
double r(Pen &pen, double lo, double hi)
{
    return pen.rng().range(lo, hi);
}

// 又, used by several groups.
void drawYou(Pen &pen, const Frame &f)
{
    const double t = r(pen, 0.04, 0.14);
    pen.curve(f, {P(0.1, t), P(0.8, t - 0.02), P(0.62, 0.45), P(0.05, 0.96)}, End::Taper);
    pen.rightFalling(f, P(r(pen, 0.18, 0.3), r(pen, 0.3, 0.42)), P(0.92, 0.95));
}

// 冖 with its left tick, in the band 0..h.
void drawCover(Pen &pen, const Frame &f, double top, double h)
{
    pen.dot(f, P(0.07, top + 0.3 * (h - top)), 0.55 * (h - top), 95);
    pen.turnDown(f, P(0.08, top + 0.3 * (h - top)), P(r(pen, 0.88, 0.95), top + 0.25 * (h - top)),
                 P(r(pen, 0.84, 0.9), h), End::HookLeft);
}

// Group 0: crowns over the top and hangings over the top and down the left.
void crownsAndHangings(Pen &pen, const Frame &f, int variant)
{
    const double h = r(pen, 0.28, 0.42);
    const int shape = variant % 15;
    const int accent = (variant / 15) % 3;
    if (accent == 2)
        pen.dot(f, P(0.97, -0.04), 0.1, 60);
    if (accent == 1 && shape < 10)
        pen.horizontal(f, 0.15, h + 0.1, 0.85); // a bar under the crown
    if (accent == 1 && shape >= 10)
        pen.vertical(f, 0.92, 0.2, 0.34, End::Stop); // a drop at the hanging's end
    switch (shape) {
    case 0: // 宀
        pen.dot(f, P(r(pen, 0.45, 0.52), 0.0), 0.35 * h, r(pen, 60, 80));
        drawCover(pen, f, 0.35 * h, h);
        break;
    case 1: // 冖
        drawCover(pen, f, 0.0, h);
        break;
    case 2: // 艹
        pen.horizontal(f, 0.02, 0.45 * h, 0.98);
        pen.vertical(f, r(pen, 0.25, 0.33), 0.0, h, End::Stop);
        pen.leftFalling(f, P(r(pen, 0.67, 0.75), 0.0), P(0.64, h), 0.05);
        break;
    case 3: // ⺌
        pen.vertical(f, 0.5, 0.0, h, End::Stop);
        pen.dot(f, P(0.12, 0.25 * h), 0.5 * h, r(pen, 50, 70));
        pen.dot(f, P(0.88, 0.2 * h), 0.5 * h, r(pen, 110, 130));
        break;
    case 4: // ⺍ over 冖
        pen.dot(f, P(0.16, 0.0), 0.3 * h, 65);
        pen.dot(f, P(0.46, 0.0), 0.3 * h, 80);
        pen.dot(f, P(0.8, 0.0), 0.33 * h, 118);
        drawCover(pen, f, 0.45 * h, 1.15 * h);
        break;
    case 5: // 亠
        pen.dot(f, P(r(pen, 0.42, 0.5), 0.0), 0.45 * h, r(pen, 60, 85));
        pen.horizontal(f, 0.02, 0.62 * h, 0.98);
        break;
    case 6: // 𠆢
        pen.leftFalling(f, P(0.5, 0.0), P(0.02, h * 1.1), 0.15);
        pen.rightFalling(f, P(0.52, 0.15 * h), P(0.93, h * 1.1));
        break;
    case 7: // 罒
        pen.box(f, 0.05, 0.05 * h, 0.95, h);
        pen.vertical(f, r(pen, 0.33, 0.4), 0.1 * h, h, End::Stop);
        pen.vertical(f, r(pen, 0.6, 0.67), 0.1 * h, h, End::Stop);
        break;
    case 8: // ⺮
        for (double x : {0.0, 0.52}) {
            const Frame half = f.part(x, 0.0, x + 0.48, h * 1.1);
            pen.leftFalling(half, P(0.45, 0.0), P(0.0, 0.6), 0.1);
            pen.horizontal(half, 0.3, 0.28, 0.95);
            pen.dot(half, P(0.45, 0.55), 0.4, 60);
        }
        break;
    case 9: // 爫
        pen.leftFalling(f, P(0.9, 0.0), P(0.12, 0.3 * h), 0.0);
        pen.dot(f, P(0.12, 0.5 * h), 0.45 * h, 60);
        pen.dot(f, P(0.45, 0.45 * h), 0.45 * h, 80);
        pen.dot(f, P(0.8, 0.42 * h), 0.45 * h, 115);
        break;
    case 10: // 广
        pen.dot(f, P(r(pen, 0.5, 0.6), 0.0), 0.13, 75);
        pen.horizontal(f, 0.12, 0.18, 0.97);
        pen.leftFalling(f, P(0.15, 0.18), P(0.0, 0.97), r(pen, 0.15, 0.35));
        break;
    case 11: // 厂
        pen.horizontal(f, 0.06, 0.08, 0.97);
        pen.leftFalling(f, P(0.09, 0.08), P(-0.02, 0.97), r(pen, 0.1, 0.3));
        break;
    case 12: // 尸
        pen.turnDown(f, P(0.1, 0.04), P(0.9, 0.04), P(0.88, 0.28), End::Stop);
        pen.horizontal(f, 0.12, 0.28, 0.88);
        pen.leftFalling(f, P(0.1, 0.04), P(-0.02, 0.97), r(pen, 0.05, 0.2));
        break;
    case 13: // 疒
        pen.dot(f, P(0.55, 0.0), 0.13, 75);
        pen.horizontal(f, 0.18, 0.18, 0.97);
        pen.leftFalling(f, P(0.2, 0.18), P(0.06, 0.97), 0.2);
        pen.dot(f, P(-0.04, 0.34), 0.12, 25);
        pen.dot(f, P(-0.04, 0.62), 0.12, -25);
        break;
    default: // 戸
        pen.horizontal(f, 0.25, 0.0, 0.85);
        pen.turnDown(f, P(0.1, 0.15), P(0.9, 0.15), P(0.88, 0.38), End::Stop);
        pen.horizontal(f, 0.12, 0.38, 0.88);
        pen.leftFalling(f, P(0.1, 0.15), P(-0.02, 0.97), 0.15);
        break;
    }
}

// Group 1: ノ, メ and 人 strokes.
void slantsAndPeople(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 15) {
    case 0: // 人
        pen.leftFalling(f, P(r(pen, 0.45, 0.55), 0.02), P(0.03, 0.95), r(pen, 0.1, 0.4));
        pen.rightFalling(f, P(r(pen, 0.42, 0.5), r(pen, 0.3, 0.45)), P(0.9, 0.95));
        break;
    case 1: // 入
        pen.leftFalling(f, P(0.45, r(pen, 0.15, 0.3)), P(0.03, 0.95), 0.2);
        pen.rightFalling(f, P(0.25, 0.02), P(0.9, 0.95));
        break;
    case 2: // 八
        pen.leftFalling(f, P(0.38, r(pen, 0.08, 0.25)), P(0.02, 0.9), 0.2);
        pen.rightFalling(f, P(0.6, r(pen, 0.1, 0.3)), P(0.9, 0.92));
        break;
    case 3: // 乂
        pen.leftFalling(f, P(0.85, 0.05), P(0.05, 0.95), r(pen, 0.0, 0.3));
        pen.rightFalling(f, P(0.12, r(pen, 0.1, 0.25)), P(0.88, 0.95));
        break;
    case 4: // 又
        drawYou(pen, f);
        break;
    case 5: // 大
        pen.horizontal(f, 0.05, r(pen, 0.28, 0.4), 0.95);
        pen.leftFalling(f, P(0.5, 0.02), P(0.03, 0.95), 0.3);
        pen.rightFalling(f, P(0.5, 0.42), P(0.9, 0.96));
        break;
    case 6: // 亻
        pen.leftFalling(f, P(r(pen, 0.4, 0.5), 0.0), P(0.02, 0.45), 0.1);
        pen.vertical(f, r(pen, 0.26, 0.32), 0.3, 0.98, End::Stop);
        break;
    case 7: // 彳
        pen.leftFalling(f, P(0.5, 0.0), P(0.08, 0.3), 0.1);
        pen.leftFalling(f, P(0.55, 0.3), P(0.02, 0.66), 0.1);
        pen.vertical(f, r(pen, 0.3, 0.36), 0.47, 0.98, End::Stop);
        break;
    case 8: // 彡
        pen.leftFalling(f, P(0.85, 0.04), P(0.3, 0.3), 0.0);
        pen.leftFalling(f, P(0.9, 0.34), P(0.22, 0.62), 0.0);
        pen.leftFalling(f, P(0.95, 0.64), P(0.12, 0.98), 0.0);
        break;
    case 9: // 夂
        pen.leftFalling(f, P(0.45, 0.0), P(0.05, 0.5), 0.1);
        pen.curve(f, {P(0.35, 0.22), P(0.82, 0.2), P(0.5, 0.55), P(0.18, 0.8)}, End::Taper);
        pen.rightFalling(f, P(0.3, r(pen, 0.35, 0.45)), P(0.92, 0.95));
        break;
    case 10: // 父
        pen.dot(f, P(0.38, 0.02), 0.2, 125);
        pen.dot(f, P(0.62, 0.02), 0.2, 55);
        pen.leftFalling(f, P(0.8, 0.38), P(0.05, 0.98), 0.2);
        pen.rightFalling(f, P(0.2, 0.42), P(0.9, 0.98));
        break;
    case 11: // 丿 with a tick
        pen.leftFalling(f, P(r(pen, 0.7, 0.85), 0.02), P(0.08, 0.98), r(pen, 0.2, 0.5));
        pen.dot(f, P(0.6, 0.45), 0.18, 40);
        break;
    case 12: // 夕
        pen.leftFalling(f, P(0.5, 0.0), P(0.1, 0.42), 0.1);
        pen.curve(f, {P(0.32, 0.2), P(0.85, 0.18), P(0.55, 0.65), P(0.05, 0.98)}, End::Taper);
        pen.dot(f, P(0.36, 0.45), 0.2, 45);
        break;
    case 13: // 爻
        for (double y : {0.0, 0.5}) {
            const Frame half = f.part(0.0, y, 1.0, y + 0.48, 0.9);
            pen.leftFalling(half, P(0.8, 0.05), P(0.1, 0.95), 0.1);
            pen.rightFalling(half, P(0.2, 0.1), P(0.85, 0.92));
        }
        break;
    default: // 文
        pen.dot(f, P(0.48, 0.0), 0.15, 75);
        pen.horizontal(f, 0.05, 0.22, 0.95);
        pen.leftFalling(f, P(0.8, 0.3), P(0.05, 0.98), 0.25);
        pen.rightFalling(f, P(0.22, 0.32), P(0.9, 0.98));
        break;
    }
}

// Group 2: ヒ and its relatives, built on the bent stroke 乚.
void spoons(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 9) {
    case 0: // 匕
        pen.leftFalling(f, P(0.78, r(pen, 0.15, 0.3)), P(0.18, 0.55), 0.0);
        pen.turnRight(f, P(0.22, 0.02), P(0.22, 0.9), P(0.92, 0.88), End::HookUp);
        break;
    case 1: // ヒ
        pen.horizontal(f, 0.2, r(pen, 0.35, 0.45), 0.85);
        pen.turnRight(f, P(0.2, 0.03), P(0.2, 0.9), P(0.93, 0.9), End::HookUp);
        break;
    case 2: // 七
        pen.horizontal(f, 0.02, r(pen, 0.32, 0.42), 0.98);
        pen.turnRight(f, P(0.45, 0.02), P(0.45, 0.85), P(0.95, 0.85), End::HookUp);
        break;
    case 3: { // 比
        const Frame left = f.part(0.0, 0.0, 0.46, 1.0);
        pen.vertical(left, 0.3, 0.05, 0.92, End::Stop);
        pen.horizontal(left, 0.3, 0.42, 0.9);
        pen.leftFalling(left, P(0.3, 0.92), P(0.95, 0.78), 0.0);
        const Frame right = f.part(0.52, 0.0, 1.0, 1.0);
        pen.leftFalling(right, P(0.85, 0.25), P(0.15, 0.5), 0.0);
        pen.turnRight(right, P(0.2, 0.02), P(0.2, 0.9), P(0.92, 0.88), End::HookUp);
        break;
    }
    case 4: // 也
        pen.turnDown(f, P(0.08, 0.32), P(0.85, 0.26), P(0.8, 0.56), End::HookLeft);
        pen.vertical(f, 0.46, 0.02, 0.62, End::Stop);
        pen.turnRight(f, P(0.18, 0.12), P(0.18, 0.9), P(0.95, 0.9), End::HookUp);
        break;
    case 5: // 屯
        pen.horizontal(f, 0.05, 0.08, 0.95);
        pen.vertical(f, 0.15, 0.3, 0.6, End::Stop);
        pen.vertical(f, 0.85, 0.28, 0.62, End::Stop);
        pen.horizontal(f, 0.15, 0.6, 0.85);
        pen.turnRight(f, P(0.5, 0.0), P(0.5, 0.9), P(0.95, 0.9), End::HookUp);
        break;
    case 6: // 旨's top
        pen.leftFalling(f, P(0.8, 0.0), P(0.25, 0.3), 0.0);
        pen.turnRight(f, P(0.22, 0.05), P(0.22, 0.62), P(0.92, 0.6), End::HookUp);
        pen.dot(f, P(0.55, 0.72), 0.22, 70);
        break;
    case 7: { // 北
        const Frame left = f.part(0.0, 0.0, 0.45, 1.0);
        pen.vertical(left, 0.65, 0.05, 0.95, End::Stop);
        pen.horizontal(left, 0.1, 0.4, 0.65);
        pen.leftFalling(left, P(0.05, 0.88), P(0.65, 0.7), 0.0);
        const Frame right = f.part(0.52, 0.0, 1.0, 1.0);
        pen.leftFalling(right, P(0.85, 0.25), P(0.2, 0.45), 0.0);
        pen.turnRight(right, P(0.2, 0.03), P(0.2, 0.9), P(0.95, 0.9), End::HookUp);
        break;
    }
    default: // 乚 under a dot
        pen.dot(f, P(0.5, 0.0), 0.16, 70);
        pen.turnRight(f, P(0.3, 0.18), P(0.3, 0.86), P(0.95, 0.86), End::HookUp);
        break;
    }
}

// Group 3: closed and three-sided enclosures.
void enclosuresA(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 9) {
    case 0: // 囗
        pen.box(f, 0.04, 0.04, 0.96, 0.94);
        break;
    case 1: // 冂
        pen.vertical(f, 0.05, 0.05, 0.98, End::Stop);
        pen.turnDown(f, P(0.05, 0.05), P(0.94, 0.05), P(0.92, 0.98), End::HookLeft);
        break;
    case 2: // 匚
        pen.horizontal(f, 0.06, 0.05, 0.95);
        pen.turnRight(f, P(0.08, 0.05), P(0.08, 0.94), P(0.97, 0.92), End::Stop);
        break;
    case 3: // 凵
        pen.vertical(f, 0.94, 0.08, 0.95, End::Stop);
        pen.turnRight(f, P(0.06, 0.1), P(0.06, 0.93), P(0.94, 0.93), End::Stop);
        break;
    case 4: // 勹
        pen.leftFalling(f, P(0.38, 0.0), P(0.02, 0.42), 0.1);
        pen.turnDown(f, P(0.3, 0.15), P(0.93, 0.15), P(0.86, 0.96), End::HookLeft);
        break;
    case 5: // 口 set a little high
        pen.box(f, 0.1, 0.02, 0.9, 0.8);
        pen.dot(f, P(0.45, 0.86), 0.12, 20);
        break;
    case 6: // 亠 over 冂
        pen.dot(f, P(0.5, 0.0), 0.12, 75);
        pen.horizontal(f, 0.0, 0.16, 1.0);
        pen.vertical(f, 0.1, 0.3, 0.98, End::Stop);
        pen.turnDown(f, P(0.1, 0.3), P(0.9, 0.3), P(0.88, 0.98), End::HookLeft);
        break;
    case 7: // 门
        pen.dot(f, P(0.08, 0.0), 0.14, 65);
        pen.vertical(f, 0.1, 0.22, 0.98, End::Stop);
        pen.turnDown(f, P(0.3, 0.08), P(0.93, 0.08), P(0.9, 0.98), End::HookLeft);
        break;
    default: // 匸
        pen.horizontal(f, 0.0, 0.04, 0.98);
        pen.turnRight(f, P(0.12, 0.04), P(0.12, 0.9), P(1.0, 0.92), End::Stop);
        pen.dot(f, P(0.0, 0.92), 0.1, 10);
        break;
    }
}

// Group 4: enclosures that wrap from below or from the right.
void enclosuresB(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 9) {
    case 0: // 辶
        pen.dot(f, P(0.05, 0.02), 0.14, 45);
        pen.curve(f, {P(0.0, 0.3), P(0.26, 0.3), P(0.06, 0.66), P(0.2, 0.74)}, End::Stop);
        pen.rightFalling(f, P(0.2, 0.74), P(0.9, 0.96));
        break;
    case 1: // 廴
        pen.curve(f, {P(0.05, 0.12), P(0.32, 0.12), P(0.06, 0.55), P(0.28, 0.66)}, End::Stop);
        pen.rightFalling(f, P(0.14, 0.55), P(0.9, 0.95));
        break;
    case 2: // 門
        pen.vertical(f, 0.05, 0.02, 0.98, End::Stop);
        pen.turnDown(f, P(0.05, 0.02), P(0.38, 0.02), P(0.37, 0.3), End::Stop);
        pen.horizontal(f, 0.05, 0.16, 0.37);
        pen.horizontal(f, 0.05, 0.3, 0.37);
        pen.vertical(f, 0.62, 0.02, 0.3, End::Stop);
        pen.turnDown(f, P(0.62, 0.02), P(0.95, 0.02), P(0.94, 0.98), End::HookLeft);
        pen.horizontal(f, 0.62, 0.16, 0.94);
        pen.horizontal(f, 0.62, 0.3, 0.94);
        break;
    case 3: // 行
        pen.leftFalling(f, P(0.3, 0.0), P(0.03, 0.28), 0.1);
        pen.leftFalling(f, P(0.33, 0.28), P(0.0, 0.62), 0.1);
        pen.vertical(f, 0.2, 0.45, 0.98, End::Stop);
        pen.horizontal(f, 0.62, 0.08, 0.95);
        pen.horizontal(f, 0.55, 0.34, 0.98);
        pen.vertical(f, 0.8, 0.34, 0.98, End::HookLeft);
        break;
    case 4: // 戈
        pen.horizontal(f, 0.0, 0.3, 0.88);
        pen.curve(f, {P(0.42, 0.0), P(0.55, 0.45), P(0.95, 0.92)}, End::HookUp);
        pen.leftFalling(f, P(0.86, 0.52), P(0.5, 0.86), 0.0);
        pen.dot(f, P(0.78, 0.02), 0.13, 45);
        break;
    case 5: // 气
        pen.leftFalling(f, P(0.32, 0.0), P(0.04, 0.26), 0.1);
        pen.horizontal(f, 0.2, 0.13, 0.9);
        pen.horizontal(f, 0.26, 0.3, 0.8);
        pen.curve(f, {P(0.12, 0.46), P(0.84, 0.44), P(0.84, 0.82), P(0.95, 0.94)}, End::HookUp);
        break;
    case 6: // 几 as a frame (風)
        pen.curve(f, {P(0.14, 0.04), P(0.12, 0.6), P(0.0, 0.97)}, End::Taper);
        pen.curve(f, {P(0.14, 0.04), P(0.8, 0.04), P(0.82, 0.75), P(0.97, 0.92)}, End::HookUp);
        break;
    case 7: { // 走's wrap
        const Frame top = f.part(0.0, 0.0, 0.45, 0.55);
        pen.horizontal(top, 0.15, 0.12, 0.85);
        pen.vertical(top, 0.5, 0.0, 0.55, End::Stop);
        pen.horizontal(top, 0.0, 0.5, 1.0);
        pen.vertical(f, 0.12, 0.55, 0.78, End::Stop);
        pen.rightFalling(f, P(0.1, 0.7), P(0.9, 0.96));
        break;
    }
    default: // 弋
        pen.horizontal(f, 0.0, 0.32, 0.82);
        pen.curve(f, {P(0.36, 0.0), P(0.48, 0.5), P(0.94, 0.94)}, End::HookUp);
        pen.dot(f, P(0.76, 0.02), 0.14, 45);
        break;
    }
}

// Group 5: shapes built on vertical lines.
void verticals(Pen &pen, const Frame &f, int variant)
{
    const double x = r(pen, 0.44, 0.56);
    switch (variant % 15) {
    case 0: // 十
        pen.horizontal(f, 0.03, r(pen, 0.35, 0.45), 0.97);
        pen.vertical(f, x, 0.02, 0.98, End::Taper);
        break;
    case 1: // 土
        pen.horizontal(f, 0.2, 0.35, 0.8);
        pen.vertical(f, x, 0.05, 0.86, End::Stop);
        pen.horizontal(f, 0.02, 0.88, 0.98);
        break;
    case 2: // 士
        pen.horizontal(f, 0.02, 0.32, 0.98);
        pen.vertical(f, x, 0.04, 0.86, End::Stop);
        pen.horizontal(f, 0.22, 0.88, 0.78);
        break;
    case 3: // 干
        pen.horizontal(f, 0.15, 0.08, 0.85);
        pen.horizontal(f, 0.02, 0.45, 0.98);
        pen.vertical(f, x, 0.1, 0.98, End::Taper);
        break;
    case 4: // 王
        pen.horizontal(f, 0.1, 0.06, 0.9);
        pen.horizontal(f, 0.16, 0.46, 0.84);
        pen.horizontal(f, 0.02, 0.9, 0.98);
        pen.vertical(f, x, 0.06, 0.9, End::Stop);
        break;
    case 5: // 工
        pen.horizontal(f, 0.12, 0.08, 0.88);
        pen.vertical(f, x, 0.1, 0.86, End::Stop);
        pen.horizontal(f, 0.02, 0.88, 0.98);
        break;
    case 6: // 丰
        pen.horizontal(f, 0.12, 0.15, 0.88);
        pen.horizontal(f, 0.18, 0.4, 0.82);
        pen.horizontal(f, 0.04, 0.66, 0.96);
        pen.vertical(f, x, 0.0, 0.99, End::Taper);
        break;
    case 7: // 川
        pen.leftFalling(f, P(0.15, 0.05), P(0.04, 0.96), 0.0);
        pen.vertical(f, 0.5, 0.15, 0.8, End::Stop);
        pen.vertical(f, 0.88, 0.02, 0.98, End::Stop);
        break;
    case 8: // 丁
        pen.horizontal(f, 0.04, 0.08, 0.96);
        pen.vertical(f, x, 0.1, 0.92, End::HookLeft);
        break;
    case 9: // 中
        pen.box(f, 0.1, 0.25, 0.9, 0.65);
        pen.vertical(f, 0.5, 0.02, 0.98, End::Taper);
        break;
    case 10: // 卜
        pen.vertical(f, 0.35, 0.02, 0.98, End::Stop);
        pen.dot(f, P(0.42, 0.4), 0.3, 35);
        break;
    case 11: // 上
        pen.vertical(f, 0.42, 0.05, 0.9, End::Stop);
        pen.horizontal(f, 0.42, 0.45, 0.85);
        pen.horizontal(f, 0.02, 0.92, 0.98);
        break;
    case 12: // 止
        pen.vertical(f, 0.55, 0.05, 0.9, End::Stop);
        pen.horizontal(f, 0.55, 0.42, 0.88);
        pen.vertical(f, 0.22, 0.38, 0.9, End::Stop);
        pen.horizontal(f, 0.02, 0.92, 0.98);
        break;
    case 13: // 山
        pen.vertical(f, 0.5, 0.04, 0.86, End::Stop);
        pen.turnRight(f, P(0.1, 0.3), P(0.1, 0.88), P(0.9, 0.88), End::Stop);
        pen.vertical(f, 0.9, 0.3, 0.94, End::Stop);
        break;
    default: // 廾
        pen.horizontal(f, 0.02, 0.38, 0.98);
        pen.leftFalling(f, P(0.3, 0.08), P(0.12, 0.98), 0.1);
        pen.vertical(f, 0.7, 0.08, 0.98, End::Stop);
        break;
    }
}

// Group 6: a left stroke with an arch to its right, like h.
void arches(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 10) {
    case 0: // 九
        pen.leftFalling(f, P(0.45, 0.02), P(0.03, 0.95), 0.2);
        pen.curve(f, {P(0.1, 0.32), P(0.68, 0.3), P(0.68, 0.86), P(0.96, 0.86)}, End::HookUp);
        break;
    case 1: // 几
        pen.curve(f, {P(0.25, 0.05), P(0.22, 0.6), P(0.02, 0.96)}, End::Taper);
        pen.curve(f, {P(0.25, 0.05), P(0.74, 0.05), P(0.76, 0.82), P(0.97, 0.9)}, End::HookUp);
        break;
    case 2: // 力
        pen.turnDown(f, P(0.1, 0.28), P(0.86, 0.28), P(0.8, 0.96), End::HookLeft);
        pen.leftFalling(f, P(0.5, 0.0), P(0.04, 0.96), 0.25);
        break;
    case 3: // 刀
        pen.turnDown(f, P(0.1, 0.1), P(0.86, 0.1), P(0.82, 0.96), End::HookLeft);
        pen.leftFalling(f, P(0.45, 0.12), P(0.04, 0.9), 0.3);
        break;
    case 4: // 乃
        pen.leftFalling(f, P(0.2, 0.05), P(0.06, 0.97), 0.0);
        pen.curve(f, {P(0.2, 0.05), P(0.72, 0.05), P(0.5, 0.42), P(0.92, 0.46), P(0.62, 0.95)},
                  End::HookLeft);
        break;
    case 5: // h
        pen.vertical(f, 0.15, 0.02, 0.98, End::Stop);
        pen.curve(f, {P(0.15, 0.48), P(0.8, 0.4), P(0.85, 0.98)}, End::Stop);
        break;
    case 6: // 丸
        pen.leftFalling(f, P(0.45, 0.02), P(0.03, 0.95), 0.2);
        pen.curve(f, {P(0.1, 0.32), P(0.68, 0.3), P(0.68, 0.86), P(0.96, 0.86)}, End::HookUp);
        pen.dot(f, P(0.22, 0.5), 0.16, 40);
        break;
    case 7: // 卩
        pen.vertical(f, 0.22, 0.05, 0.98, End::Stop);
        pen.turnDown(f, P(0.22, 0.1), P(0.85, 0.1), P(0.8, 0.62), End::HookLeft);
        break;
    case 8: // 阝
        pen.vertical(f, 0.22, 0.02, 0.98, End::Stop);
        pen.curve(f, {P(0.22, 0.05), P(0.78, 0.05), P(0.45, 0.36), P(0.82, 0.58), P(0.3, 0.78)}, End::Taper);
        break;
    default: // 丂
        pen.horizontal(f, 0.05, 0.06, 0.95);
        pen.curve(f, {P(0.3, 0.1), P(0.22, 0.42), P(0.82, 0.42), P(0.74, 0.95)}, End::HookLeft);
        break;
    }
}

// Group 7: dots and the strokes of water.
void water(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 10) {
    case 0: // 氵
        pen.dot(f, P(0.12, 0.04), 0.18, 45);
        pen.dot(f, P(0.04, 0.34), 0.18, 40);
        pen.leftFalling(f, P(0.05, 0.92), P(0.38, 0.58), 0.0);
        break;
    case 1: // 冫
        pen.dot(f, P(0.1, 0.2), 0.2, 45);
        pen.leftFalling(f, P(0.05, 0.88), P(0.4, 0.52), 0.0);
        break;
    case 2: // 水
        pen.vertical(f, 0.5, 0.02, 0.94, End::HookLeft);
        pen.curve(f, {P(0.08, 0.3), P(0.38, 0.3), P(0.05, 0.82)}, End::Taper);
        pen.leftFalling(f, P(0.88, 0.2), P(0.55, 0.45), 0.0);
        pen.rightFalling(f, P(0.56, 0.44), P(0.9, 0.94));
        break;
    case 3: // 灬
        pen.dot(f, P(0.1, 0.7), 0.22, 115);
        pen.dot(f, P(0.36, 0.72), 0.22, 80);
        pen.dot(f, P(0.6, 0.72), 0.22, 70);
        pen.dot(f, P(0.86, 0.7), 0.22, 50);
        break;
    case 4: // 小
        pen.vertical(f, 0.5, 0.02, 0.94, End::HookLeft);
        pen.dot(f, P(0.25, 0.32), 0.25, 120);
        pen.dot(f, P(0.75, 0.32), 0.25, 55);
        break;
    case 5: // 心
        pen.dot(f, P(0.06, 0.55), 0.22, 60);
        pen.curve(f, {P(0.28, 0.25), P(0.32, 0.84), P(0.78, 0.86)}, End::HookUp);
        pen.dot(f, P(0.48, 0.2), 0.2, 60);
        pen.dot(f, P(0.82, 0.34), 0.22, 60);
        break;
    case 6: // 忄
        pen.vertical(f, 0.5, 0.02, 0.98, End::Stop);
        pen.dot(f, P(0.22, 0.3), 0.22, 100);
        pen.dot(f, P(0.72, 0.25), 0.18, 55);
        break;
    case 7: // 氺
        pen.vertical(f, 0.5, 0.02, 0.94, End::HookLeft);
        pen.dot(f, P(0.15, 0.28), 0.2, 35);
        pen.leftFalling(f, P(0.35, 0.55), P(0.05, 0.82), 0.0);
        pen.dot(f, P(0.8, 0.25), 0.2, 125);
        pen.rightFalling(f, P(0.62, 0.5), P(0.9, 0.86));
        break;
    case 8: // 丷 over a line
        pen.dot(f, P(0.28, 0.04), 0.22, 60);
        pen.dot(f, P(0.72, 0.04), 0.22, 120);
        pen.vertical(f, 0.5, 0.3, 0.98, End::Taper);
        break;
    default: // 求's strokes
        pen.horizontal(f, 0.05, 0.2, 0.95);
        pen.vertical(f, 0.5, 0.02, 0.94, End::HookLeft);
        pen.dot(f, P(0.82, 0.02), 0.14, 45);
        pen.dot(f, P(0.15, 0.42), 0.18, 30);
        pen.leftFalling(f, P(0.38, 0.6), P(0.05, 0.85), 0.0);
        pen.rightFalling(f, P(0.58, 0.45), P(0.9, 0.92));
        break;
    }
}

// Group 8: winding strokes like る.
void windings(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 10) {
    case 0: // る
        pen.curve(f,
                  {P(0.15, 0.05), P(0.78, 0.05), P(0.1, 0.62), P(0.62, 0.45), P(0.9, 0.72), P(0.6, 0.95),
                   P(0.32, 0.86), P(0.5, 0.72)},
                  End::Taper);
        break;
    case 1: // ろ
        pen.curve(f, {P(0.15, 0.05), P(0.78, 0.05), P(0.1, 0.6), P(0.66, 0.46), P(0.88, 0.75), P(0.3, 0.96)},
                  End::Taper);
        break;
    case 2: // 乙
        pen.curve(f, {P(0.1, 0.1), P(0.85, 0.1), P(0.12, 0.86), P(0.5, 0.9), P(0.94, 0.86)}, End::HookUp);
        break;
    case 3: // 己
        pen.turnDown(f, P(0.1, 0.08), P(0.86, 0.08), P(0.85, 0.45), End::Stop);
        pen.horizontal(f, 0.12, 0.46, 0.85);
        pen.turnRight(f, P(0.12, 0.46), P(0.12, 0.9), P(0.95, 0.9), End::HookUp);
        break;
    case 4: // 弓
        pen.turnDown(f, P(0.1, 0.06), P(0.82, 0.06), P(0.8, 0.34), End::Stop);
        pen.horizontal(f, 0.12, 0.34, 0.8);
        pen.turnRight(f, P(0.12, 0.34), P(0.12, 0.58), P(0.86, 0.58), End::Stop);
        pen.curve(f, {P(0.86, 0.58), P(0.82, 0.9), P(0.55, 0.96)}, End::HookLeft);
        break;
    case 5: // 了
        pen.curve(f, {P(0.1, 0.08), P(0.82, 0.08), P(0.48, 0.36)}, End::Stop);
        pen.vertical(f, 0.5, 0.36, 0.94, End::HookLeft);
        break;
    case 6: // ㄋ
        pen.curve(f, {P(0.1, 0.1), P(0.8, 0.08), P(0.35, 0.45), P(0.85, 0.5), P(0.6, 0.92)}, End::HookLeft);
        pen.vertical(f, 0.12, 0.1, 0.95, End::Taper);
        break;
    case 7: // し with a dot
        pen.curve(f, {P(0.18, 0.08), P(0.2, 0.72), P(0.5, 0.9), P(0.94, 0.82)}, End::HookUp);
        pen.dot(f, P(0.55, 0.25), 0.2, 50);
        break;
    case 8: // 巳
        pen.turnDown(f, P(0.1, 0.1), P(0.86, 0.1), P(0.85, 0.5), End::Stop);
        pen.horizontal(f, 0.12, 0.5, 0.85);
        pen.turnRight(f, P(0.12, 0.1), P(0.12, 0.9), P(0.95, 0.9), End::HookUp);
        break;
    default: { // a zigzag of the hand's own
        std::vector<P> points;
        const int turns = 3 + pen.rng().below(3);
        for (int i = 0; i <= turns; ++i) {
            const double y = 0.05 + 0.9 * i / turns;
            points.emplace_back(i % 2 == 0 ? r(pen, 0.05, 0.3) : r(pen, 0.7, 0.95), y);
        }
        pen.curve(f, points, End::HookLeft);
        break;
    }
    }
}

// Group 9: 反 and its relatives: a hanging or a slant over 又.
void turnings(Pen &pen, const Frame &f, int variant)
{
    switch (variant % 8) {
    case 0: // 反
        pen.horizontal(f, 0.1, 0.06, 0.95);
        pen.leftFalling(f, P(0.12, 0.06), P(-0.02, 0.95), 0.1);
        drawYou(pen, f.part(0.3, 0.3, 1.0, 1.0));
        break;
    case 1: // 友
        pen.horizontal(f, 0.05, 0.28, 0.92);
        pen.leftFalling(f, P(0.45, 0.0), P(0.0, 0.95), 0.3);
        drawYou(pen, f.part(0.36, 0.4, 1.0, 1.0));
        break;
    case 2: // 攵
        pen.leftFalling(f, P(0.4, 0.0), P(0.14, 0.36), 0.0);
        pen.horizontal(f, 0.3, 0.2, 0.92);
        pen.leftFalling(f, P(0.66, 0.2), P(0.05, 0.96), 0.3);
        pen.rightFalling(f, P(0.35, 0.48), P(0.92, 0.97));
        break;
    case 3: // 殳
        pen.curve(f, {P(0.28, 0.04), P(0.25, 0.3), P(0.1, 0.42)}, End::Taper);
        pen.curve(f, {P(0.28, 0.04), P(0.7, 0.04), P(0.72, 0.36), P(0.88, 0.36)}, End::HookUp);
        drawYou(pen, f.part(0.0, 0.46, 1.0, 1.0));
        break;
    case 4: // 支
        pen.horizontal(f, 0.05, 0.18, 0.95);
        pen.vertical(f, 0.5, 0.0, 0.44, End::Stop);
        drawYou(pen, f.part(0.0, 0.44, 1.0, 1.0));
        break;
    case 5: // 皮
        pen.turnDown(f, P(0.12, 0.16), P(0.9, 0.16), P(0.85, 0.36), End::HookLeft);
        pen.leftFalling(f, P(0.14, 0.16), P(0.0, 0.95), 0.1);
        pen.vertical(f, 0.52, 0.0, 0.4, End::Stop);
        drawYou(pen, f.part(0.25, 0.45, 1.0, 1.0));
        break;
    case 6: // 及
        pen.leftFalling(f, P(0.32, 0.05), P(0.0, 0.95), 0.2);
        pen.curve(f, {P(0.26, 0.08), P(0.72, 0.08), P(0.5, 0.4), P(0.88, 0.4), P(0.45, 0.92)}, End::Taper);
        pen.rightFalling(f, P(0.4, 0.5), P(0.94, 0.97));
        break;
    default: // 厂 over 乂
        pen.horizontal(f, 0.06, 0.06, 0.96);
        pen.leftFalling(f, P(0.09, 0.06), P(-0.02, 0.96), 0.15);
        pen.leftFalling(f, P(0.85, 0.32), P(0.3, 0.95), 0.1);
        pen.rightFalling(f, P(0.35, 0.35), P(0.9, 0.95));
        break;
    }
}

// Group 10: two parts of other groups side by side or one over the other.
void combinations(Pen &pen, const Frame &f, int variant)
{
    constexpr std::array<Shape, 7> kParts = {slantsAndPeople, spoons,   verticals, arches,
                                             water,           windings, turnings};
    // Index-driven choices keep every pair different; the hand still varies each one.
    const std::size_t first = static_cast<std::size_t>(variant % 7);
    const std::size_t second = static_cast<std::size_t>((variant / 7 + variant % 7 + 1) % 7);
    const int firstVariant = variant * 3 + 1;
    const int secondVariant = variant * 5 + 2;
    const double split = r(pen, 0.4, 0.55);
    if ((variant / 2) % 2 == 0) {
        kParts[first](pen, f.part(0.0, 0.0, split - 0.04, 1.0, 0.85), firstVariant);
        kParts[second](pen, f.part(split + 0.04, 0.0, 1.0, 1.0, 0.85), secondVariant);
    } else {
        kParts[first](pen, f.part(0.0, 0.0, 1.0, split - 0.04, 0.85), firstVariant);
        kParts[second](pen, f.part(0.0, split + 0.04, 1.0, 1.0, 0.85), secondVariant);
    }
}

// Small strokes added beside a shape (which then gets a smaller frame), so that elements sharing
// a shape still differ at a glance.
enum class Accents { Own, Open, Enclosure };

int accentCount(Accents kind)
{
    switch (kind) {
    case Accents::Own:
        return 1;
    case Accents::Open:
        return 10;
    case Accents::Enclosure:
        return 9;
    }
    return 1;
}

// Accents for shapes with open space around them.
Frame openAccent(Pen &pen, const Frame &f, int accent)
{
    switch (accent) {
    case 1: // 一 above
        pen.horizontal(f, 0.15, 0.02, 0.85);
        return f.part(0.0, 0.2, 1.0, 1.0);
    case 2: // 丶 above
        pen.dot(f, P(0.47, -0.02), 0.14, 70);
        return f.part(0.0, 0.18, 1.0, 1.0);
    case 3: // 丶 at the left
        pen.dot(f, P(-0.02, 0.42), 0.14, 30);
        return f.part(0.2, 0.0, 1.0, 1.0);
    case 4: // two dots below
        pen.dot(f, P(0.3, 0.84), 0.14, 115);
        pen.dot(f, P(0.68, 0.84), 0.14, 65);
        return f.part(0.0, 0.0, 1.0, 0.78);
    case 5: // 刂 at the right
        pen.vertical(f, 0.78, 0.12, 0.62, End::Stop);
        pen.vertical(f, 0.95, 0.0, 1.0, End::HookLeft);
        return f.part(0.0, 0.0, 0.68, 1.0);
    case 6: // 亻 at the left
        pen.leftFalling(f, P(0.22, 0.0), P(0.0, 0.4), 0.1);
        pen.vertical(f, 0.13, 0.25, 1.0, End::Stop);
        return f.part(0.3, 0.0, 1.0, 1.0);
    case 7: // 一 below
        pen.horizontal(f, 0.0, 0.97, 1.0);
        return f.part(0.0, 0.0, 1.0, 0.82);
    case 8: // 丶 in the upper right corner
        pen.dot(f, P(0.92, -0.02), 0.13, 60);
        return f.part(0.0, 0.1, 0.84, 1.0);
    case 9: // 儿 below
        pen.leftFalling(f, P(0.35, 0.78), P(0.04, 1.0), 0.1);
        pen.turnRight(f, P(0.62, 0.76), P(0.62, 0.98), P(0.96, 0.98), End::HookUp);
        return f.part(0.0, 0.0, 1.0, 0.7);
    default:
        return f;
    }
}

// Accents for enclosures: they stay outside the frame, whose inside is where other elements go.
Frame enclosureAccent(Pen &pen, const Frame &f, int accent)
{
    switch (accent) {
    case 1: // 丶 on top
        pen.dot(f, P(0.47, -0.03), 0.13, 70);
        return f.part(0.0, 0.16, 1.0, 1.0);
    case 2: // 亠 on top
        pen.dot(f, P(0.47, -0.04), 0.1, 70);
        pen.horizontal(f, 0.05, 0.13, 0.95);
        return f.part(0.0, 0.26, 1.0, 1.0);
    case 3: // tall and narrow
        return f.part(0.15, 0.0, 0.85, 1.0);
    case 4: // low and wide
        return f.part(0.0, 0.14, 1.0, 0.86);
    case 5: // 丶 outside on the left
        pen.dot(f, P(-0.03, 0.45), 0.13, 30);
        return f.part(0.17, 0.0, 1.0, 1.0);
    case 6: // 一 underneath
        pen.horizontal(f, 0.0, 0.97, 1.0);
        return f.part(0.0, 0.0, 1.0, 0.8);
    case 7: // 丨 on top
        pen.vertical(f, 0.5, -0.03, 0.14, End::Stop);
        return f.part(0.0, 0.14, 1.0, 1.0);
    case 8: // 丶 outside on the right
        pen.dot(f, P(0.9, 0.25), 0.13, 60);
        return f.part(0.0, 0.0, 0.84, 1.0);
    default:
        return f;
    }
}

struct Group {
    Shape shape;
    int shapes; // how many distinct shapes shape() draws
    Accents accents;
};

constexpr std::array<Group, 11> kGroups = {{
    {crownsAndHangings, 45, Accents::Own},
    {slantsAndPeople, 15, Accents::Open},
    {spoons, 9, Accents::Open},
    {enclosuresA, 9, Accents::Enclosure},
    {enclosuresB, 9, Accents::Enclosure},
    {verticals, 15, Accents::Open},
    {arches, 10, Accents::Open},
    {water, 10, Accents::Open},
    {windings, 10, Accents::Open},
    {turnings, 8, Accents::Open},
    {combinations, 1000, Accents::Own},
}};

constexpr int kPaletteGroups = static_cast<int>(kGroups.size());

} // namespace

QImage drawElement(int id, int page, int index)
{
    Rng rng(0x51A7E0000ull + static_cast<std::uint64_t>(id) * 0x100000001B3ull);
    Pen pen(rng, rng.range(0.062, 0.076));
    // The margin keeps an element legible when the palette shows it at a seventh of this size.
    const double margin = 0.12 + rng.range(0.0, 0.02);
    const Frame frame{QRectF(margin, margin, 1.0 - 2 * margin, 1.0 - 2 * margin)};
    // Shape and accent follow the position on the page, so that no two elements of a group share
    // both; the hand varies everything else.
    const Group &group = kGroups[static_cast<std::size_t>(std::clamp(page, 0, kPaletteGroups - 1))];
    const int shape = index % group.shapes;
    const int accent = (index / group.shapes) % accentCount(group.accents);
    switch (group.accents) {
    case Accents::Own:
        group.shape(pen, frame, index);
        break;
    case Accents::Open:
        group.shape(pen, openAccent(pen, frame, accent), shape);
        break;
    case Accents::Enclosure:
        group.shape(pen, enclosureAccent(pen, frame, accent), shape);
        break;
    }
    return renderTwoColour(pen.strokes(), kPictureSide);
}

} // namespace quorvel::art
