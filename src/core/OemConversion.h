#pragma once

#include "core/CodePage.h"

#include <QByteArray>

namespace krx {

// The automatic OEM conversion the user switches on and off: text from the air may come in a
// DOS code page, while the program's files and windows are ANSI.
class OemConversion {
public:
    explicit OemConversion(OemCodePage page = OemCodePage::Ibm850, bool enabled = true)
        : page_(page), enabled_(enabled) {}

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    OemCodePage codePage() const { return page_; }

    // When on and the text holds a byte from 129 to 158 (where the DOS code pages keep their
    // accented letters and Windows-1252 only punctuation), the whole text is taken as OEM and
    // converted; otherwise it is returned unchanged.
    QByteArray receivedToAnsi(const QByteArray &text) const;
    // When on, the text is converted to OEM; otherwise it is returned unchanged.
    QByteArray outgoingToOem(const QByteArray &text) const;

private:
    OemCodePage page_;
    bool enabled_;
};

} // namespace krx
