#pragma once

#include "core/Prompter.h"

class QWidget;

namespace krx {

// Modal message boxes, input boxes and file dialogs over the given parent window.
class QtPrompter final : public Prompter {
public:
    void setParentWindow(QWidget *parent) { parent_ = parent; }

    MessageAnswer message(const QString &caption, const QString &text, MessageIcon icon,
                          MessageButtons buttons) override;
    std::optional<QString> input(const QString &caption, const QString &prompt,
                                 const QString &initial) override;
    std::optional<QString> openFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override;
    std::optional<QString> saveFileName(const QString &caption, const QString &directory,
                                        const QString &filter) override;

private:
    QWidget *parent_ = nullptr;
};

} // namespace krx
