#include "store/ui/Tstatus_vaihto.h"

#include "store/MessageStore.h"
#include "store/ui/ListsWindowTexts.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace t = listswindowtexts;

// What a status letter needs before it can be chosen.
enum class Needs { Nothing, MessageFile, MessageFileInPersonalList };

struct Choice {
    const char *name;
    const BiText &text;
    char status;
    Needs needs;
};

const Choice choices[] = {
    {"ei_mitaan", t::noMarking, status::New, Needs::Nothing},
    {"luettava", t::toBeFetched, status::ToFetch, Needs::Nothing},
    {"lukematon", t::notReadYet, status::Unread, Needs::MessageFile},
    {"plus_7", t::sevenPlus, status::SevenPlus, Needs::Nothing},
    {"luettu", t::readStatus, status::Read, Needs::MessageFile},
    {"poistettava", t::toBeKilled, status::ToKill, Needs::Nothing},
    {"lahettamaton", t::notSentYet, status::NotSent, Needs::MessageFileInPersonalList},
    {"kesken", t::unfinished, status::Unfinished, Needs::MessageFileInPersonalList},
};

} // namespace

Tstatus_vaihto::Tstatus_vaihto(MessageStore &store, int listIndex, int index,
                               const HeaderRecord &record, Language language, QWidget *parent)
    : QDialog(parent), store_(store), listIndex_(listIndex), index_(index), record_(record) {
    setObjectName(QStringLiteral("status_vaihto"));
    setWindowTitle(t::statusCaption.in(language));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font());

    const bool hasMessage = store.hasMessageFile(listIndex, record.number);
    const bool personal = listIndex == MessageStore::personalList;
    auto *layout = new QVBoxLayout(this);
    QRadioButton *current = nullptr;
    for (const Choice &choice : choices) {
        auto *button = new QRadioButton(choice.text.in(language));
        button->setObjectName(QString::fromLatin1(choice.name));
        button->setEnabled(choice.needs == Needs::Nothing ||
                           (hasMessage && (choice.needs == Needs::MessageFile || personal)));
        if (choice.status == record.status) {
            button->setChecked(true);
            current = button;
        }
        layout->addWidget(button);
        choices_.emplace_back(button, choice.status);
    }

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    QPushButton *cancel = buttons->addButton(t::cancel.in(language), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Peruuta"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (current)
        current->setFocus();
}

std::optional<char> Tstatus_vaihto::chosenStatus() const {
    for (const auto &[button, status] : choices_)
        if (button->isChecked())
            return status;
    return std::nullopt;
}

void Tstatus_vaihto::accept() {
    if (const std::optional<char> status = chosenStatus(); status && *status != record_.status)
        store_.ChangeStatus(listIndex_, index_, *status);
    QDialog::accept();
}

} // namespace krx
