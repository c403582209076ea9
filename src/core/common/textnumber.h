#pragma once

#include <QChar>
#include <QString>

namespace kelvane {

// The value 0–9 of a digit as typed on a Latin, Persian (U+06F0–U+06F9) or Arabic-Indic
// (U+0660–U+0669) keyboard; -1 for anything else.
int digitValue(QChar c);
// The text with every Persian and Arabic-Indic digit replaced by its ASCII digit.
QString asciiDigits(const QString &text);

// The decimal number a text begins with, leading blanks skipped (an optional sign, digits,
// an optional fraction); 0 when it begins with no number. " 4" is 4, "x" is 0, "12ab" is 12.
double leadingNumber(const QString &text);
// The whole number of the leading digits (blanks skipped, no sign); 0 when there are none.
// Saturates instead of overflowing.
qint64 leadingWholeNumber(const QString &text);
// A number as plain decimal text: no fraction digits when whole, no grouping.
QString plainNumber(double value);

} // namespace kelvane
