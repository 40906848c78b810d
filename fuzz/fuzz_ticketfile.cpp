// Fuzzes the ticket file's listing, one-line removal and cancel-all on arbitrary file content.
// The bytes that survive are compared with the file cut into its lines independently of the
// program's reader: a one-line removal leaves every byte but that line's (or the line of six
// commas, in front of a Ctrl+Z that ended the file), a cancel-all every byte but the draw's
// lines (or deletes a file with no line of any draw left). The program's own reading must
// agree: the other listed lines stay listed, in order, and no line of the draw is left.
#include "core/common/DomainError.h"
#include "core/tickets/TicketWrite.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace
{

constexpr int kDraw = 700;

// One physical line of the file: its bytes, line end included. A line ends after LF, after a
// CR not followed by LF, and at a Ctrl+Z, which stands alone.
struct Piece {
    QByteArray bytes;
    bool isLine = false;      // holds a character other than blanks, control characters, line ends
    bool ofDraw = false;      // a line naming draw 700
    bool namesNothing = true; // a line of commas and blanks only, as a cancel leaves
};

QVector<Piece> piecesOf(const QByteArray &data)
{
    QVector<Piece> pieces;
    qsizetype start = 0;
    const auto cut = [&](qsizetype end) {
        if (end > start)
            pieces.append({data.mid(start, end - start)});
        start = end;
    };
    for (qsizetype i = 0; i < data.size(); ++i) {
        const char c = data.at(i);
        if (c == '\x1a') {
            cut(i);
            cut(i + 1);
        } else if (c == '\n' || (c == '\r' && (i + 1 == data.size() || data.at(i + 1) != '\n'))) {
            cut(i + 1);
        }
    }
    cut(data.size());
    for (Piece &piece : pieces) {
        QByteArray text = piece.bytes;
        while (!text.isEmpty() && (text.endsWith('\n') || text.endsWith('\r')))
            text.chop(1);
        qsizetype lead = 0;
        while (lead < text.size() && static_cast<unsigned char>(text.at(lead)) <= 32)
            ++lead;
        piece.isLine = lead < text.size();
        if (!piece.isLine)
            continue;
        const QString line = QString::fromUtf8(text.mid(lead));
        piece.ofDraw = readTicketLine(line).draw == kDraw;
        for (const QChar ch : line)
            piece.namesNothing = piece.namesNothing && (ch == u',' || ch.unicode() <= 32);
    }
    return pieces;
}

QByteArray readBack(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

void writeOut(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(data);
}

bool onlyBlanks(const QByteArray &data)
{
    for (const char c : data)
        if (static_cast<unsigned char>(c) > 32)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("700.csv"));
    const QByteArray original(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QVector<Piece> pieces = piecesOf(original);
    try {
        // One line removed.
        writeOut(path, original);
        const TicketListing before = listTicketFile(path, kDraw);
        int ofDraw = 0;
        for (const Piece &piece : pieces)
            ofDraw += piece.ofDraw;
        if (before.rows().size() != ofDraw)
            std::abort(); // the reader and the independent cut see other lines
        if (!before.rows().isEmpty()) {
            const int row = size > 0 ? data[0] % before.rows().size() : 0;
            if (removeListedTicketLine(path, kDraw, before.rows(), row) != TicketRemoval::Removed)
                std::abort(); // nothing changed the file in between
            QByteArray expected;
            int seen = 0;
            for (const Piece &piece : pieces)
                if (!piece.ofDraw || seen++ != row)
                    expected += piece.bytes;
            if (onlyBlanks(expected)) {
                qsizetype marks = 0;
                while (marks < expected.size() && expected.at(expected.size() - 1 - marks) == 26)
                    ++marks;
                expected = kEmptyTicketLine + expected.right(marks);
            }
            if (readBack(path) != expected)
                std::abort();
            QVector<QStringList> listed = before.rows();
            listed.removeAt(row);
            if (listTicketFile(path, kDraw).rows() != listed)
                std::abort();
        }

        // Every line of the draw cancelled.
        writeOut(path, original);
        if (!removeDrawTicketLines(path, kDraw))
            std::abort();
        QByteArray expected;
        bool anyLineLeft = false;
        for (const Piece &piece : pieces) {
            if (piece.ofDraw)
                continue;
            expected += piece.bytes;
            anyLineLeft = anyLineLeft || (piece.isLine && !piece.namesNothing);
        }
        if (QFile::exists(path) != anyLineLeft)
            std::abort();
        if (anyLineLeft) {
            if (readBack(path) != expected)
                std::abort();
            for (const TicketLine &line : readAllTicketLines(path))
                if (line.draw == kDraw)
                    std::abort();
        }
    } catch (const DomainError &) {
        // A file the reader cannot take is reported, not a crash.
    }
    return 0;
}
