#pragma once

#include <QByteArray>
#include <QMetaType>
#include <algorithm>
#include <array>
#include <cstring>

namespace krx {

// The status letters of a header, the only values the store writes.
namespace status {
inline constexpr char New = ' ';
inline constexpr char ToFetch = 'r';
inline constexpr char Unread = 'R';
inline constexpr char SevenPlus = '+';
inline constexpr char Read = 'Y';
inline constexpr char ToKill = 'K';
inline constexpr char NotSent = 'N';
inline constexpr char Unfinished = 'H';
inline constexpr char FetchFailed = '-';
} // namespace status

// NUL-terminated 8-bit text in a fixed array of `Width` bytes. A longer value is cut to
// `capacity` so that the terminating NUL always fits; unused bytes are zero. Bytes read from
// a file are kept as they were, so a record read and written again is unchanged.
template <int Width> class FixedText {
public:
    static constexpr int width = Width;
    static constexpr int capacity = Width - 1;

    FixedText() = default;
    FixedText(const QByteArray &text) { assign(text); }
    FixedText &operator=(const QByteArray &text) {
        assign(text);
        return *this;
    }

    QByteArray text() const { return QByteArray(bytes_.data(), length()); }
    int length() const { return int(qstrnlen(bytes_.data(), capacity)); }
    bool isEmpty() const { return bytes_[0] == '\0'; }

    void load(const char *source) { std::memcpy(bytes_.data(), source, Width); }
    void store(char *target) const { std::memcpy(target, bytes_.data(), Width); }

    bool operator==(const FixedText &) const = default;

private:
    void assign(const QByteArray &text) {
        bytes_.fill('\0');
        std::memcpy(bytes_.data(), text.constData(), std::min<qsizetype>(text.size(), capacity));
    }

    std::array<char, Width> bytes_{};
};

// One message header as stored in a list file: 216 bytes, little-endian, dates as days
// since 1899-12-30 (local time).
struct HeaderRecord {
    static constexpr int byteSize = 216;

    char kind = '\0';
    char status = '\0';
    qint32 number = 0;
    qint32 size = 0;
    FixedText<7> from;
    FixedText<41> via;
    FixedText<7> to;
    FixedText<81> title;
    double bbs_time = 0;
    double stored_time = 0;
    FixedText<20> forward_bbs;
    qint32 bbs_number = 0;
    FixedText<20> bid;

    // Writes exactly byteSize bytes; padding bytes are zero.
    void encodeInto(char *target) const;
    QByteArray encode() const;
    // Reads byteSize bytes.
    static HeaderRecord decode(const char *source);

    bool operator==(const HeaderRecord &) const = default;
};

} // namespace krx

Q_DECLARE_METATYPE(krx::HeaderRecord)
