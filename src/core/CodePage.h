#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace krx {

// The 8-bit code pages the program meets: Windows-1252 ("ANSI") is the code page of the
// files and of our own traffic; stations on the air may send a DOS ("OEM") code page.
enum class CodePage { Windows1252, Ibm850, Ibm437 };

// The OEM code page the automatic conversion assumes: 850 on Western European systems,
// 437 elsewhere.
enum class OemCodePage { Ibm850, Ibm437 };

// The `oem codepage` setting value: 437 chooses code page 437, anything else 850.
OemCodePage oemCodePageFromSetting(int value);

CodePage codePageOf(OemCodePage oem);

// The character a byte stands for. Every byte has one: the five bytes Windows-1252 leaves
// undefined stand for the C1 control of the same value, so they survive a round trip.
char16_t toUnicode(CodePage page, char byte);
// The byte that stands for exactly this character, if the code page has one.
std::optional<char> fromUnicode(CodePage page, char32_t character);
// The byte for a character, or the byte of the nearest plain character when the code page
// lacks it (line drawing becomes + - |, accented letters lose their accent, typographic
// quotes and dashes become ' " -), else '?'.
char fromUnicodeOrClosest(CodePage page, char32_t character);

// Text in the ANSI code page for display, and typed text back to ANSI (with the nearest
// plain character, else '?', for what Windows-1252 cannot hold).
QString ansiToString(const QByteArray &ansi);
QByteArray stringToAnsi(QStringView text);

// Byte for byte between the ANSI and an OEM code page; 0 to 127 are kept as they are.
QByteArray oemToAnsi(const QByteArray &oem, OemCodePage page);
QByteArray ansiToOem(const QByteArray &ansi, OemCodePage page);

} // namespace krx
