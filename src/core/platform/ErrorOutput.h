#pragma once

#include <QString>

// Writes a line of text to the error output, readable whatever reads it: on a Windows console
// in its own characters, elsewhere (a pipe, a file, a Unix terminal) as UTF-8, so that a
// program that started this one reads the same bytes on every system and in every language.
void writeErrorLine(const QString &text);
