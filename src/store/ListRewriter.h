#pragma once

#include "store/HeaderRecord.h"
#include "store/StoreError.h"

#include <QSaveFile>
#include <QString>

namespace krx {

// Writes a new version of a list file without ever putting the old one at risk: the records
// go, a block at a time, to a file beside the list; only when all of them are written is the
// old list kept as its backup and the new one put in its place by an atomic rename. Until
// then, and on any failure, the list stays as it was.
class ListRewriter {
public:
    ListRewriter(QString listPath, QString backupPath, int blockSize);
    ListRewriter(const ListRewriter &) = delete;
    ListRewriter &operator=(const ListRewriter &) = delete;

    // Opens the new file and writes the format mark.
    FileStatus begin();
    FileStatus add(const HeaderRecord &record);
    // Refreshes the backup and replaces the list.
    FileStatus commit();
    int written() const { return written_; }

private:
    FileError writeError() const;
    FileStatus writeBlock();

    QString listPath_;
    QString backupPath_;
    int blockSize_;
    QSaveFile file_;
    QByteArray block_;
    int written_ = 0;
};

} // namespace krx
