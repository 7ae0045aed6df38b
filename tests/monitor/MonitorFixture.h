#pragma once

#include "FakeClock.h"
#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "core/Kernel.h"
#include "core/SendOperations.h"
#include "monitor/MonitorEngine.h"

#include <QByteArrayList>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

namespace krx::test {

// Records what the monitor hands to the main window's send operations.
class RecordingSendOperations final : public SendOperations {
public:
    struct Sent {
        int channel;
        QByteArray bytes;
        bool isCommand;
        ReplyKind kind;
        bool operator==(const Sent &) const = default;
    };

    void SendText(int channel, const QByteArray &text) override {
        sent.push_back({channel, text, false, ReplyKind::InformationFrame});
    }
    void SendBytes(int channel, const QByteArray &bytes) override {
        sent.push_back({channel, bytes, false, ReplyKind::InformationFrame});
    }
    void SendCommand(int channel, const QByteArray &command, ReplyKind kind) override {
        sent.push_back({channel, command, true, kind});
    }
    int transmitRoom(int) const override { return 0; }

    std::vector<Sent> sent;
};

// Answers file dialogs from a script and remembers where each dialog opened and what it showed.
class DialogPrompter final : public Prompter {
public:
    MessageAnswer message(const QString &, const QString &text, MessageIcon icon,
                          MessageButtons) override {
        messages << text;
        icons.push_back(icon);
        return MessageAnswer::Ok;
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
    std::optional<QString> openFileName(const QString &, const QString &,
                                        const QString &) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override {
        saveDialogs << QStringList{caption, directory, filter};
        if (answers.empty())
            return std::nullopt;
        const std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers;
    QList<QStringList> saveDialogs; // caption, folder, filter
    QStringList messages;
    std::vector<MessageIcon> icons;
};

// A kernel on a settings file with the home mailbox QQ2BBS (written in lower case), and the
// monitor engine on it. `kieli` 1 chooses English.
class MonitorFixture {
public:
    explicit MonitorFixture(int kieli = 0) {
        home.write("KRX.INI", "[krx asetus]\r\nkieli=" + QByteArray::number(kieli) +
                                  "\r\noma kutsu=QQ1ZZZ\r\nkanavien maara=2\r\n"
                                  "[laatikko]\r\noma BBS=qq2bbs\r\n[portti asetus]\r\nEMU=6\r\n");
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock, prompter, sound, shell});
        kernel->start();
        engine = std::make_unique<MonitorEngine>(*kernel, sends);
    }

    TempProgramDir home;
    FakeClock clock;
    DialogPrompter prompter;
    RecordingSoundPlayer sound;
    RecordingShell shell;
    RecordingSendOperations sends;
    std::unique_ptr<Kernel> kernel;
    std::unique_ptr<MonitorEngine> engine;
};

} // namespace krx::test
