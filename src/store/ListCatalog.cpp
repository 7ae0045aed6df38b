#include "store/ListCatalog.h"

namespace krx {

ListCatalog::ListCatalog(const ProgramDirectory &directory, Language language)
    : directory_(directory), language_(language) {}

void ListCatalog::setLists(const std::vector<ListDefinition> &definitions) {
    lists_.clear();
    for (const ListDefinition &definition : definitions)
        lists_.push_back({definition, {}, false, 0});
    totals_ = {};
}

std::optional<int> ListCatalog::indexOfFile(const QByteArray &fileName) const {
    for (int i = 0; i < count(); ++i)
        if (fileName.compare(this->fileName(i), Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

QString ListCatalog::dataPath(int index, const char *extension) const {
    return directory_.resolve(QStringLiteral("data\\") + QString::fromLatin1(name(index)) +
                              QLatin1String(extension));
}

QString ListCatalog::listPath(int index) const {
    return dataPath(index, ".lst");
}
QString ListCatalog::backupPath(int index) const {
    return dataPath(index, ".bak");
}
QString ListCatalog::numberPath(int index) const {
    return dataPath(index, ".num");
}

QString ListCatalog::messageFolderPath(int index) const {
    return directory_.resolve(QStringLiteral("mail\\") + QString::fromLatin1(name(index)));
}

void ListCatalog::adjust(int index, CounterColumn column, int delta) {
    if (!contains(index) || !lists_[index].counted || delta == 0)
        return;
    const int newBefore = lists_[index].counters[CounterColumn::New];
    lists_[index].counters.add(column, delta);
    totals_.add(column, delta);
    changed(index, newBefore);
}

void ListCatalog::setCounted(int index, const ListCounters &counters) {
    StoreList &list = lists_[index];
    const int newBefore = list.counters[CounterColumn::New];
    if (list.counted)
        totals_ -= list.counters;
    list.counters = counters;
    list.counted = true;
    totals_ += counters;
    changed(index, newBefore);
}

void ListCatalog::setUncounted(int index) {
    StoreList &list = lists_[index];
    const int newBefore = list.counters[CounterColumn::New];
    if (list.counted)
        totals_ -= list.counters;
    list.counters = {};
    list.counted = false;
    changed(index, newBefore);
}

void ListCatalog::changed(int index, int newBefore) {
    emit listLineChanged(index);
    emit totalsChanged();
    const int newNow = lists_[index].counters[CounterColumn::New];
    if (announcing_ && index == personalList && newNow != newBefore)
        emit newMessagesChanged(newNow);
}

QString ListCatalog::line(int index) const {
    const StoreList &list = lists_[index];
    return listLine(list.definition.name, list.counted ? &list.counters : nullptr);
}

QString ListCatalog::totalsLine() const {
    return krx::totalsLine(language_, totals_);
}
QString ListCatalog::columnHeaderLine() const {
    return krx::columnHeaderLine(language_);
}
QString ListCatalog::statusSummary() const {
    return krx::statusSummary(totals_);
}

} // namespace krx
