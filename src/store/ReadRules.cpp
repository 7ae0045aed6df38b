#include "store/ReadRules.h"

#include "store/ListDefinitions.h"

namespace krx {

namespace {

char column(const QByteArray &line, int oneBased) {
    return oneBased <= line.size() ? line.at(oneBased - 1) : ' ';
}

bool sameText(const QByteArray &value, const QByteArray &field) {
    return !value.isEmpty() && field.toUpper() == value;
}

} // namespace

bool ReadRule::matches(const HeaderRecord &record) const {
    switch (field) {
    case '<':
        return sameText(value, record.from.text());
    case '>':
        return sameText(value, record.to.text());
    case '@':
        return !record.via.isEmpty() && sameText(value, record.via.text());
    case 'P':
        return record.kind == 'P';
    case 'S':
        return !value.isEmpty() && record.title.text().toUpper().contains(value);
    default:
        return false;
    }
}

ReadRules parseReadRules(const QByteArray &content) {
    ReadRules result;
    for (const QByteArray &raw : textLines(content)) {
        const QByteArray line = raw.toUpper();
        if (line.startsWith(';') || line.startsWith(':') || line.trimmed().isEmpty())
            continue;
        ReadRule rule;
        rule.line = line;
        rule.action = column(line, 1);
        rule.field = column(line, 3);
        rule.listFileName = line.mid(4, 12).trimmed();
        rule.value = line.mid(17, 40).trimmed();
        rule.hasTab = line.contains('\t');
        result.tabLinesFound = result.tabLinesFound || rule.hasTab;
        result.rules.push_back(rule);
    }
    return result;
}

} // namespace krx
