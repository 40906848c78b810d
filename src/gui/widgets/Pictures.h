#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// Pictures the program draws itself. Each is painted at the size and device pixel ratio it is
// shown at, from shapes rather than from a small bitmap, so it stays sharp at 125 to 200 %.

// The colours of the disc of lottery number n (1..43). The face cycles with the number: blue,
// navy, yellow, lime, aqua, fuchsia; it runs from `shine` (the lighter top left) to `face` at
// the rim. The numeral is white on the dark discs and black on the light ones, whichever
// stands out more.
struct DiscColours {
    QColor face;
    QColor shine;
    QColor numeral;
};
DiscColours discColours(int n);

// The contrast ratio of two colours by their relative luminance, as the Web Content
// Accessibility Guidelines define it: 1 (the same) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The disc of lottery number n as a picture of 32 x 32 points on a transparent background,
// painted for the given device pixel ratio (32·ratio pixels a side).
QPixmap numberDisc(int n, qreal devicePixelRatio = 1.0);
// The same disc as an icon, painted at whatever size and ratio a button shows it.
QIcon numberDiscIcon(int n);

// Small pictures of the bitmap buttons, named after what they show.
enum class ButtonPicture {
    PointingHand,      // ＄ヨルネ＄
    HandWithSheet,     // 決定, 反映
    RedCross,          // 取消
    SheetIntoDiskette, // 保存
    HandWithPieces,    // 予想に反映
    SheetWithRedArrow, // 照合開始
    SmallChart,        // 傾向グラフ表示
    GreenTick,         // １行取消, 全て取消
};
// The icon is painted at the size it is shown; `size` is the size it offers when asked for
// its sizes.
QIcon buttonIcon(ButtonPicture picture, int size = 16);

// The program's own icon (a disc with "6"), drawn at each of the sizes the desktops ask for.
// The window shows it, and the build writes it out for the desktop menu and the Windows program
// file.
inline constexpr int kApplicationIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QImage applicationIconImage(int size);
QIcon applicationIcon();
