#include "core/CodePage.h"

#include <QChar>
#include <QList>
#include <array>

namespace krx {

namespace {

// Bytes 128 to 255 of each code page; 0 to 127 are ASCII in all three. Generated once with
// Python's codecs cp1252, cp850 and cp437 (cp1252's undefined bytes as C1 controls).
// clang-format off
constexpr std::array<char16_t, 128> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};
constexpr std::array<char16_t, 128> ibm850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};
constexpr std::array<char16_t, 128> ibm437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};
// clang-format on

const std::array<char16_t, 128> &highHalf(CodePage page) {
    switch (page) {
    case CodePage::Ibm850:
        return ibm850High;
    case CodePage::Ibm437:
        return ibm437High;
    case CodePage::Windows1252:
        break;
    }
    return windows1252High;
}

// The line-drawing block: horizontal strokes become '-', vertical ones '|', everything that
// joins or turns '+'.
std::optional<char> lineDrawingLookalike(char32_t c) {
    if (c < 0x2500 || c > 0x257F)
        return std::nullopt;
    if (c <= 0x250B) // light and heavy solid and dashed lines, in horizontal/vertical pairs
        return (c - 0x2500) / 2 % 2 == 0 ? '-' : '|';
    if (c == 0x254C || c == 0x254D || c == 0x2550)
        return '-';
    if (c == 0x254E || c == 0x254F || c == 0x2551)
        return '|';
    if (c >= 0x2574) // half lines: left, up, right, down, alternating
        return c % 2 == 0 ? '-' : '|';
    if (c == 0x2571)
        return '/';
    if (c == 0x2572)
        return '\\';
    if (c == 0x2573)
        return 'X';
    return '+';
}

// Typographic marks and the few letters whose plain ASCII twin is obvious.
std::optional<char> plainLookalike(char32_t c) {
    if (c >= 0x2010 && c <= 0x2015) // hyphens and dashes
        return '-';
    if (c >= 0x2018 && c <= 0x201B) // single quotes
        return '\'';
    if (c >= 0x201C && c <= 0x201F) // double quotes
        return '"';
    switch (c) {
    case 0x2039: // single guillemets
        return '<';
    case 0x203A:
        return '>';
    case 0x02C6: // modifier circumflex
        return '^';
    case 0x02DC: // small tilde
        return '~';
    case 0x0131: // dotless i
        return 'i';
    case 0x2017: // double low line
        return '_';
    default:
        return lineDrawingLookalike(c);
    }
}

// The first character of a canonical decomposition: the base letter of an accented one.
std::optional<char32_t> canonicalBase(char32_t c) {
    if (QChar::decompositionTag(c) != QChar::Canonical)
        return std::nullopt;
    return QChar::decomposition(c).toUcs4().value(0);
}

using ByteMap = std::array<char, 256>;

ByteMap buildByteMap(CodePage from, CodePage to) {
    ByteMap map{};
    for (int byte = 0; byte < 256; ++byte)
        map[byte] = fromUnicodeOrClosest(to, toUnicode(from, char(byte)));
    return map;
}

QByteArray mapBytes(const QByteArray &text, const ByteMap &map) {
    QByteArray result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = map[static_cast<unsigned char>(text[i])];
    return result;
}

} // namespace

OemCodePage oemCodePageFromSetting(int value) {
    return value == 437 ? OemCodePage::Ibm437 : OemCodePage::Ibm850;
}

CodePage codePageOf(OemCodePage oem) {
    return oem == OemCodePage::Ibm437 ? CodePage::Ibm437 : CodePage::Ibm850;
}

char16_t toUnicode(CodePage page, char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x80 ? char16_t(value) : highHalf(page)[value - 0x80];
}

std::optional<char> fromUnicode(CodePage page, char32_t character) {
    if (character < 0x80)
        return char(character);
    const auto &high = highHalf(page);
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == character)
            return char(0x80 + i);
    }
    return std::nullopt;
}

char fromUnicodeOrClosest(CodePage page, char32_t character) {
    // Decompositions are acyclic and end in a character without one, so this ends.
    for (std::optional<char32_t> c = character; c; c = canonicalBase(*c)) {
        if (const auto exact = fromUnicode(page, *c))
            return *exact;
        if (const auto plain = plainLookalike(*c))
            return *plain;
    }
    return '?';
}

QString ansiToString(const QByteArray &ansi) {
    QString text;
    text.reserve(ansi.size());
    for (const char byte : ansi)
        text.append(QChar(toUnicode(CodePage::Windows1252, byte)));
    return text;
}

QByteArray stringToAnsi(QStringView text) {
    QByteArray ansi;
    ansi.reserve(text.size());
    for (const char32_t character : text.toUcs4())
        ansi.append(fromUnicodeOrClosest(CodePage::Windows1252, character));
    return ansi;
}

QByteArray oemToAnsi(const QByteArray &oem, OemCodePage page) {
    static const std::array<ByteMap, 2> maps = {
        buildByteMap(CodePage::Ibm850, CodePage::Windows1252),
        buildByteMap(CodePage::Ibm437, CodePage::Windows1252)};
    return mapBytes(oem, maps[page == OemCodePage::Ibm437 ? 1 : 0]);
}

QByteArray ansiToOem(const QByteArray &ansi, OemCodePage page) {
    static const std::array<ByteMap, 2> maps = {
        buildByteMap(CodePage::Windows1252, CodePage::Ibm850),
        buildByteMap(CodePage::Windows1252, CodePage::Ibm437)};
    return mapBytes(ansi, maps[page == OemCodePage::Ibm437 ? 1 : 0]);
}

} // namespace krx
