#pragma once

#include <QString>
#include <optional>

namespace krx {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Message boxes, input boxes and file dialogs. The engine asks and gets the answer
// synchronously, as a modal box gives it; tests script the answers.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An empty caption means the application title.
    virtual MessageAnswer message(const QString &caption, const QString &text, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    // Returns the text entered, or nothing when the user cancels.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &initial) = 0;
    // Return the chosen path, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                                const QString &filter) = 0;
    virtual std::optional<QString> saveFileName(const QString &caption, const QString &directory,
                                                const QString &filter) = 0;

    // A plain message with an OK button, as the program shows most of its notices.
    void show(const QString &text) {
        message(QString(), text, MessageIcon::None, MessageButtons::Ok);
    }
};

} // namespace krx
