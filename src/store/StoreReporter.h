#pragma once

#include "core/Language.h"
#include "store/StoreError.h"
#include "store/StoreTexts.h"

#include <QString>

namespace krx {

class Prompter;

// A notice about a file: start + path + end.
struct PathWording {
    const BiText &start;
    const BiText &end;
};

// Shows the store's notices and file errors through the Prompter, in the chosen language.
class StoreReporter {
public:
    StoreReporter(Prompter &prompter, Language language)
        : prompter_(prompter), language_(language) {}

    Language language() const { return language_; }

    void show(const QString &text) const;
    void show(const BiText &text) const { show(text.in(language_)); }
    void inform(const BiText &text) const;
    void showPath(const PathWording &wording, const QString &path) const;
    // A missing file in the given wording (when there is one), a corrupt list as corrupted, and
    // any other error under `heading` with the path and the system's reason.
    void report(const FileError &error, const PathWording *missing,
                const BiText &heading = texts::fileOperationFailed) const;
    void report(const FileError &error, const BiText &heading = texts::fileOperationFailed) const;

private:
    Prompter &prompter_;
    Language language_;
};

} // namespace krx
