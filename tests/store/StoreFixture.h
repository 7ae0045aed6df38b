#pragma once

#include "FakeClock.h"
#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "core/IniFile.h"
#include "core/OemConversion.h"
#include "store/HeaderRecord.h"
#include "store/MessageStore.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <vector>

namespace krx::test {

// The epurt.ini of most store tests: the personal list OMAT, the default list ALL and the
// rule-chosen list DX; blank retention columns (new bulletins kept 1000 days).
inline const QByteArray standardEpurt = "; lists\r\nOMAT\r\nALL\r\nDX\r\n";

// A program directory with epurt.ini, read.ini and KRX.INI, and a message store on it.
class StoreFixture {
public:
    explicit StoreFixture(const QByteArray &epurt = standardEpurt, const QByteArray &readIni = {},
                          const QByteArray &ownCall = "QQ1ZZZ");

    TempProgramDir home;
    FakeClock clock;
    ScriptedPrompter prompter;
    OemConversion oem{OemCodePage::Ibm850, true};
    std::unique_ptr<IniFile> mainSettings;
    std::unique_ptr<MessageStore> store;
    StoreSettings settings;

    // Makes a new store on the directory as it is now (for start-up tests).
    MessageStore &makeStore();
    MessageStore &started();

    // Writes a list file of the given records (with the mark).
    void writeList(const QString &name, const std::vector<HeaderRecord> &records) const;
    std::vector<HeaderRecord> readList(const QString &name) const;
    // The texts of the boxes shown so far, and forgets them.
    QStringList takeShown();
};

// A header with the fields most tests care about, stored at the fake clock's start.
HeaderRecord header(qint32 number, char status = status::New, char kind = 'B',
                    const QByteArray &to = "ALL", const QByteArray &from = "QQ3ABC",
                    const QByteArray &title = "Title");

} // namespace krx::test
