#include "core/platform/QtSoundPlayer.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace krx {

QtSoundPlayer::QtSoundPlayer(QObject *parent) : QObject(parent) {}

QtSoundPlayer::~QtSoundPlayer() = default; // the effects are children and go with us

bool QtSoundPlayer::play(const QString &path) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return false;
    auto *effect = new QSoundEffect(this);
    playing_.push_back(effect);
    // One effect per alert, so alerts may overlap; each is released once it has
    // finished or failed to decode.
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect] {
        if (!effect->isPlaying() && effect->status() != QSoundEffect::Loading)
            release(effect);
    });
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
        if (effect->status() == QSoundEffect::Error)
            release(effect);
        else if (effect->status() == QSoundEffect::Ready)
            effect->play();
    });
    effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    return true;
}

void QtSoundPlayer::release(QSoundEffect *effect) {
    const auto it = std::find(playing_.begin(), playing_.end(), effect);
    if (it == playing_.end())
        return;
    playing_.erase(it);
    effect->deleteLater();
}

} // namespace krx
