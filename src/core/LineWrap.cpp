#include "core/LineWrap.h"

#include <QByteArrayView>
#include <algorithm>

namespace krx {

QByteArray wrapLines(const QByteArray &text, int width) {
    static constexpr QByteArrayView lineEnd("\r\n");
    const qsizetype limit = std::max(width, 1);
    const QByteArrayView input(text);
    QByteArray wrapped;
    wrapped.reserve(text.size() + text.size() / limit * lineEnd.size() + lineEnd.size());

    qsizetype pos = 0;
    while (pos < input.size()) {
        const QByteArrayView rest = input.sliced(pos);
        // Only a CR within the limit counts, so look no further than the LF after it.
        const qsizetype cr = rest.first(std::min(limit + 1, rest.size())).indexOf(lineEnd);
        if (cr >= 0) {
            wrapped.append(rest.first(cr + lineEnd.size()));
            pos += cr + lineEnd.size();
            continue;
        }
        // A last line that fits stays whole.
        qsizetype take = rest.size();
        if (rest.size() > limit) {
            const qsizetype blank = rest.first(limit).lastIndexOf(' ');
            take = blank >= 1 ? blank + 1 : limit;
        }
        wrapped.append(rest.first(take));
        pos += take;
        // A break that falls just before the line's own CR LF uses it rather than adding an
        // empty line.
        if (input.sliced(pos).startsWith(lineEnd))
            pos += lineEnd.size();
        wrapped.append(lineEnd);
    }
    return wrapped;
}

} // namespace krx
