#include "StoreFixture.h"

#include "store/DateConversion.h"
#include "store/ListFile.h"

namespace krx::test {

StoreFixture::StoreFixture(const QByteArray &epurt, const QByteArray &readIni,
                           const QByteArray &ownCall) {
    home.write("epurt.ini", epurt);
    home.write("read.ini", readIni);
    home.write("KRX.INI",
               "[krx asetus]\r\noma kutsu=" + ownCall + "\r\n[laatikko]\r\noma BBS=QQ2BBS\r\n");
    settings.ownCall = ownCall;
    settings.homeBbs = "QQ2BBS";
    settings.headersPerBlock = 7; // small blocks so that block edges are crossed
}

MessageStore &StoreFixture::makeStore() {
    store.reset();
    mainSettings = std::make_unique<IniFile>(home.filePath("KRX.INI"));
    store = std::make_unique<MessageStore>(ProgramDirectory(home.path()), settings,
                                           StoreServices{clock, prompter, oem, *mainSettings});
    return *store;
}

MessageStore &StoreFixture::started() {
    MessageStore &s = makeStore();
    if (!s.Start())
        qFatal("the store did not start");
    return s;
}

void StoreFixture::writeList(const QString &name, const std::vector<HeaderRecord> &records) const {
    QByteArray content = ListFile::mark;
    for (const HeaderRecord &record : records)
        content += record.encode();
    home.write(QStringLiteral("data/") + name + QStringLiteral(".lst"), content);
}

std::vector<HeaderRecord> StoreFixture::readList(const QString &name) const {
    return readListFile(home.filePath(QStringLiteral("data/") + name + QStringLiteral(".lst")), 500)
        .records;
}

QStringList StoreFixture::takeShown() {
    QStringList texts;
    for (const ScriptedPrompter::Shown &shown : prompter.shown)
        texts << shown.text;
    prompter.shown.clear();
    return texts;
}

HeaderRecord header(qint32 number, char status, char kind, const QByteArray &to,
                    const QByteArray &from, const QByteArray &title) {
    HeaderRecord record;
    record.kind = kind;
    record.status = status;
    record.number = number;
    record.bbs_number = number;
    record.size = 1000 + number;
    record.to = to;
    record.from = from;
    record.via = "WW";
    record.title = title;
    record.bbs_time = 46000.5;
    record.stored_time = toRecordDate(FakeClock().now());
    return record;
}

} // namespace krx::test
