#include "FakeSeams.h"

#include <QFileInfo>

namespace krx::test {

namespace {

template <typename T> T takeFront(std::deque<T> &queue, const T &fallback) {
    if (queue.empty())
        return fallback;
    const T value = queue.front();
    queue.pop_front();
    return value;
}

MessageAnswer firstAnswerOf(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
               ? MessageAnswer::Yes
               : MessageAnswer::Ok;
}

} // namespace

MessageAnswer ScriptedPrompter::message(const QString &caption, const QString &text,
                                        MessageIcon icon, MessageButtons buttons) {
    shown.push_back({caption, text, icon, buttons});
    return takeFront(answers_, firstAnswerOf(buttons));
}

std::optional<QString> ScriptedPrompter::input(const QString &, const QString &prompt,
                                               const QString &initial) {
    inputPrompts << prompt;
    return takeFront(inputs_, std::optional<QString>(initial));
}

std::optional<QString> ScriptedPrompter::openFileName(const QString &, const QString &,
                                                      const QString &) {
    return takeFront(files_, std::optional<QString>());
}

std::optional<QString> ScriptedPrompter::saveFileName(const QString &, const QString &,
                                                      const QString &) {
    return takeFront(files_, std::optional<QString>());
}

bool RecordingSoundPlayer::play(const QString &path) {
    played << path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    audible << path;
    return true;
}

} // namespace krx::test
