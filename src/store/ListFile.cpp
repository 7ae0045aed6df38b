#include "store/ListFile.h"

#include <QFile>
#include <QFileInfo>

namespace krx {

const QByteArray ListFile::mark = QByteArray("\x00\x00\x01", 3);

namespace {

constexpr qint64 offsetOf(int index) {
    return ListFile::markBytes + qint64(HeaderRecord::byteSize) * index;
}

bool wholeRecords(qint64 length) {
    return length >= ListFile::markBytes &&
           (length - ListFile::markBytes) % HeaderRecord::byteSize == 0;
}

int recordsIn(qint64 length) {
    return int((length - ListFile::markBytes) / HeaderRecord::byteSize);
}

FileError errorOf(const QFile &file) {
    return failedFile(file.fileName(), file.errorString());
}

FileError pastTheEnd(const QString &path, int index) {
    return failedFile(path, QStringLiteral("There is no header %1 in the list").arg(index));
}

} // namespace

bool ListFile::exists() const {
    return QFileInfo::exists(path_);
}

FileResult<int> ListFile::recordCount() const {
    const QFileInfo info(path_);
    if (!info.exists())
        return missingFile(path_);
    if (!wholeRecords(info.size()))
        return corruptFile(path_);
    return recordsIn(info.size());
}

FileResult<HeaderRecord> ListFile::ReadHeader(int index) const {
    QFile file(path_);
    if (!file.exists())
        return missingFile(path_);
    if (!file.open(QIODevice::ReadOnly))
        return errorOf(file);
    if (!wholeRecords(file.size()))
        return corruptFile(path_);
    if (index < 0 || index >= recordsIn(file.size()))
        return pastTheEnd(path_, index);
    QByteArray bytes(HeaderRecord::byteSize, '\0');
    if (!file.seek(offsetOf(index)) || file.read(bytes.data(), bytes.size()) != bytes.size())
        return errorOf(file);
    return HeaderRecord::decode(bytes.constData());
}

FileResult<int> ListFile::WriteHeader(const HeaderRecord &record, int index) const {
    QFile file(path_);
    // Unbuffered, so that a failed write is known at once and nothing is written later.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return errorOf(file);
    const qint64 length = file.size();
    const bool empty = length == 0;
    if (!empty && !wholeRecords(length))
        return corruptFile(path_);
    const int count = empty ? 0 : recordsIn(length);
    const int target = index < 0 ? count : index;
    if (target > count)
        return pastTheEnd(path_, index);

    const QByteArray bytes = record.encode();
    const bool written = file.write(mark) == markBytes && file.seek(offsetOf(target)) &&
                         file.write(bytes) == bytes.size();
    if (!written) {
        const FileError error = errorOf(file);
        if (target == count)
            file.resize(length); // no half record is left at the end
        return error;
    }
    return target;
}

FileStatus ListFile::SetHeaderStatus(int index, char status) const {
    const FileResult<int> count = recordCount();
    if (!count.ok())
        return count.error();
    if (index < 0 || index >= count.value())
        return pastTheEnd(path_, index);
    QFile file(path_);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) ||
        !file.seek(offsetOf(index) + 1) || !file.putChar(status))
        return errorOf(file);
    return Done{};
}

FileStatus ListFile::create() const {
    if (exists())
        return Done{};
    QFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(mark) != markBytes || !file.flush())
        return errorOf(file);
    return Done{};
}

FileResult<QByteArray> ListFile::leadingBytes() const {
    QFile file(path_);
    if (!file.exists())
        return missingFile(path_);
    if (!file.open(QIODevice::ReadOnly))
        return errorOf(file);
    return file.read(markBytes);
}

FileStatus ListFile::scan(int blockSize, const Visitor &visit) const {
    QFile file(path_);
    if (!file.exists())
        return missingFile(path_);
    if (!file.open(QIODevice::ReadOnly))
        return errorOf(file);
    if (!wholeRecords(file.size()))
        return corruptFile(path_);
    const int count = recordsIn(file.size());
    const int block = std::max(blockSize, 1);
    QByteArray buffer;
    if (!file.seek(markBytes))
        return errorOf(file);
    for (int first = 0; first < count; first += block) {
        const int inBlock = std::min(block, count - first);
        buffer.resize(qsizetype(inBlock) * HeaderRecord::byteSize);
        if (file.read(buffer.data(), buffer.size()) != buffer.size())
            return errorOf(file);
        for (int i = 0; i < inBlock; ++i)
            visit(first + i, HeaderRecord::decode(buffer.constData() + i * HeaderRecord::byteSize));
    }
    return Done{};
}

ListContents readListFile(const QString &path, int blockSize) {
    ListContents contents;
    const ListFile file(path);
    if (const FileResult<int> count = file.recordCount(); count.ok())
        contents.records.reserve(count.value());
    const FileStatus scanned = file.scan(blockSize, [&contents](int, const HeaderRecord &record) {
        contents.records.push_back(record);
    });
    if (!scanned.ok()) {
        contents.records.clear();
        contents.error = scanned.error();
    }
    return contents;
}

int lastSeenIndex(const std::vector<HeaderRecord> &records, qint32 seenMark) {
    for (int i = int(records.size()) - 1; i >= 0; --i)
        if (records[i].number <= seenMark)
            return i;
    return -1;
}

} // namespace krx
