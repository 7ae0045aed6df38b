#include "store/ListDefinitions.h"

#include <QList>

namespace krx {

namespace {

struct RetentionColumn {
    int first; // 1-based
    int width;
};

// The fixed columns of the private and the other kinds' retention days, by status.
constexpr RetentionColumn privateColumns[] = {{16, 5}, {21, 4}, {25, 5}, {30, 5}, {35, 5}, {40, 4}};
constexpr RetentionColumn otherColumns[] = {{44, 5}, {49, 5}, {54, 5}, {59, 5}, {64, 5}, {69, 5}};

std::optional<int> statusColumn(char status) {
    switch (status) {
    case ' ':
        return 0;
    case '-':
        return 1;
    case 'K':
        return 2;
    case 'Y':
        return 3;
    case 'R':
    case 'r':
        return 4;
    case '+':
        return 5;
    default:
        return std::nullopt;
    }
}

void readDays(const QByteArray &line, const RetentionColumn (&columns)[Retention::statusCount],
              std::array<int, Retention::statusCount> &days) {
    for (int i = 0; i < Retention::statusCount; ++i) {
        bool ok = false;
        const int value = line.mid(columns[i].first - 1, columns[i].width).trimmed().toInt(&ok, 10);
        if (ok)
            days[i] = value;
    }
}

QByteArray listName(const QByteArray &line) {
    const QByteArray text = line.trimmed();
    const int space = text.indexOf(' ');
    QByteArray name = (space < 0 ? text : text.left(space)).trimmed().toUpper();
    const int dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

bool isComment(const QByteArray &line) {
    return line.startsWith(';') || line.startsWith(':');
}

} // namespace

std::optional<int> Retention::daysFor(char kind, char status) const {
    const std::optional<int> column = statusColumn(status);
    if (!column)
        return std::nullopt;
    return kind == 'P' ? privateDays[*column] : otherDays[*column];
}

std::vector<QByteArray> textLines(const QByteArray &content) {
    std::vector<QByteArray> lines;
    for (QByteArray line : content.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.push_back(line);
    }
    if (!lines.empty() && lines.back().isEmpty())
        lines.pop_back();
    return lines;
}

ListDefinitions parseListDefinitions(const QByteArray &content) {
    ListDefinitions result;
    for (const QByteArray &line : textLines(content)) {
        if (isComment(line) || line.trimmed().isEmpty())
            continue;
        if (line.contains('\t')) {
            result.tabLinesDropped = true;
            continue;
        }
        ListDefinition list{listName(line), line, {}};
        readDays(line, privateColumns, list.retention.privateDays);
        readDays(line, otherColumns, list.retention.otherDays);
        result.lists.push_back(list);
    }
    return result;
}

} // namespace krx
