#include "tncsim/TimeStamp.h"

#include "core/Clock.h"
#include "tncsim/TncParameters.h"

namespace krx::tncsim {

QByteArray TimeStamp::suffix() const {
    if (parameters_.number("K") == 0)
        return {};
    return " - " + clock_.now().toString(QStringLiteral("dd/MM/yy hh:mm:ss")).toLatin1();
}

} // namespace krx::tncsim
