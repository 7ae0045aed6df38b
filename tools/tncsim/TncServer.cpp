#include "tncsim/TncServer.h"

#include "tncsim/Tnc.h"

#include <QTcpSocket>

namespace krx::tncsim {

struct TncServer::Session {
    QTcpSocket *socket;
    std::unique_ptr<Tnc> tnc;
};

TncServer::TncServer(Clock &clock, Setup setup, QObject *parent)
    : QObject(parent), clock_(clock), setup_(std::move(setup)) {
    connect(&server_, &QTcpServer::newConnection, this, &TncServer::accept);
}

TncServer::~TncServer() {
    for (const auto &session : sessions_)
        session->socket->disconnect(this);
}

bool TncServer::listen(quint16 port) {
    return server_.listen(QHostAddress::LocalHost, port);
}

QList<Tnc *> TncServer::sessions() const {
    QList<Tnc *> list;
    for (const auto &session : sessions_)
        list << session->tnc.get();
    return list;
}

void TncServer::accept() {
    while (QTcpSocket *socket = server_.nextPendingConnection()) {
        auto tnc = std::make_unique<Tnc>(clock_);
        if (setup_)
            setup_(*tnc);
        tnc->setViolationHandler([this](const Violation &violation) {
            ++violationCount_;
            emit violationSeen(violation.text);
        });
        sessions_.push_back(std::make_unique<Session>(Session{socket, std::move(tnc)}));
        Session &session = *sessions_.back();
        connect(socket, &QTcpSocket::readyRead, this, [this, &session] { serve(session); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { end(socket); });
        emit sessionStarted(session.tnc.get());
    }
}

void TncServer::serve(Session &session) {
    // Everything that has arrived goes in before the answer is taken, so a host that sends
    // a second request without waiting is caught.
    session.tnc->write(session.socket->readAll());
    const QByteArray answer = session.tnc->takeOutput();
    if (!answer.isEmpty())
        session.socket->write(answer);
}

void TncServer::end(QTcpSocket *socket) {
    socket->disconnect(this);
    std::erase_if(sessions_, [socket](const auto &session) { return session->socket == socket; });
    socket->deleteLater();
    emit sessionEnded();
}

} // namespace krx::tncsim
