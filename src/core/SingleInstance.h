#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace krx {

// Lets one copy of the program run per program directory. A second start of the same
// folder asks the running copy to come to the front and then ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &programDirectory, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one copy; false when another copy runs (it has
    // then been asked to come to the front).
    bool claim();

signals:
    void activationRequested();

private:
    QString serverName_;
    QLocalServer *server_ = nullptr;
};

} // namespace krx
