#include "core/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace krx {

namespace {
constexpr int connectTimeoutMs = 500;
constexpr char activateRequest[] = "activate\n";
} // namespace

SingleInstance::SingleInstance(const QString &programDirectory, QObject *parent) : QObject(parent) {
    const QByteArray folder = QDir(programDirectory).canonicalPath().toUtf8();
    serverName_ = QStringLiteral("krx-") +
                  QString::fromLatin1(
                      QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    QLocalSocket probe;
    probe.connectToServer(serverName_);
    if (probe.waitForConnected(connectTimeoutMs)) {
        probe.write(activateRequest);
        probe.waitForBytesWritten(connectTimeoutMs);
        return false;
    }
    // Nobody answers: a server name left behind by a crashed copy is taken over.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_))
        return true; // without the server the program still runs; only the check is lost
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (peer->readAll().startsWith("activate"))
                    emit activationRequested();
                peer->disconnectFromServer();
            });
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        }
    });
    return true;
}

} // namespace krx
