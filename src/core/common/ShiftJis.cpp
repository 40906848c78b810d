#include "core/common/ShiftJis.h"

#include "core/common/DomainError.h"

#ifdef Q_OS_WIN
#include <limits>
#include <qt_windows.h>
#else
#include <QStringDecoder>
#endif

namespace
{

[[noreturn]] void noDecoder()
{
    throw DomainError(QStringLiteral("Shift-JIS の文字を読む仕組みがありません。"));
}

} // namespace

QString decodeShiftJis(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
#ifdef Q_OS_WIN
    // Code page 932 is part of every Windows, whatever the system's own code page.
    constexpr UINT kShiftJis = 932;
    if (bytes.size() > std::numeric_limits<int>::max())
        noDecoder();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(kShiftJis, 0, bytes.constData(), size, nullptr, 0);
    if (length <= 0)
        noDecoder();
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(kShiftJis, 0, bytes.constData(), size,
                        reinterpret_cast<wchar_t *>(text.data()), length);
    return text;
#else
    QStringDecoder shiftJis("Shift_JIS");
    if (!shiftJis.isValid())
        noDecoder();
    return shiftJis.decode(bytes);
#endif
}
