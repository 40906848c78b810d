#include "gui/widgets/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace
{

QColor discColour(int n)
{
    static const QColor cycle[] = {QColor(0, 0, 255), QColor(0, 0, 128),   QColor(255, 255, 0),
                                   QColor(0, 255, 0), QColor(0, 255, 255), QColor(255, 0, 255)};
    return cycle[(n - 1) % 6];
}

QColor numeralColour(int n)
{
    const int k = (n - 1) % 6;
    return (k == 2 || k == 4) ? Qt::black : Qt::white;
}

QPixmap canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawSheet(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 200), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 3)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void drawHand(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(150, 90, 40), 1));
    p.setBrush(QColor(255, 210, 160));
    QPainterPath palm;
    palm.addRoundedRect(
        QRectF(r.left(), r.top() + r.height() * 0.35, r.width() * 0.7, r.height() * 0.6), 2, 2);
    p.drawPath(palm);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.55, r.top() + r.height() * 0.35,
                             r.width() * 0.45, r.height() * 0.18),
                      2, 2);
}

// The disc of number n on a 32 x 32 design grid; the painter's scale sets the real size.
void drawDisc(QPainter &p, int n)
{
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(12, 10), 20);
    shine.setColorAt(0, discColour(n).lighter(150));
    shine.setColorAt(1, discColour(n));
    p.setPen(QPen(discColour(n).darker(160), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(numeralColour(n));
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QString::number(n));
}

} // namespace

QPixmap numberDisc(int n)
{
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    drawDisc(p, n);
    return pixmap;
}

QIcon buttonIcon(ButtonPicture picture, int size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    switch (picture) {
    case ButtonPicture::PointingHand: {
        drawHand(p, QRectF(1, 3, 11, 11));
        p.setBrush(QColor(255, 210, 160));
        p.drawRoundedRect(QRectF(8, 5, 7, 3), 1.5, 1.5);
        break;
    }
    case ButtonPicture::HandWithSheet:
        drawSheet(p, QRectF(6, 1, 9, 11));
        drawHand(p, QRectF(1, 5, 10, 10));
        break;
    case ButtonPicture::RedCross:
        p.setPen(QPen(QColor(220, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
        break;
    case ButtonPicture::SheetIntoDiskette:
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(40, 60, 160));
        p.drawRect(QRectF(4.5, 6.5, 10, 9));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 11.5, 6, 4));
        drawSheet(p, QRectF(1.5, 0.5, 7, 8));
        p.setPen(QPen(QColor(0, 128, 0), 1.5));
        p.drawLine(QPointF(9, 3), QPointF(12, 6));
        break;
    case ButtonPicture::HandWithPieces:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 0, 0));
        p.drawRect(QRectF(9, 1, 3, 3));
        p.setBrush(QColor(0, 160, 0));
        p.drawRect(QRectF(12.5, 3, 3, 3));
        p.setBrush(QColor(0, 0, 255));
        p.drawRect(QRectF(9.5, 5, 3, 3));
        drawHand(p, QRectF(1, 5, 10, 10));
        break;
    case ButtonPicture::SheetWithRedArrow: {
        drawSheet(p, QRectF(1.5, 1.5, 9, 12));
        p.setPen(QPen(QColor(220, 0, 0), 2));
        p.drawLine(QPointF(6, 10), QPointF(14, 10));
        p.setBrush(QColor(220, 0, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(15.5, 10), QPointF(11.5, 6.5), QPointF(11.5, 13.5)}));
        break;
    }
    case ButtonPicture::SmallChart: {
        p.setPen(QPen(Qt::black, 1));
        p.drawLine(QPointF(1.5, 1), QPointF(1.5, 14.5));
        p.drawLine(QPointF(1.5, 14.5), QPointF(15, 14.5));
        const QColor bars[] = {QColor(0, 0, 255), QColor(255, 0, 0), QColor(0, 160, 0)};
        const qreal heights[] = {6, 11, 8};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(bars[i]);
            p.drawRect(QRectF(3.5 + i * 4, 14 - heights[i], 3, heights[i]));
        }
        break;
    }
    case ButtonPicture::GreenTick:
        p.setPen(QPen(QColor(0, 170, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

QImage applicationIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0); // drawn, not scaled up: sharp at every size
    drawDisc(p, 6);
    return image;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : kApplicationIconSizes)
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
    return icon;
}
