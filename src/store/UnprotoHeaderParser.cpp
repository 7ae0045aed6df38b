#include "store/UnprotoHeaderParser.h"

#include "store/BbsDate.h"
#include "store/DateConversion.h"

namespace krx {

namespace {

// Takes words off the front of a text.
class Words {
public:
    explicit Words(QByteArray text) : rest_(text.trimmed()) {}

    const QByteArray &rest() const { return rest_; }
    bool empty() const { return rest_.isEmpty(); }

    QByteArray next() {
        const int space = rest_.indexOf(' ');
        const QByteArray word = space < 0 ? rest_ : rest_.left(space);
        rest_ = space < 0 ? QByteArray() : rest_.mid(space + 1).trimmed();
        return word;
    }
    // Cuts the text before `position` off and returns it.
    QByteArray take(int position) {
        const QByteArray taken = rest_.left(position);
        rest_ = rest_.mid(position).trimmed();
        return taken;
    }

private:
    QByteArray rest_;
};

} // namespace

UnprotoHeader ParseUnprotoHeader(const QByteArray &line, qint32 number, const QDateTime &now,
                                 const OemConversion &oem) {
    UnprotoHeader result;
    HeaderRecord &record = result.record;
    Words words(line);
    const QByteArray type = words.next();
    if (type.isEmpty())
        return result;
    record.kind = type.at(0);
    record.status = status::New;

    bool sizeOk = false;
    record.size = words.next().toInt(&sizeOk, 10);
    if (!sizeOk) {
        result.outcome = UnprotoHeader::Outcome::SizeError;
        return result;
    }

    const int at = words.rest().indexOf('@');
    if (at >= 1 && at <= 10) { // the @ stands at character 2 to 11
        record.to = words.take(at).trimmed();
        words.take(1);
        record.via = words.next();
    } else {
        record.to = words.next();
    }
    record.from = words.next();
    if (record.to.isEmpty() || record.from.isEmpty())
        return result;
    record.bbs_time = toRecordDate(unprotoDateTime(words.next(), now));
    record.title = oem.receivedToAnsi(words.rest());
    record.stored_time = toRecordDate(now);
    record.number = number;
    record.bbs_number = number;
    result.outcome = UnprotoHeader::Outcome::Parsed;
    return result;
}

} // namespace krx
