#include "store/ui/HeaderTableModel.h"

#include "core/CodePage.h"
#include "store/PendingHeaderChanges.h"
#include "store/ui/ListsWindowTexts.h"

namespace krx {

namespace t = listswindowtexts;

QString headerFieldTitle(HeaderField field, Language language) {
    switch (field) {
    case HeaderField::Number:
        return t::numberTitle.in(language);
    case HeaderField::Type:
        return t::typeTitle.in(language);
    case HeaderField::Status:
        return t::statusTitle.in(language);
    case HeaderField::Size:
        return t::sizeTitle.in(language);
    case HeaderField::To:
        return t::toTitle.in(language);
    case HeaderField::Via:
        return t::viaTitle.in(language);
    case HeaderField::From:
        return t::fromTitle.in(language);
    case HeaderField::Title:
        return t::titleTitle.in(language);
    case HeaderField::Time:
        return t::timeTitle.in(language);
    }
    return {};
}

HeaderTableModel::HeaderTableModel(const HeaderGridLayout &layout, Language language,
                                   QObject *parent)
    : QAbstractTableModel(parent), layout_(layout), language_(language),
      timePicture_(ansiToString(layout.timeFormat), language) {}

void HeaderTableModel::setRecords(std::vector<HeaderRecord> records, qint32 seenMark) {
    beginResetModel();
    records_ = std::move(records);
    seenMark_ = seenMark;
    endResetModel();
}

bool HeaderTableModel::putRecord(int index, const HeaderRecord &record) {
    const int count = int(records_.size());
    // The first header of an empty list takes the place of the empty row.
    const bool newRow = index == count && count > 0;
    if (newRow)
        beginInsertRows({}, index, index);
    const bool put = PendingHeaderChanges::put(records_, index, record);
    if (newRow)
        endInsertRows();
    if (put && !newRow)
        emit dataChanged(this->index(index, 0), this->index(index, columnCount() - 1));
    return put;
}

void HeaderTableModel::setSeenMark(qint32 seenMark) {
    seenMark_ = seenMark;
    const int column = numberColumn();
    if (column >= 0 && !records_.empty())
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

int HeaderTableModel::numberColumn() const {
    return layout_.shows(HeaderField::Number) ? layout_.position(HeaderField::Number) : -1;
}

int HeaderTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : std::max(int(records_.size()), 1);
}

int HeaderTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : layout_.columnCount();
}

QVariant HeaderTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || !hasRecord(index.row()))
        return {};
    const HeaderRecord &header = record(index.row());
    switch (role) {
    case Qt::DisplayRole: {
        const std::optional<HeaderField> field = layout_.fieldAt(index.column());
        return field ? headerCellText(header, *field, timePicture_) : QString();
    }
    case StatusRole:
        return int(static_cast<unsigned char>(header.status));
    case NewRole:
        return header.number > seenMark_;
    default:
        return {};
    }
}

QVariant HeaderTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const std::optional<HeaderField> field = layout_.fieldAt(section);
    return field ? headerFieldTitle(*field, language_) : QString();
}

} // namespace krx
