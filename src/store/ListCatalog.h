#pragma once

#include "core/Language.h"
#include "core/ProgramDirectory.h"
#include "store/ListCounters.h"
#include "store/ListDefinitions.h"

#include <QObject>
#include <optional>
#include <vector>

namespace krx {

// One list of the store: its definition, its counters and its seen mark (headers numbered
// above it are new).
struct StoreList {
    ListDefinition definition;
    ListCounters counters;
    bool counted = false; // false while its file could not be counted: the line shows no counters
    qint32 seenMark = 0;
};

// The lists of the store in epurt.ini order, where their files are, and their counters. The
// counters are integers kept here, changed by adding at a column and never read back from
// the text of a list line.
class ListCatalog : public QObject {
    Q_OBJECT
public:
    static constexpr int personalList = 0;
    static constexpr int defaultList = 1;

    ListCatalog(const ProgramDirectory &directory, Language language);

    void setLists(const std::vector<ListDefinition> &definitions);
    int count() const { return int(lists_.size()); }
    bool contains(int index) const { return index >= 0 && index < count(); }
    const StoreList &list(int index) const { return lists_[index]; }
    void setSeenMark(int index, qint32 mark) { lists_[index].seenMark = mark; }
    QByteArray name(int index) const { return lists_[index].definition.name; }
    QByteArray fileName(int index) const { return lists_[index].definition.fileName(); }
    // The list whose file is named so, without regard to case.
    std::optional<int> indexOfFile(const QByteArray &fileName) const;

    // Real paths of a list's files.
    QString listPath(int index) const;
    QString backupPath(int index) const;
    QString numberPath(int index) const;
    QString messageFolderPath(int index) const;

    void adjust(int index, CounterColumn column, int delta);
    // Replaces a list's counters after it has been counted.
    void setCounted(int index, const ListCounters &counters);
    // The list could not be counted: its line shows no counters and adds nothing to the totals.
    void setUncounted(int index);
    const ListCounters &totals() const { return totals_; }

    QString line(int index) const;
    QString totalsLine() const;
    QString columnHeaderLine() const;
    QString statusSummary() const;

    // From now on changes of the personal list's new counter are announced.
    void announceNewMessages() { announcing_ = true; }

signals:
    void listLineChanged(int index);
    void totalsChanged();
    // The count of new headers in the personal list has changed.
    void newMessagesChanged(int count);

private:
    QString dataPath(int index, const char *extension) const;
    void changed(int index, int newBefore);

    const ProgramDirectory &directory_;
    Language language_;
    std::vector<StoreList> lists_;
    ListCounters totals_;
    bool announcing_ = false;
};

} // namespace krx
