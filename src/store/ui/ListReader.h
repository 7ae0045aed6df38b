#pragma once

#include "store/ListFile.h"
#include "store/PendingHeaderChanges.h"

#include <QThread>
#include <memory>

namespace krx {

// The reading thread: reads one list file in blocks and posts CM_LIST_READ, numbered by its
// generation, to the receiver. It touches nothing but the file.
class tlistaluku : public QThread {
    Q_OBJECT
public:
    tlistaluku(QString path, int blockSize, QObject *receiver, int generation);

    // What was read; valid once the thread has finished.
    ListContents takeContents() { return std::move(contents_); }

protected:
    void run() override;

private:
    QString path_;
    int blockSize_;
    QObject *receiver_;
    int generation_;
    ListContents contents_;
};

// Reads a list in the reading thread so that the window never waits for the file. Headers
// written to the list meanwhile are kept and applied to what was read, and the result is
// handed on when the thread's CM_LIST_READ arrives on the main thread.
class ListReader : public QObject {
    Q_OBJECT
public:
    explicit ListReader(QObject *parent = nullptr);
    ~ListReader() override;

    // Starts reading; a read still running is forgotten.
    void read(const QString &path, int blockSize);
    bool isReading() const { return thread_ != nullptr; }
    // A header written to the list being read.
    void written(int index, const HeaderRecord &record) { pending_.written(index, record); }
    // The list last read, with the headers written meanwhile; once, after listRead.
    ListContents takeContents() { return std::move(contents_); }

signals:
    void listRead();

protected:
    bool event(QEvent *event) override;

private:
    void finish();

    std::unique_ptr<tlistaluku> thread_;
    PendingHeaderChanges pending_;
    ListContents contents_;
    int generation_ = 0;
};

} // namespace krx
