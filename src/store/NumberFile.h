#pragma once

#include "store/StoreError.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace krx {

// The one line of a list's number file: " A B". A is the local counter (personal list), the
// newest number (default list) or unused; B is the seen mark.
struct NumberLine {
    qint32 first = 0;
    qint32 seenMark = 0;

    bool operator==(const NumberLine &) const = default;
};

class NumberFile {
public:
    explicit NumberFile(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }

    static QByteArray format(const NumberLine &line);
    // The first line, trimmed: A before the first space, B after it; a missing or unreadable
    // number reads as 0.
    static NumberLine parse(const QByteArray &text);

    // Nothing when the file is missing or cannot be read.
    std::optional<NumberLine> read() const;
    // Writes the line whole: a crash never leaves half a line.
    FileStatus write(const NumberLine &line) const;
    // Writes and reads the line back, again up to `attempts` times, until they agree.
    FileStatus writeVerified(const NumberLine &line, int attempts) const;

private:
    QString path_;
};

} // namespace krx
