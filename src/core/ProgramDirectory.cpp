#include "core/ProgramDirectory.h"

#include <QDir>
#include <QFileInfo>

namespace krx {

namespace {

// The entry of `folder` named `name` without regard to case; an exact match wins.
QString findEntry(const QDir &folder, const QString &name) {
    if (folder.exists(name))
        return name;
    const QStringList entries =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

QStringList partsOf(const QString &systemPath) {
    QString path = systemPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace

ProgramDirectory::ProgramDirectory(QString root)
    : root_(QDir::cleanPath(QDir(root).absolutePath())) {}

QString ProgramDirectory::resolve(const QString &systemPath) const {
    QString current = root_;
    bool stillExisting = true;
    for (const QString &part : partsOf(systemPath)) {
        QString name = part;
        if (stillExisting) {
            const QString found = findEntry(QDir(current), part);
            if (found.isEmpty())
                stillExisting = false;
            else
                name = found;
        }
        current += QLatin1Char('/') + name;
    }
    return current;
}

bool ProgramDirectory::exists(const QString &systemPath) const {
    return QFileInfo::exists(resolve(systemPath));
}

QString ProgramDirectory::resolveForWrite(const QString &systemPath) const {
    const QString path = resolve(systemPath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return {};
    return path;
}

QString ProgramDirectory::mainSettingsPath(const QString &programName) const {
    return resolve(programName + QStringLiteral(".ini"));
}

} // namespace krx
