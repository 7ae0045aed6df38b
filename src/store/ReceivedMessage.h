#pragma once

#include "core/OemConversion.h"
#include "store/StoreError.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace krx {

// True when the text holds a 7plus, info or text section: " go_7+." and " stop_7+.",
// " go_info." and " stop_info.", or " go_text." and " stop_text.".
bool HasSectionMarks(const QByteArray &text);

// The 7plus section extraction: cuts the sections of a received message into files and
// tells whether that worked. Until it is given, nothing is extracted.
using SectionExtraction = std::function<bool(const QByteArray &text)>;

// What became of a received message file.
struct ReceivedMessage {
    bool sevenPlus = false; // its sections were extracted
    QString path;           // the message file now: n.txt, or n.html for HTML
};

// Classifies a received message n.txt: a section that starts a line goes to the extraction;
// a message without extracted sections, and any HTML message, is converted from OEM when
// automatic conversion is on; HTML is saved as n.html without its sections and n.txt is
// deleted, other text is written back to n.txt.
FileResult<ReceivedMessage> classifyReceivedMessage(const QString &textPath,
                                                    const SectionExtraction &extraction,
                                                    const OemConversion &oem);

} // namespace krx
