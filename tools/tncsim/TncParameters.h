#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <map>

namespace krx::tncsim {

// The TNC's settable parameters (K, M, T, @T2 ...): each command sets its value when given
// an argument and reports it when not.
class TncParameters {
public:
    TncParameters();

    bool has(const QByteArray &name) const;
    QByteArray value(const QByteArray &name) const;
    int number(const QByteArray &name) const;
    // False, and nothing changes, when the value is not allowed for the parameter.
    bool set(const QByteArray &name, const QByteArray &value);
    // The names longer than one letter, for command parsing.
    QByteArrayList longNames() const;

    // Monitor flags of M: I information, U unproto, S supervisory and link control frames,
    // C also while a link is up. "N" monitors nothing.
    bool monitors(char frameClass) const;

private:
    enum class Kind { Number, MonitorFlags, Text };
    struct Parameter {
        Kind kind;
        int maximum;
        QByteArray value;
    };
    std::map<QByteArray, Parameter> parameters_;
};

} // namespace krx::tncsim
