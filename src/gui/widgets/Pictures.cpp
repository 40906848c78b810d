#include "gui/widgets/Pictures.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>
#include <cmath>
#include <functional>
#include <iterator>

namespace
{

// The channel's share of light, from its sRGB value.
double linearChannel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &colour)
{
    return 0.2126 * linearChannel(colour.redF()) + 0.7152 * linearChannel(colour.greenF()) +
           0.0722 * linearChannel(colour.blueF());
}

// An icon painted from shapes on a square design grid, at the size and ratio asked for; its
// other modes (disabled, selected) are made from the painted picture as the style makes them
// from a bitmap.
class PaintedIconEngine : public QIconEngine
{
public:
    using Drawing = std::function<void(QPainter &)>;

    PaintedIconEngine(Drawing drawing, int gridSize, int offeredSize)
        : m_drawing(std::move(drawing)), m_gridSize(gridSize), m_offeredSize(offeredSize)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        shown.setDevicePixelRatio(ratio);
        const QSizeF points = shown.deviceIndependentSize();
        painter->drawPixmap(QPointF(rect.x() + (rect.width() - points.width()) / 2,
                                    rect.y() + (rect.height() - points.height()) / 2),
                            shown);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return QSize(side, side);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        if (side <= 0)
            return QPixmap();
        const quint64 key = (quint64(side) << 8) | quint64(mode);
        if (const auto cached = m_cache.constFind(key); cached != m_cache.constEnd())
            return *cached;
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        {
            QPainter p(&picture);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(side / qreal(m_gridSize), side / qreal(m_gridSize));
            m_drawing(p);
        }
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        m_cache.insert(key, picture);
        return picture;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {QSize(m_offeredSize, m_offeredSize)};
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("Loto6PaintedIcon"); }
    QIconEngine *clone() const override { return new PaintedIconEngine(*this); }

private:
    Drawing m_drawing;
    int m_gridSize;
    int m_offeredSize;
    QHash<quint64, QPixmap> m_cache; // by side and mode
};

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
    const DiscColours colours = discColours(n);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient shine(QPointF(12, 10), 20);
    shine.setColorAt(0, colours.shine);
    shine.setColorAt(1, colours.face);
    p.setPen(QPen(colours.face.darker(160), 1));
    p.setBrush(shine);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colours.numeral);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QString::number(n));
}

} // namespace

DiscColours discColours(int n)
{
    static const QColor cycle[] = {QColor(0, 0, 255), QColor(0, 0, 128),   QColor(255, 255, 0),
                                   QColor(0, 255, 0), QColor(0, 255, 255), QColor(255, 0, 255)};
    DiscColours colours;
    colours.face = cycle[(n - 1) % 6];
    const QColor white(Qt::white), black(Qt::black);
    const bool whiteNumeral =
        contrastRatio(white, colours.face) > contrastRatio(black, colours.face);
    colours.numeral = whiteNumeral ? white : black;
    // The shine lightens the face: a little under white numerals, which it pales, more under
    // black ones, which it only sets off.
    colours.shine = colours.face.lighter(whiteNumeral ? 120 : 150);
    return colours;
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QPixmap numberDisc(int n, qreal devicePixelRatio)
{
    QPixmap pixmap = numberDiscIcon(n).pixmap(QSize(32, 32), devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon numberDiscIcon(int n)
{
    return QIcon(new PaintedIconEngine([n](QPainter &p) { drawDisc(p, n); }, 32, 32));
}

namespace
{

void drawButtonPicture(QPainter &p, ButtonPicture picture)
{
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
}

} // namespace

QIcon buttonIcon(ButtonPicture picture, int size)
{
    return QIcon(
        new PaintedIconEngine([picture](QPainter &p) { drawButtonPicture(p, picture); }, 16, size));
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

namespace
{

// The program's icon as an icon of a pixmap at each of kApplicationIconSizes, each painted
// only when first asked for: a window system takes one or two sizes, and the largest take
// the longest to paint. It answers as an icon of those pixmaps does: the smallest size at
// least as large as asked for, else the largest, scaled down to fit; the disabled and selected
// modes are made from it as the style makes them from a bitmap.
class ApplicationIconEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio =
            painter->device() ? painter->device()->devicePixelRatioF() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return fitted(size, chosenSide(size));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = chosenSide(size);
        auto painted = m_painted.constFind(side);
        if (painted == m_painted.constEnd())
            painted = m_painted.insert(side, QPixmap::fromImage(applicationIconImage(side)));
        QPixmap picture = *painted;
        const QSize shown = fitted(size, side);
        if (shown != picture.size())
            picture = picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap generated =
                QApplication::style()->generatedIconPixmap(mode, picture, &option);
            if (!generated.isNull())
                picture = generated;
        }
        return picture;
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int side : kApplicationIconSizes)
                sizes.append(QSize(side, side));
        return sizes;
    }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("Loto6ApplicationIcon"); }
    QIconEngine *clone() const override { return new ApplicationIconEngine(*this); }

private:
    // The smallest side whose area reaches the area asked for, else the largest.
    static int chosenSide(const QSize &size)
    {
        const qint64 asked = qint64(qMax(size.width(), 0)) * qMax(size.height(), 0);
        for (int side : kApplicationIconSizes)
            if (qint64(side) * side >= asked)
                return side;
        return std::end(kApplicationIconSizes)[-1];
    }
    // The square of that side, scaled down to fit where it is larger than asked for.
    static QSize fitted(const QSize &size, int side)
    {
        QSize shown(side, side);
        if (shown.width() > size.width() || shown.height() > size.height())
            shown.scale(size, Qt::KeepAspectRatio);
        return shown;
    }

    QHash<int, QPixmap> m_painted; // by side
};

} // namespace

QIcon applicationIcon()
{
    return QIcon(new ApplicationIconEngine);
}
