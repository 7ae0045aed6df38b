#include "tncsim/HostCommand.h"

namespace krx::tncsim {

HostCommand HostCommand::parse(const QByteArray &text, const QByteArrayList &longNames) {
    const QByteArray trimmed = text.trimmed();
    const QByteArray upper = trimmed.toUpper();
    qsizetype nameLength = upper.isEmpty() ? 0 : 1;
    for (const QByteArray &name : longNames)
        if (name.size() > nameLength && upper.startsWith(name))
            nameLength = name.size();
    return {upper.left(nameLength), trimmed.mid(nameLength).trimmed(), text};
}

QByteArray HostCommand::normalized() const {
    const QByteArray argumentPart = argument.simplified().toUpper();
    return argumentPart.isEmpty() ? name : name + ' ' + argumentPart;
}

} // namespace krx::tncsim
