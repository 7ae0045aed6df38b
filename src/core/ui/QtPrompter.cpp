#include "core/ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace krx {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

QString captionOr(const QString &caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

std::optional<QString> chosen(const QString &path) {
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

} // namespace

MessageAnswer QtPrompter::message(const QString &caption, const QString &text, MessageIcon icon,
                                  MessageButtons buttons) {
    QMessageBox box(boxIcon(icon), captionOr(caption), text, boxButtons(buttons), parent_);
    if (buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::OkCancel)
        box.setEscapeButton(QMessageBox::Cancel);
    return answerOf(box.exec());
}

std::optional<QString> QtPrompter::input(const QString &caption, const QString &prompt,
                                         const QString &initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, captionOr(caption), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> QtPrompter::openFileName(const QString &caption, const QString &directory,
                                                const QString &filter) {
    return chosen(QFileDialog::getOpenFileName(parent_, caption, directory, filter));
}

std::optional<QString> QtPrompter::saveFileName(const QString &caption, const QString &directory,
                                                const QString &filter) {
    return chosen(QFileDialog::getSaveFileName(parent_, caption, directory, filter));
}

} // namespace krx
