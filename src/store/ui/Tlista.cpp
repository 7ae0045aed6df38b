#include "store/ui/Tlista.h"

namespace krx {

namespace {
constexpr BiText caption{"Listojen lista", "List of lists"};
}

Tlista::Tlista(Language language, QWidget *parent) : MdiChildWindow(parent) {
    setObjectName(QStringLiteral("lista"));
    setWindowTitle(caption.in(language));
    setPreferredSize(QSize(720, 420));
}

} // namespace krx
