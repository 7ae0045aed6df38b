#include "tncsim/PtyServer.h"

#include "tncsim/Tnc.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace krx::tncsim {

PtyServer::PtyServer(Tnc &tnc, QObject *parent) : QObject(parent), tnc_(tnc) {}

PtyServer::~PtyServer() {
    readNotifier_.reset();
    writeNotifier_.reset();
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

bool PtyServer::fail(const QString &what) {
    error_ = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool PtyServer::open() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        return fail(QStringLiteral("posix_openpt"));
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        return fail(QStringLiteral("grantpt/unlockpt"));
    char path[128];
    if (::ptsname_r(master_, path, sizeof path) != 0)
        return fail(QStringLiteral("ptsname"));
    slave_ = ::open(path, O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return fail(QStringLiteral("open %1").arg(QString::fromLocal8Bit(path)));
    // Raw: no echo, no line editing, no CR/LF translation; host mode is binary.
    termios settings{};
    if (::tcgetattr(slave_, &settings) != 0)
        return fail(QStringLiteral("tcgetattr"));
    ::cfmakeraw(&settings);
    if (::tcsetattr(slave_, TCSANOW, &settings) != 0)
        return fail(QStringLiteral("tcsetattr"));
    if (::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK) != 0)
        return fail(QStringLiteral("fcntl"));
    slavePath_ = QString::fromLocal8Bit(path);
    readNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(readNotifier_.get(), &QSocketNotifier::activated, this, &PtyServer::readMaster);
    writeNotifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Write);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_.get(), &QSocketNotifier::activated, this, &PtyServer::writeMaster);
    return true;
}

void PtyServer::readMaster() {
    // All bytes that are there go in before the answer is taken, so a host that sends a
    // second request without waiting is caught.
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count <= 0)
            break;
        tnc_.write(QByteArray(buffer, count));
    }
    unwritten_ += tnc_.takeOutput();
    writeMaster();
}

void PtyServer::writeMaster() {
    while (!unwritten_.isEmpty()) {
        const ssize_t count = ::write(master_, unwritten_.constData(), unwritten_.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        unwritten_.remove(0, count);
    }
    // A full line buffer: the rest goes when the slave side has read some.
    writeNotifier_->setEnabled(!unwritten_.isEmpty());
}

} // namespace krx::tncsim
