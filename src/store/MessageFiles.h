#pragma once

#include "store/StoreError.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace krx {

// A list's message folder mail\<NAME>\. A message numbered n may be stored as n.txt (plain
// text), n.html (received HTML) or n with no extension; every operation treats all three.
// Names are matched without regard to case, as on the system the files come from; the folder
// is listed once, when first asked.
class MessageFolder {
public:
    explicit MessageFolder(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }
    // The path a fetched or written message is saved as: n.txt.
    QString textPath(qint32 number) const;

    // The real paths of the message's files that exist.
    QStringList existing(qint32 number) const;
    bool hasMessage(qint32 number) const { return !existing(number).isEmpty(); }

    // Copies the message's files into another folder, overwriting files of the same name.
    FileStatus copyMessage(qint32 number, MessageFolder &target) const;
    FileStatus removeMessage(qint32 number) const;

private:
    std::optional<QString> find(const QString &name) const;
    void forget(const QString &name) const;

    QString path_;
    mutable std::optional<QHash<QString, QString>> index_; // lower-case name -> real name
};

} // namespace krx
