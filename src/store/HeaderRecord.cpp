#include "store/HeaderRecord.h"

#include "store/RecordBytes.h"

namespace krx {

namespace {

// Byte offsets of the fields in the 216-byte record.
namespace offset {
constexpr int kind = 0;
constexpr int status = 1;
constexpr int number = 4;
constexpr int size = 8;
constexpr int from = 12;
constexpr int via = 19;
constexpr int to = 60;
constexpr int title = 67;
constexpr int bbsTime = 152;
constexpr int storedTime = 160;
constexpr int forwardBbs = 168;
constexpr int bbsNumber = 188;
constexpr int bid = 192;
} // namespace offset

} // namespace

void HeaderRecord::encodeInto(char *target) const {
    std::memset(target, 0, byteSize);
    target[offset::kind] = kind;
    target[offset::status] = status;
    putInt32(target + offset::number, number);
    putInt32(target + offset::size, size);
    from.store(target + offset::from);
    via.store(target + offset::via);
    to.store(target + offset::to);
    title.store(target + offset::title);
    putDouble(target + offset::bbsTime, bbs_time);
    putDouble(target + offset::storedTime, stored_time);
    forward_bbs.store(target + offset::forwardBbs);
    putInt32(target + offset::bbsNumber, bbs_number);
    bid.store(target + offset::bid);
}

QByteArray HeaderRecord::encode() const {
    QByteArray bytes(byteSize, '\0');
    encodeInto(bytes.data());
    return bytes;
}

HeaderRecord HeaderRecord::decode(const char *source) {
    HeaderRecord record;
    record.kind = source[offset::kind];
    record.status = source[offset::status];
    record.number = getInt32(source + offset::number);
    record.size = getInt32(source + offset::size);
    record.from.load(source + offset::from);
    record.via.load(source + offset::via);
    record.to.load(source + offset::to);
    record.title.load(source + offset::title);
    record.bbs_time = getDouble(source + offset::bbsTime);
    record.stored_time = getDouble(source + offset::storedTime);
    record.forward_bbs.load(source + offset::forwardBbs);
    record.bbs_number = getInt32(source + offset::bbsNumber);
    record.bid.load(source + offset::bid);
    return record;
}

} // namespace krx
