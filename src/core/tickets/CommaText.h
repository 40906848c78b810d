#pragma once

#include <QString>
#include <QStringList>

// The comma text of a grid row: how a row of cells becomes one line of text and back. The
// ticket files, the winning check and the CSV export all go through these two functions.

// Joins the cells, first to last, with ",". A cell holding a blank or control character
// (code 32 or lower), a double quote or a comma is enclosed in double quotes with each inner
// double quote doubled; an empty cell is written as nothing. Seven empty cells give ",,,,,,".
QString writeCommaText(const QStringList &cells);

// Reads a line into a row of `columns` cells, every cell empty to begin with.
// - Leading characters with code 1 to 32 are skipped.
// - A field starting with a double quote runs to the closing quote, a doubled quote inside
//   standing for one; an unclosed quote runs to the end of the line.
// - Any other field runs up to the next comma or the next character with code 32 or lower.
// - After a field, blanks are skipped, then one comma with the blanks behind it; a blank
//   alone also separates two fields; a comma at the end of the line adds no field.
// - The fields fill the cells from the left; an empty field is stored as a single blank;
//   fields beyond the last column are dropped. A NUL character ends the line.
QStringList readCommaText(const QString &line, int columns);
