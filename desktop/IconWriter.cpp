// Writes the program's icon for the desktops: one PNG per size in the hicolor icon theme's
// layout (<folder>/hicolor/<n>x<n>/apps/loto6yorune.png) and, for the Windows program file,
// <folder>/loto6yorune.ico holding every size. The pictures are the window's own icon.

#include "gui/widgets/Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>
#include <cstdio>

namespace
{

void append16(QByteArray &out, quint16 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), 2);
}

void append32(QByteArray &out, quint32 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), 4);
}

// An .ico file whose images are PNG streams, as Windows reads them since Vista.
QByteArray icoFile(const QList<QByteArray> &pngs, const QList<int> &sizes)
{
    QByteArray out;
    append16(out, 0); // reserved
    append16(out, 1); // an icon
    append16(out, quint16(pngs.size()));
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (int i = 0; i < pngs.size(); ++i) {
        const char side = char(sizes[i] >= 256 ? 0 : sizes[i]); // 0 stands for 256
        out.append(side).append(side).append('\0').append('\0');
        append16(out, 1);  // colour planes
        append16(out, 32); // bits per pixel
        append32(out, quint32(pngs[i].size()));
        append32(out, offset);
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray &png : pngs)
        out.append(png);
    return out;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: loto6_icons <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QList<QByteArray> pngs;
    QList<int> sizes;
    for (int size : kApplicationIconSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        applicationIconImage(size).save(&buffer, "PNG");
        const QString themed = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        if (png.isEmpty() || !QDir().mkpath(themed) ||
            !writeFile(themed + QStringLiteral("/loto6yorune.png"), png)) {
            std::fprintf(stderr, "loto6_icons: cannot write the %dx%d icon\n", size, size);
            return 1;
        }
        pngs.append(png);
        sizes.append(size);
    }
    if (!writeFile(folder + QStringLiteral("/loto6yorune.ico"), icoFile(pngs, sizes))) {
        std::fprintf(stderr, "loto6_icons: cannot write loto6yorune.ico\n");
        return 1;
    }
    return 0;
}
