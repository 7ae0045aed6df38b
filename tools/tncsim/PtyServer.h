#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

namespace krx::tncsim {

class Tnc;

// Serves one TNC on a pseudo-terminal, as a TNC on a serial line: the program opens the
// slave side (slavePath()) like a serial port. The TNC lives as long as the server, across
// openings of the slave, as a real TNC stays on between runs of the program.
class PtyServer final : public QObject {
    Q_OBJECT
public:
    explicit PtyServer(Tnc &tnc, QObject *parent = nullptr);
    ~PtyServer() override;

    bool open();
    QString slavePath() const { return slavePath_; }
    QString errorString() const { return error_; }

private:
    bool fail(const QString &what);
    void readMaster();
    void writeMaster();

    Tnc &tnc_;
    int master_ = -1;
    // Held open so the master never sees a hang-up while the program has the slave closed.
    int slave_ = -1;
    QString slavePath_;
    QString error_;
    std::unique_ptr<QSocketNotifier> readNotifier_;
    std::unique_ptr<QSocketNotifier> writeNotifier_;
    QByteArray unwritten_;
};

} // namespace krx::tncsim
