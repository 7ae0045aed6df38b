#include "store/HeaderSearch.h"

#include "store/MessageFiles.h"

#include <QFile>

namespace krx {

namespace {

struct HeaderTest {
    QByteArray title;
    QByteArray from;
    QByteArray to;

    explicit HeaderTest(const SearchCriteria &criteria)
        : title(criteria.title.trimmed().toUpper()), from(criteria.from.trimmed().toUpper()),
          to(criteria.to.trimmed().toUpper()) {}

    bool anyGiven() const { return !title.isEmpty() || !from.isEmpty() || !to.isEmpty(); }
    bool givenHold(const HeaderRecord &record) const {
        return record.to.text().toUpper().startsWith(to) &&
               record.from.text().toUpper().startsWith(from) &&
               record.title.text().toUpper().contains(title);
    }
};

// The message text the search reads: the HTML file when there is one, else the plain text.
std::optional<QString> messageToSearch(const MessageFolder &messages, qint32 number) {
    const QStringList files = messages.existing(number);
    for (const QString &path : files)
        if (path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive))
            return path;
    if (files.isEmpty())
        return std::nullopt;
    return files.constFirst();
}

bool messageContains(const QString &path, const QByteArray &text) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().toUpper().contains(text.toUpper());
}

} // namespace

std::optional<SearchHit> SearchHeaders(const std::vector<HeaderRecord> &records, int currentIndex,
                                       const SearchCriteria &criteria,
                                       const MessageFolder &messages) {
    const HeaderTest header(criteria);
    const int step = criteria.direction < 0 ? -1 : 1;
    const int count = int(records.size());
    int index = currentIndex >= 0 ? currentIndex + step : (step > 0 ? 0 : count - 1);
    for (; index >= 0 && index < count; index += step) {
        const HeaderRecord &record = records[index];
        const bool given = header.givenHold(record);
        if (given && header.anyGiven())
            return SearchHit{index, false};
        if (criteria.contains.isEmpty() || !given || record.status == status::New ||
            record.status == status::ToFetch)
            continue;
        const std::optional<QString> path = messageToSearch(messages, record.number);
        if (!path || messageContains(*path, criteria.contains))
            return SearchHit{index, true};
    }
    return std::nullopt;
}

} // namespace krx
