#include "TextLines.h"

#include "app/DomainError.h"
#include "app/FileErrors.h"

#include <QFile>
#include <QFileInfo>

QVector<TextLineSpan> splitTextLineSpans(const QByteArray &data)
{
    constexpr char CR = 13;
    constexpr char LF = 10;
    constexpr char CtrlZ = 26;

    QVector<TextLineSpan> spans;
    const char *const begin = data.constData();
    const char *p = begin;
    const char *const end = p + data.size();
    for (;;) {
        const char *lead = p;
        while (p < end && static_cast<unsigned char>(*p) <= 32 && *p != CR && *p != CtrlZ)
            ++p;
        if (p == end || *p == CR || *p == CtrlZ)
            break;
        const char *start = p;
        while (p < end && *p != CR && *p != CtrlZ)
            ++p;
        QString text = QString::fromUtf8(start, static_cast<qsizetype>(p - start));
        if (p < end && *p == CR) {
            ++p;
            if (p < end && *p == LF)
                ++p;
        }
        spans.append({std::move(text), lead - begin, p - begin});
    }
    return spans;
}

QStringList splitTextLines(const QByteArray &data)
{
    QStringList lines;
    const QVector<TextLineSpan> spans = splitTextLineSpans(data);
    lines.reserve(spans.size());
    for (const TextLineSpan &span : spans)
        lines.append(span.text);
    return lines;
}

QStringList readTextLines(const QString &path)
{
    QFile file(path);
    if (!QFileInfo::exists(path))
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("を開けません"), path, file));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DomainError(fileErrorMessage(QStringLiteral("を読み込めません"), path, file));
    return splitTextLines(data);
}
