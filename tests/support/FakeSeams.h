#pragma once

#include "core/Prompter.h"
#include "core/Shell.h"
#include "core/SoundPlayer.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace krx::test {

// Records every box the engine shows and answers from a script (OK/first answer by default).
class ScriptedPrompter final : public Prompter {
public:
    struct Shown {
        QString caption;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer message(const QString &caption, const QString &text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override;
    std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override;
    std::optional<QString> saveFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override;

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    void inputNext(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
    void fileNext(std::optional<QString> path) { files_.push_back(std::move(path)); }

    std::vector<Shown> shown;
    QStringList inputPrompts;

private:
    std::deque<MessageAnswer> answers_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> files_;
};

// Plays nothing; remembers what was asked and answers as the real player would.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    bool play(const QString &path) override;
    QStringList played;  // every path asked for
    QStringList audible; // the ones that existed and would sound
};

class RecordingShell final : public Shell {
public:
    bool open(const QString &pathOrUrl) override {
        opened << pathOrUrl;
        return true;
    }
    bool explore(const QString &folder) override {
        explored << folder;
        return true;
    }
    QStringList opened;
    QStringList explored;
};

} // namespace krx::test
