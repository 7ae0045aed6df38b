#include "store/OldListImport.h"

#include "store/DateConversion.h"
#include "store/ListDefinitions.h"
#include "store/ListRewriter.h"
#include "store/NumberFile.h"
#include "store/OldRecords.h"
#include "store/ReceivedMessage.h"
#include "store/StoreReporter.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>

namespace krx {

namespace {

constexpr qint32 firstLocalNumber = 100;

QString text(const QByteArray &name) {
    return QString::fromLatin1(name);
}

QByteArray withoutExtension(const QByteArray &name) {
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? name : name.left(dot);
}

// The list file names of epurt.ini, each the first word of its line as written.
QList<QByteArray> listFileNames(const QByteArray &epurt) {
    QList<QByteArray> names;
    for (const QByteArray &line : textLines(epurt)) {
        if (line.startsWith(';') || line.trimmed().isEmpty())
            continue;
        const QByteArray trimmed = line.trimmed();
        const int space = trimmed.indexOf(' ');
        names << (space < 0 ? trimmed : trimmed.left(space));
    }
    return names;
}

} // namespace

OldListImport::OldListImport(const ProgramDirectory &directory, const OemConversion &oem,
                             const StoreReporter &reporter)
    : directory_(directory), oem_(oem), reporter_(reporter) {}

bool OldListImport::ImportOldLists(const QString &sourceDirectory, const QByteArray &ownCall) {
    const FileResult<QByteArray> epurt =
        readWholeFile(directory_.resolve(QStringLiteral("epurt.ini")));
    if (!epurt.ok()) {
        reporter_.report(epurt.error());
        return false;
    }
    const ProgramDirectory source(sourceDirectory);
    bool allWritten = true;
    for (const QByteArray &fileName : listFileNames(epurt.value())) {
        QDir().mkpath(
            directory_.resolve(QStringLiteral("mail\\") + text(withoutExtension(fileName))));
        if (!source.exists(text(fileName)))
            continue;
        const bool personal = !ownCall.isEmpty() && fileName.toUpper().contains(ownCall.toUpper());
        allWritten = importList(source, fileName, personal) && allWritten;
    }
    return allWritten;
}

bool OldListImport::importList(const ProgramDirectory &source, const QByteArray &fileName,
                               bool personal) {
    constexpr int blockSize = 500;
    const FileResult<QByteArray> old = readWholeFile(source.resolve(text(fileName)));
    if (!old.ok()) {
        reporter_.report(old.error());
        return false;
    }
    const QByteArray base = withoutExtension(fileName);
    const QString target = directory_.resolveForWrite(QStringLiteral("data\\") + text(fileName));
    ListRewriter rewriter(
        target, directory_.resolve(QStringLiteral("data\\") + text(base) + QStringLiteral(".bak")),
        blockSize);
    FileStatus status = rewriter.begin();
    qint32 lastLocal = firstLocalNumber - 1;
    const QByteArray &bytes = old.value();
    for (qsizetype at = 0; status.ok() && at + foreignRecordBytes <= bytes.size();
         at += foreignRecordBytes) {
        const ForeignRecord foreign = decodeForeignRecord(bytes.constData() + at);
        HeaderRecord record = foreign.header;
        if (personal)
            record.number = ++lastLocal;
        record.title = oem_.receivedToAnsi(record.title.text());
        record.bbs_time = toRecordDate(dateTimeOf(muunna_aika(foreign.stamp)));
        record.stored_time = record.bbs_time;
        status = rewriter.add(record);
        if (record.status == status::Read || record.status == status::Unread)
            copyMessage(source, base, foreign.header.number, record.number);
    }
    if (status.ok())
        status = rewriter.commit();
    if (!status.ok()) {
        reporter_.report(status.error());
        return false;
    }
    return importNumberFile(source, base, personal, lastLocal);
}

void OldListImport::copyMessage(const ProgramDirectory &source, const QByteArray &base,
                                qint32 oldNumber, qint32 newNumber) {
    const QString from =
        source.resolve(text(base) + QLatin1Char('\\') + QString::number(oldNumber));
    if (!QFile::exists(from))
        return;
    const FileResult<QByteArray> message = readWholeFile(from);
    if (!message.ok()) {
        reporter_.report(message.error());
        return;
    }
    const QByteArray content =
        HasSectionMarks(message.value()) ? message.value() : oem_.receivedToAnsi(message.value());
    const QString to = directory_.resolveForWrite(
        QStringLiteral("mail\\%1\\%2.txt").arg(text(base)).arg(newNumber));
    if (const FileStatus written = writeWholeFile(to, content); !written.ok())
        reporter_.report(written.error());
}

bool OldListImport::importNumberFile(const ProgramDirectory &source, const QByteArray &base,
                                     bool personal, qint32 lastLocal) {
    const QString old = source.resolve(text(base) + QStringLiteral(".num"));
    if (!QFile::exists(old))
        return true;
    const QString target =
        directory_.resolveForWrite(QStringLiteral("data\\") + text(base) + QStringLiteral(".num"));
    FileStatus written = Done{};
    if (personal) {
        written = NumberFile(target).write({lastLocal, lastLocal});
    } else {
        const FileResult<QByteArray> content = readWholeFile(old);
        written = content.ok() ? writeWholeFile(target, content.value()) : content.error();
    }
    if (!written.ok()) {
        reporter_.report(written.error());
        return false;
    }
    return true;
}

} // namespace krx
