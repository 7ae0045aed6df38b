#include "store/ui/ListReader.h"

#include "core/ui/WindowMessageEvent.h"

namespace krx {

tlistaluku::tlistaluku(QString path, int blockSize, QObject *receiver, int generation)
    : path_(std::move(path)), blockSize_(blockSize), receiver_(receiver), generation_(generation) {}

void tlistaluku::run() {
    contents_ = readListFile(path_, blockSize_);
    WindowMessageEvent::post(receiver_, CM_LIST_READ, generation_);
}

ListReader::ListReader(QObject *parent) : QObject(parent) {}

ListReader::~ListReader() {
    if (thread_)
        thread_->wait();
}

void ListReader::read(const QString &path, int blockSize) {
    if (thread_)
        thread_->wait(); // its message no longer matches the generation and is dropped
    pending_.clear();
    ++generation_;
    thread_ = std::make_unique<tlistaluku>(path, blockSize, this, generation_);
    thread_->start();
}

bool ListReader::event(QEvent *event) {
    if (event->type() != WindowMessageEvent::eventType())
        return QObject::event(event);
    const auto *message = static_cast<WindowMessageEvent *>(event);
    if (message->message() == CM_LIST_READ && message->wParam() == generation_ && thread_)
        finish();
    return true;
}

void ListReader::finish() {
    thread_->wait();
    contents_ = thread_->takeContents();
    thread_.reset();
    if (!contents_.error)
        pending_.applyTo(contents_.records);
    pending_.clear();
    emit listRead();
}

} // namespace krx
