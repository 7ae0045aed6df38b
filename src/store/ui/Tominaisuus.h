#pragma once

#include "core/Language.h"
#include "store/HeaderRecord.h"

#include <QDialog>

class QTableWidget;

namespace krx {

class MessageStore;
class Prompter;

// The properties window (`ominaisuus`): the thirteen fields of one header, some of them
// editable. Save (or Enter) writes the header back and moves its count to the counter of its
// new status; Esc closes. It stays on top and frees itself when closed.
class Tominaisuus : public QDialog {
    Q_OBJECT
public:
    enum Row {
        Kind,
        Status,
        Number,
        Size,
        From,
        Via,
        To,
        Title,
        BbsTime,
        StoredTime,
        ForwardBbs,
        BbsNumber,
        Bid,
        RowCount
    };

    Tominaisuus(MessageStore &store, int listIndex, int index, const HeaderRecord &record,
                Language language, Prompter &prompter, QWidget *parent = nullptr);

    QTableWidget *fields() const { return StringGrid1_; }

    // Writes the header as edited; a size that is not a number keeps the window open.
    void save();

private:
    void fill(Language language);
    QString value(Row row) const;

    MessageStore &store_;
    int listIndex_;
    int index_;
    HeaderRecord record_;
    Language language_;
    Prompter &prompter_;
    QTableWidget *StringGrid1_ = nullptr;
};

} // namespace krx
