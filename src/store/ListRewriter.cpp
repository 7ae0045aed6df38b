#include "store/ListRewriter.h"

#include "store/ListFile.h"

#include <QFile>

namespace krx {

ListRewriter::ListRewriter(QString listPath, QString backupPath, int blockSize)
    : listPath_(std::move(listPath)), backupPath_(std::move(backupPath)),
      blockSize_(std::max(blockSize, 1)), file_(listPath_) {}

FileError ListRewriter::writeError() const {
    return failedFile(listPath_, file_.errorString());
}

FileStatus ListRewriter::begin() {
    // Unbuffered: a write that fails must be seen by the save file, which then refuses to put
    // the new list in place.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeError();
    block_ = ListFile::mark;
    return Done{};
}

FileStatus ListRewriter::writeBlock() {
    if (file_.write(block_) != block_.size())
        return writeError();
    block_.clear();
    return Done{};
}

FileStatus ListRewriter::add(const HeaderRecord &record) {
    const qsizetype at = block_.size();
    block_.resize(at + HeaderRecord::byteSize);
    record.encodeInto(block_.data() + at);
    ++written_;
    return written_ % blockSize_ == 0 ? writeBlock() : FileStatus(Done{});
}

FileStatus ListRewriter::commit() {
    if (const FileStatus last = writeBlock(); !last.ok()) {
        file_.cancelWriting();
        return last;
    }
    QFile backup(backupPath_);
    if (backup.exists() && !backup.remove()) {
        file_.cancelWriting();
        return failedFile(backupPath_, backup.errorString());
    }
    QFile current(listPath_);
    if (current.exists() && !current.copy(backupPath_)) {
        file_.cancelWriting();
        return failedFile(backupPath_, current.errorString());
    }
    if (!file_.commit())
        return writeError();
    return Done{};
}

} // namespace krx
