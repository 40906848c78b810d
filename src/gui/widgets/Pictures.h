#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// Pictures the program draws itself.

// The 32 x 32 disc of lottery number n (1..43) on a transparent background. The disc colour
// cycles with the number: blue, navy, yellow, lime, aqua, fuchsia; the numeral is white, or
// black on yellow and aqua.
QPixmap numberDisc(int n);

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
QIcon buttonIcon(ButtonPicture picture, int size = 16);

// The program's own icon (a disc with "6"), drawn at each of the sizes the desktops ask for.
// The window shows it, and the build writes it out for the desktop menu and the Windows program
// file.
inline constexpr int kApplicationIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
QImage applicationIconImage(int size);
QIcon applicationIcon();
