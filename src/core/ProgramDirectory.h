#pragma once

#include <QString>

namespace krx {

// The program directory, against which every data path of the program is resolved.
// Paths are written the system's way (`mail\ALL\12.txt`); an existing file or folder is
// found whatever the letter case of its name, and new ones get the case given.
class ProgramDirectory {
public:
    explicit ProgramDirectory(QString root);

    const QString &root() const { return root_; }

    // The real path for a relative system path. Parts that exist are matched without
    // regard to case; the rest is appended as given.
    QString resolve(const QString &systemPath) const;
    bool exists(const QString &systemPath) const;
    // As resolve, and creates the folders the file will live in. An empty result means
    // that a folder could not be created.
    QString resolveForWrite(const QString &systemPath) const;

    // The main settings file: the program file's name with ".ini", found in any case.
    QString mainSettingsPath(const QString &programName) const;

private:
    QString root_;
};

} // namespace krx
