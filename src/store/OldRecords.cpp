#include "store/OldRecords.h"

#include "store/RecordBytes.h"

namespace krx {

namespace {

// A bulletin identifier that fills its whole field has no terminating NUL: it is too long
// for the new record and becomes empty.
void loadBid(FixedText<20> &bid, const char *source) {
    if (qstrnlen(source, 20) < 20)
        bid.load(source);
}

} // namespace

HeaderRecord decodeOldListRecord(const char *source) {
    HeaderRecord record;
    record.kind = source[0];
    record.status = source[1];
    record.number = getInt32(source + 4);
    record.size = getInt32(source + 8);
    record.from.load(source + 12);
    record.via.load(source + 19);
    record.to.load(source + 60);
    record.title.load(source + 67);
    record.bbs_time = getDouble(source + 148);
    record.stored_time = getDouble(source + 156);
    record.forward_bbs.load(source + 164);
    record.bbs_number = getInt32(source + 184);
    loadBid(record.bid, source + 188);
    return record;
}

ForeignRecord decodeForeignRecord(const char *source) {
    ForeignRecord old;
    HeaderRecord &record = old.header;
    record.kind = source[0];
    record.status = source[1];
    record.number = getInt32(source + 2);
    record.size = getInt32(source + 6);
    record.from.load(source + 10);
    record.via.load(source + 17);
    record.to.load(source + 58);
    record.title.load(source + 65);
    old.stamp = getInt32(source + 146);
    record.forward_bbs.load(source + 150);
    record.bbs_number = getInt32(source + 170);
    loadBid(record.bid, source + 174);
    return old;
}

} // namespace krx
