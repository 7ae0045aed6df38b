#pragma once

#include "store/HeaderRecord.h"
#include "store/StoreError.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace krx {

// A list file: the three-byte format mark, then HeaderRecords of 216 bytes each, record i at
// byte 3 + 216 i. The record index is the header's identity inside its list.
class ListFile {
public:
    static constexpr int markBytes = 3;
    static const QByteArray mark;

    explicit ListFile(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }
    bool exists() const;

    // A file of any other length than 3 + 216 n is corrupt and is neither read nor written.
    FileResult<int> recordCount() const;

    FileResult<HeaderRecord> ReadHeader(int index) const;
    // Writes the record at its index, or appends it when index is negative (a missing or empty
    // file gets the mark first, so that it never lacks one). A failed append leaves the file as
    // long as it was. Returns the index written.
    FileResult<int> WriteHeader(const HeaderRecord &record, int index) const;
    FileResult<int> AppendRaw(const HeaderRecord &record) const { return WriteHeader(record, -1); }
    // Replaces the status byte of one record only.
    FileStatus SetHeaderStatus(int index, char status) const;

    // Creates a list file holding only the mark; an existing file is left alone.
    FileStatus create() const;
    // The first three bytes, as far as there are any.
    FileResult<QByteArray> leadingBytes() const;

    // Calls visit(index, record) for every record in file order, reading `blockSize` records
    // at a time.
    using Visitor = std::function<void(int index, const HeaderRecord &record)>;
    FileStatus scan(int blockSize, const Visitor &visit) const;

private:
    QString path_;
};

// Every header of one list, as the lists window shows them. Reading touches nothing but the
// file at `path`, so it may run in a worker thread.
struct ListContents {
    std::vector<HeaderRecord> records;
    std::optional<FileError> error;
};
ListContents readListFile(const QString &path, int blockSize);

// The index of the last record whose number is not above the seen mark, or -1.
int lastSeenIndex(const std::vector<HeaderRecord> &records, qint32 seenMark);

} // namespace krx

Q_DECLARE_METATYPE(krx::ListContents)
