#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace krx::tncsim {

// A command text from a host command frame, split into the command name and its argument.
// Names are upper case: single letters ("C", "MUISC" is M with UISC) or the longer names
// the TNC knows ("JHOST", "@B", "@T2").
struct HostCommand {
    QByteArray name;
    QByteArray argument; // trimmed; empty when none
    QByteArray text;     // as sent

    // The longest of longNames that starts the text, else its first character, names the command.
    static HostCommand parse(const QByteArray &text, const QByteArrayList &longNames);
    // Name and argument in one spelling: "x1" and "X 1" both give "X 1".
    QByteArray normalized() const;
};

} // namespace krx::tncsim
