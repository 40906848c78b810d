#include "core/common/TextLines.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"

#include <QFile>
#include <QFileInfo>

QVector<TextLineSpan> splitTextLineSpans(const QByteArray &data, TextRules rules)
{
    constexpr char CR = 13;
    constexpr char LF = 10;
    constexpr char CtrlZ = 26;
    const auto endsLine = [](char c) { return c == CR || c == LF || c == CtrlZ; };

    QVector<TextLineSpan> spans;
    const char *const begin = data.constData();
    const char *p = begin;
    const char *const end = p + data.size();
    // Consumes the line end at p: CR LF, a bare CR or a bare LF (never Ctrl+Z).
    const auto passLineEnd = [&p, end] {
        if (p < end && *p == CR) {
            ++p;
            if (p < end && *p == LF)
                ++p;
        } else if (p < end && *p == LF) {
            ++p;
        }
    };
    for (;;) {
        const char *lead = p;
        while (p < end && static_cast<unsigned char>(*p) <= 32 && !endsLine(*p))
            ++p;
        if (p == end || (*p == CtrlZ && rules == TextRules::ResultsFile))
            break;
        if (*p == CtrlZ) { // in a ticket file, no line's and no end
            ++p;
            continue;
        }
        if (*p == CR || *p == LF) { // an empty line, or one of blanks
            if (rules == TextRules::ResultsFile)
                break;
            passLineEnd();
            continue;
        }
        const char *start = p;
        while (p < end && !endsLine(*p))
            ++p;
        QString text = QString::fromUtf8(start, static_cast<qsizetype>(p - start));
        passLineEnd();
        spans.append({std::move(text), lead - begin, p - begin});
    }
    return spans;
}

QStringList splitTextLines(const QByteArray &data, TextRules rules)
{
    QStringList lines;
    const QVector<TextLineSpan> spans = splitTextLineSpans(data, rules);
    lines.reserve(spans.size());
    for (const TextLineSpan &span : spans)
        lines.append(span.text);
    return lines;
}

QStringList readTextLines(const QString &path, TextRules rules)
{
    QFile file(path);
    if (!QFileInfo::exists(path))
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("を開けません"), path, file));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DomainError(fileErrorMessage(QStringLiteral("を読み込めません"), path, file));
    return splitTextLines(data, rules);
}
