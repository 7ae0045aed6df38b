#include "monitor/ui/TPohja.h"

namespace krx {

namespace {
constexpr BiText initialCaption{"Laita TNC päälle ennen ohjelman käynnistystä",
                                "Turn on TNC before starting program"};
}

TPohja::TPohja(Language language, QWidget *parent) : MdiChildWindow(parent) {
    setObjectName(QStringLiteral("Pohja"));
    setWindowTitle(initialCaption.in(language));
    setPreferredSize(QSize(640, 400));
}

} // namespace krx
