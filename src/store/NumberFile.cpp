#include "store/NumberFile.h"

#include "store/WholeFile.h"

#include <QFile>

namespace krx {

namespace {

qint32 numberOr0(const QByteArray &text) {
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

QByteArray NumberFile::format(const NumberLine &line) {
    return ' ' + QByteArray::number(line.first) + ' ' + QByteArray::number(line.seenMark);
}

NumberLine NumberFile::parse(const QByteArray &text) {
    const int lineEnd = text.indexOf('\n');
    const QByteArray line = (lineEnd < 0 ? text : text.left(lineEnd)).trimmed();
    const int space = line.indexOf(' ');
    if (space < 0)
        return {numberOr0(line), 0};
    return {numberOr0(line.left(space)), numberOr0(line.mid(space + 1))};
}

std::optional<NumberLine> NumberFile::read() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parse(file.readAll());
}

FileStatus NumberFile::write(const NumberLine &line) const {
    return writeWholeFile(path_, format(line) + "\r\n");
}

FileStatus NumberFile::writeVerified(const NumberLine &line, int attempts) const {
    for (int attempt = 1;; ++attempt) {
        const FileStatus written = write(line);
        if (written.ok() && read() == line)
            return written;
        if (attempt >= attempts)
            return written.ok() ? failedFile(path_, QStringLiteral("The line read back differs"))
                                : written;
    }
}

} // namespace krx
