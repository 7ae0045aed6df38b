#include "store/StoreReporter.h"

#include "core/Prompter.h"

#include <QDir>

namespace krx {

void StoreReporter::show(const QString &text) const {
    prompter_.show(text);
}

void StoreReporter::inform(const BiText &text) const {
    prompter_.message(QString(), text.in(language_), MessageIcon::Information, MessageButtons::Ok);
}

void StoreReporter::showPath(const PathWording &wording, const QString &path) const {
    show(wording.start.in(language_) + QDir::toNativeSeparators(path) + wording.end.in(language_));
}

void StoreReporter::report(const FileError &error, const PathWording *missing,
                           const BiText &heading) const {
    if (missing && error.kind == FileError::Kind::Missing)
        showPath(*missing, error.path);
    else
        report(error, heading);
}

void StoreReporter::report(const FileError &error, const BiText &heading) const {
    if (error.kind == FileError::Kind::Corrupt) {
        showPath({texts::listCorrupted, texts::listCorruptedEnd}, error.path);
        return;
    }
    show(heading.in(language_) + QLatin1Char('\n') +
         texts::fileErrorDetail.in(language_).arg(QDir::toNativeSeparators(error.path),
                                                  error.reason));
}

} // namespace krx
