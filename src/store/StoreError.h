#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace krx {

// Why a file operation of the store did not happen.
struct FileError {
    enum class Kind {
        Missing, // the file is not there
        Corrupt, // its length is not a whole number of records
        Failed,  // the system refused (no room, no rights, ...): see reason
    };

    Kind kind = Kind::Failed;
    QString path;
    QString reason;
};

struct Done {};

// The value of a file operation, or the error that stopped it.
template <typename T> class FileResult {
public:
    FileResult(T value) : value_(std::move(value)) {}
    FileResult(FileError error) : error_(std::move(error)) {}

    bool ok() const { return value_.has_value(); }
    const T &value() const { return *value_; }
    T &value() { return *value_; }
    const FileError &error() const { return error_; }

private:
    std::optional<T> value_;
    FileError error_;
};

// The result of a file operation that gives nothing back.
using FileStatus = FileResult<Done>;

inline FileError missingFile(const QString &path) {
    return {FileError::Kind::Missing, path, QStringLiteral("No such file")};
}

inline FileError corruptFile(const QString &path) {
    return {FileError::Kind::Corrupt, path,
            QStringLiteral("The length is not a whole number of header records")};
}

inline FileError failedFile(const QString &path, const QString &reason) {
    return {FileError::Kind::Failed, path, reason};
}

} // namespace krx
