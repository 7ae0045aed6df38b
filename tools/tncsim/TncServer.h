#pragma once

#include <QList>
#include <QObject>
#include <QTcpServer>
#include <functional>
#include <memory>
#include <vector>

class QTcpSocket;

namespace krx {
class Clock;
}

namespace krx::tncsim {

class Tnc;

// Serves the simulator on TCP, on 127.0.0.1 only: each connection gets a fresh TNC in
// terminal mode, set up by the given function (stations, delays, rejected commands).
class TncServer final : public QObject {
    Q_OBJECT
public:
    using Setup = std::function<void(Tnc &)>;

    TncServer(Clock &clock, Setup setup, QObject *parent = nullptr);
    ~TncServer() override;

    // Port 0 picks a free port.
    bool listen(quint16 port);
    quint16 port() const { return server_.serverPort(); }
    QString errorString() const { return server_.errorString(); }

    // The TNCs of the connections open now, oldest first.
    QList<Tnc *> sessions() const;
    // Violations seen on every connection so far, the closed ones included.
    int violationCount() const { return violationCount_; }

signals:
    void sessionStarted(krx::tncsim::Tnc *tnc);
    void sessionEnded();
    void violationSeen(const QString &text);

private:
    struct Session;

    void accept();
    void serve(Session &session);
    void end(QTcpSocket *socket);

    Clock &clock_;
    Setup setup_;
    QTcpServer server_;
    std::vector<std::unique_ptr<Session>> sessions_;
    int violationCount_ = 0;
};

} // namespace krx::tncsim
