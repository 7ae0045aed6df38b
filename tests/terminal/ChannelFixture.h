#pragma once

#include "FakeClock.h"
#include "FakeSeams.h"
#include "TempProgramDir.h"
#include "core/Kernel.h"
#include "core/SendOperations.h"
#include "terminal/QsoChannel.h"

#include <QByteArrayList>
#include <memory>

namespace krx::test {

// Records what a channel sends and, like the main window, echoes sent text back to the
// channel with display code 8.
class RecordingSendOperations final : public SendOperations {
public:
    void SendText(int channel, const QByteArray &text) override {
        channels << channel;
        texts << text;
        if (echo)
            echo->ShowText(text, 8);
    }
    void SendBytes(int channel, const QByteArray &bytes) override {
        channels << channel;
        bytesSent << bytes;
    }
    void SendCommand(int channel, const QByteArray &command, ReplyKind kind) override {
        channels << channel;
        commands << command;
        commandKinds << kind;
    }
    int transmitRoom(int) const override { return 0; }

    void clear() {
        channels.clear();
        texts.clear();
        bytesSent.clear();
        commands.clear();
        commandKinds.clear();
    }

    ChannelEndpoint *echo = nullptr;
    QList<int> channels;
    QByteArrayList texts;
    QByteArrayList bytesSent;
    QByteArrayList commands;
    QList<ReplyKind> commandKinds;
};

// A QSO channel engine on a kernel with its own program directory. `settings` are lines of
// the section [krx asetus]; `misc` is the whole of data\misc.ini.
class ChannelFixture {
public:
    explicit ChannelFixture(const QByteArray &settings = {}, const QByteArray &misc = {},
                            int channel = 1) {
        home.write("KRX.INI", "[krx asetus]\r\noma kutsu=QQ1ZZZ\r\nkanavien maara=4\r\n" +
                                  settings + "\r\n[laatikko]\r\noma BBS=QQ2BBS\r\n");
        home.write("data/misc.ini", misc);
        kernel = std::make_unique<Kernel>(ProgramDirectory(home.path()), QStringLiteral("krx"),
                                          Services{clock, prompter, sound, shell});
        kernel->start();
        engine = std::make_unique<QsoChannel>(channel, *kernel, send, channelStates);
        send.echo = engine.get();
    }

    QByteArrayList rxLines() const {
        QByteArrayList lines;
        for (int i = 0; i < engine->rx().lineCount(); ++i)
            lines << engine->rx().line(i);
        return lines;
    }

    void setLinkState(LinkState state) { engine->channelState().linkState = state; }

    // A link-status record as the host-mode link delivers it, shown and then processed.
    void linkStatus(const QByteArray &text) { response(3, text + '\r'); }
    void response(int code, const QByteArray &text) {
        HostResponse record;
        record.channel = engine->channel();
        record.code = code;
        record.text = text;
        const bool textCode = code >= 1 && code <= 5;
        record.length = code == 0 ? 0 : textCode ? int(text.size()) - 1 : int(text.size());
        engine->ShowText(record.text, code);
        engine->ProcessResponse(record);
    }

    TempProgramDir home;
    FakeClock clock;
    ScriptedPrompter prompter;
    RecordingSoundPlayer sound;
    RecordingShell shell;
    std::unique_ptr<Kernel> kernel;
    ChannelStates channelStates;
    RecordingSendOperations send;
    std::unique_ptr<QsoChannel> engine;
};

} // namespace krx::test
