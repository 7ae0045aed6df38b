#pragma once

#include <QByteArray>

namespace krx {

// Breaks text into lines of at most `width` characters for sending or quoting:
// - a line whose CR LF has its CR within the first `width` characters is kept as it is;
// - a longer line is broken after its last blank from the second to the `width`th character,
//   or cut hard at `width` when there is none;
// - a break that falls just before a CR LF uses it, so no empty line is added;
// - a last line without CR LF is kept whole when it fits, and gets one.
// The result always ends with CR LF unless the text is empty. Widths below 1 count as 1.
QByteArray wrapLines(const QByteArray &text, int width);

} // namespace krx
