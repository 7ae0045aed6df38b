#include "store/ReceivedMessage.h"

#include "store/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <optional>

namespace krx {

namespace {

struct SectionMarks {
    const char *go;
    const char *stop;
};

constexpr SectionMarks sectionKinds[] = {
    {" go_7+.", " stop_7+."}, {" go_info.", " stop_info."}, {" go_text.", " stop_text."}};

// Where the first kind of section that has a stop mark after its go mark starts.
std::optional<qsizetype> firstSection(const QByteArray &text) {
    for (const SectionMarks &marks : sectionKinds) {
        const qsizetype go = text.indexOf(marks.go);
        if (go >= 0 && text.indexOf(marks.stop, go + qstrlen(marks.go)) >= 0)
            return go;
    }
    return std::nullopt;
}

// A section counts when it starts a line: a line feed just before it, or 70 characters
// before it (the 7plus line length).
bool startsLine(const QByteArray &text, qsizetype start) {
    const auto lineFeedAt = [&text](qsizetype position) {
        return position >= 0 && text.at(position) == '\n';
    };
    return lineFeedAt(start - 1) || lineFeedAt(start - 70);
}

bool isHtml(const QByteArray &text) {
    const auto pair = [&text](const char *open, const char *close) {
        const qsizetype start = text.indexOf(open);
        return start >= 0 && text.indexOf(close, start) >= 0;
    };
    return pair("<HTML>", "</HTML>") || pair("<html>", "</html>");
}

// Removes every section, from its go mark to the end of its stop mark's line.
QByteArray withoutSections(QByteArray text) {
    for (const SectionMarks &marks : sectionKinds) {
        for (;;) {
            const qsizetype go = text.indexOf(marks.go);
            const qsizetype stop = go < 0 ? -1 : text.indexOf(marks.stop, go);
            if (stop < 0)
                break;
            const qsizetype lineEnd = text.indexOf('\n', stop);
            text.remove(go, (lineEnd < 0 ? text.size() : lineEnd + 1) - go);
        }
    }
    return text;
}

} // namespace

bool HasSectionMarks(const QByteArray &text) {
    for (const SectionMarks &marks : sectionKinds)
        if (text.contains(marks.go) && text.contains(marks.stop))
            return true;
    return false;
}

FileResult<ReceivedMessage> classifyReceivedMessage(const QString &textPath,
                                                    const SectionExtraction &extraction,
                                                    const OemConversion &oem) {
    QFile file(textPath);
    if (!file.exists())
        return missingFile(textPath);
    if (!file.open(QIODevice::ReadOnly))
        return failedFile(textPath, file.errorString());
    QByteArray text = file.readAll();
    file.close();
    text.replace('\0', ' ');

    ReceivedMessage result{false, textPath};
    const std::optional<qsizetype> section = firstSection(text);
    if (section && startsLine(text, *section) && extraction)
        result.sevenPlus = extraction(text);

    const bool html = isHtml(text);
    if (result.sevenPlus && !html)
        return result;
    const QByteArray converted = oem.receivedToAnsi(text);
    if (!html) {
        const FileStatus written = writeWholeFile(textPath, converted);
        if (!written.ok())
            return written.error();
        return result;
    }
    const QFileInfo info(textPath);
    result.path =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".html");
    const FileStatus written = writeWholeFile(result.path, withoutSections(converted));
    if (!written.ok())
        return written.error();
    if (!file.remove())
        return failedFile(textPath, file.errorString());
    return result;
}

} // namespace krx
