#pragma once

#include "store/HeaderRecord.h"

namespace krx {

// The list record of the older list format: the same fields without alignment padding,
// 208 bytes, in files without a format mark.
inline constexpr int oldListRecordBytes = 208;
HeaderRecord decodeOldListRecord(const char *source);

// A record of the older terminal program's message store: 194 bytes, packed, with the
// date as one 32-bit time stamp. The importer gives the header its number and dates.
inline constexpr int foreignRecordBytes = 194;

struct ForeignRecord {
    HeaderRecord header; // number is the old number; dates are left zero
    qint32 stamp = 0;
};
ForeignRecord decodeForeignRecord(const char *source);

} // namespace krx
