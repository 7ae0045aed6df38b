#include "tncsim/LineBuffer.h"

namespace krx::tncsim {

QByteArrayList LineBuffer::add(const QByteArray &data) {
    rest_ += data;
    QByteArrayList lines;
    for (qsizetype end = rest_.indexOf('\r'); end >= 0; end = rest_.indexOf('\r')) {
        lines << rest_.left(end + 1);
        rest_.remove(0, end + 1);
    }
    if (rest_.size() > kMaxLine)
        lines << takeRest();
    return lines;
}

} // namespace krx::tncsim
