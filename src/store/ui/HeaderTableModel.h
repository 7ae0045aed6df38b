#pragma once

#include "core/Language.h"
#include "store/HeaderGridLayout.h"
#include "store/HeaderRecord.h"
#include "store/TimePicture.h"

#include <QAbstractTableModel>
#include <vector>

namespace krx {

// The headers of the list open in the lists window, as the rows of its grid: one row per
// record in list order (row = record index), the columns as the layout places the fields.
// A list without headers shows one empty row. Cell texts are made when the view asks, so a
// list of any length is shown at once.
class HeaderTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The status letter of the row (int) and whether its header is new (bool), for the mark.
    static constexpr int StatusRole = Qt::UserRole + 1;
    static constexpr int NewRole = Qt::UserRole + 2;

    HeaderTableModel(const HeaderGridLayout &layout, Language language, QObject *parent = nullptr);

    void setRecords(std::vector<HeaderRecord> records, qint32 seenMark);
    const std::vector<HeaderRecord> &records() const { return records_; }
    bool hasRecord(int row) const { return row >= 0 && row < int(records_.size()); }
    const HeaderRecord &record(int row) const { return records_[std::size_t(row)]; }
    // A header written in place or appended at the next index; false when the index is beyond.
    bool putRecord(int index, const HeaderRecord &record);
    void setSeenMark(qint32 seenMark);
    qint32 seenMark() const { return seenMark_; }

    const HeaderGridLayout &layout() const { return layout_; }
    QString timeText(const QDateTime &time) const { return timePicture_.format(time); }
    // The column of the number field, or -1 when it is hidden.
    int numberColumn() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    HeaderGridLayout layout_;
    Language language_;
    TimePicture timePicture_;
    std::vector<HeaderRecord> records_;
    qint32 seenMark_ = 0;
};

// The grid's title of a field.
QString headerFieldTitle(HeaderField field, Language language);

} // namespace krx
