#pragma once

#include "core/Language.h"
#include "store/HeaderRecord.h"

#include <QDialog>
#include <optional>
#include <vector>

class QRadioButton;

namespace krx {

class MessageStore;

// The status change window (`status_vaihto`): one radio button per status letter; OK writes
// the checked letter to the header and moves its count from the old status's counter to the
// new one's. The letters of fetched messages need the message file, and those of written
// messages also the personal list. It stays on top and frees itself when closed.
class Tstatus_vaihto : public QDialog {
    Q_OBJECT
public:
    Tstatus_vaihto(MessageStore &store, int listIndex, int index, const HeaderRecord &record,
                   Language language, QWidget *parent = nullptr);

    // The letter of the checked button, or nothing when none is checked.
    std::optional<char> chosenStatus() const;

    void accept() override;

private:
    MessageStore &store_;
    int listIndex_;
    int index_;
    HeaderRecord record_;
    std::vector<std::pair<QRadioButton *, char>> choices_;
};

} // namespace krx
