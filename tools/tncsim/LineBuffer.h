#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <utility>

namespace krx::tncsim {

// Collects received bytes into CR-terminated lines, as stations read their input.
class LineBuffer {
public:
    // A line longer than this without a CR is handed on as it is.
    static constexpr int kMaxLine = 1024;

    // The complete lines, each with its CR.
    QByteArrayList add(const QByteArray &data);
    // Whatever came after the last complete line.
    QByteArray takeRest() { return std::exchange(rest_, {}); }

private:
    QByteArray rest_;
};

} // namespace krx::tncsim
