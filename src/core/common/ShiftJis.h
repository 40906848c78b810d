#pragma once

#include <QByteArray>
#include <QString>

// Shift-JIS text (as Japanese Windows writes it: code page 932) read into Unicode. The same on
// every build of the program: Windows' own code page 932 on Windows, where Qt may have no
// decoder of that name, and Qt's decoder elsewhere. Bytes that are not Shift-JIS become
// replacement characters. Throws DomainError when this system cannot read Shift-JIS at all.
QString decodeShiftJis(const QByteArray &bytes);
