#pragma once

#include <QtEndian>
#include <bit>
#include <cstring>

// Little-endian integers and IEEE doubles inside the store's binary records.
namespace krx {

inline qint32 getInt32(const char *source) {
    return qFromLittleEndian<qint32>(source);
}

inline void putInt32(char *target, qint32 value) {
    qToLittleEndian(value, target);
}

inline double getDouble(const char *source) {
    return std::bit_cast<double>(qFromLittleEndian<quint64>(source));
}

inline void putDouble(char *target, double value) {
    qToLittleEndian(std::bit_cast<quint64>(value), target);
}

} // namespace krx
