#include "store/MessageFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace krx {

namespace {

QStringList namesOf(qint32 number) {
    const QString bare = QString::number(number);
    return {bare + QStringLiteral(".txt"), bare + QStringLiteral(".html"), bare};
}

} // namespace

QString MessageFolder::textPath(qint32 number) const {
    const QString name = namesOf(number).constFirst();
    return path_ + QLatin1Char('/') + find(name).value_or(name);
}

std::optional<QString> MessageFolder::find(const QString &name) const {
    if (!index_) {
        index_.emplace();
        const QStringList entries = QDir(path_).entryList(QDir::Files | QDir::Hidden);
        for (const QString &entry : entries)
            index_->insert(entry.toLower(), entry);
    }
    const auto found = index_->constFind(name.toLower());
    if (found == index_->constEnd())
        return std::nullopt;
    return *found;
}

void MessageFolder::forget(const QString &name) const {
    if (index_)
        index_->remove(name.toLower());
}

QStringList MessageFolder::existing(qint32 number) const {
    QStringList paths;
    for (const QString &name : namesOf(number))
        if (const std::optional<QString> found = find(name))
            paths << path_ + QLatin1Char('/') + *found;
    return paths;
}

FileStatus MessageFolder::copyMessage(qint32 number, MessageFolder &target) const {
    if (!QDir().mkpath(target.path()))
        return failedFile(target.path(), QStringLiteral("The folder could not be created"));
    for (const QString &name : namesOf(number)) {
        const std::optional<QString> found = find(name);
        if (!found)
            continue;
        const QString destination =
            target.path() + QLatin1Char('/') + target.find(name).value_or(name);
        QFile replaced(destination);
        if (replaced.exists() && !replaced.remove())
            return failedFile(destination, replaced.errorString());
        QFile source(path_ + QLatin1Char('/') + *found);
        if (!source.copy(destination))
            return failedFile(destination, source.errorString());
        if (target.index_)
            target.index_->insert(name.toLower(), QFileInfo(destination).fileName());
    }
    return Done{};
}

FileStatus MessageFolder::removeMessage(qint32 number) const {
    for (const QString &path : existing(number)) {
        QFile file(path);
        if (!file.remove())
            return failedFile(path, file.errorString());
        forget(QFileInfo(path).fileName());
    }
    return Done{};
}

} // namespace krx
