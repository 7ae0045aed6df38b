#include "store/ui/TetsiDlg.h"

#include "core/CodePage.h"
#include "core/Prompter.h"
#include "core/ui/WindowMessageEvent.h"
#include "store/ui/Hint.h"
#include "store/ui/ListsWindowTexts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace t = listswindowtexts;

constexpr int titleLength = 80;

} // namespace

TetsiDlg::TetsiDlg(const SearchCriteria &kept, Language language, Prompter &prompter,
                   QWidget *parent)
    : QDialog(parent), language_(language), prompter_(prompter) {
    setObjectName(QStringLiteral("etsiDlg"));
    setWindowTitle(t::searchCaption.in(language));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font());

    auto *fields = new QFormLayout;
    otsikko_ = addField(fields, t::titleLabel, t::titleFieldHint, "otsikko", kept.title);
    otsikko_->setMaxLength(titleLength);
    kenelt_ = addField(fields, t::fromLabel, t::fromFieldHint, "kenelt", kept.from);
    kenelle_ = addField(fields, t::toLabel, t::toFieldHint, "kenelle", kept.to);
    sisaltaa_ = addField(fields, t::containsLabel, t::containsFieldHint, "sisaltaa", kept.contains);

    merkkaa_ = new QCheckBox(t::markFound.in(language));
    merkkaa_->setObjectName(QStringLiteral("merkkaa"));
    setHint(merkkaa_, t::markFoundHint.in(language));
    eteen_ = new QRadioButton(t::forward.in(language));
    eteen_->setObjectName(QStringLiteral("eteen"));
    setHint(eteen_, t::forwardHint.in(language));
    taakse_ = new QRadioButton(t::backward.in(language));
    taakse_->setObjectName(QStringLiteral("taakse"));
    setHint(taakse_, t::backwardHint.in(language));
    (kept.direction < 0 ? taakse_ : eteen_)->setChecked(true);

    OKBtn_ = new QPushButton(t::findNext.in(language));
    OKBtn_->setObjectName(QStringLiteral("OKBtn"));
    OKBtn_->setDefault(true);
    setHint(OKBtn_, t::findNextHint.in(language));
    auto *CancelBtn = new QPushButton(t::closeSearch.in(language));
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    setHint(CancelBtn, t::closeSearchHint.in(language));
    connect(OKBtn_, &QPushButton::clicked, this, &TetsiDlg::findNext);
    connect(CancelBtn, &QPushButton::clicked, this, &QWidget::close);

    auto *directions = new QHBoxLayout;
    directions->addWidget(eteen_);
    directions->addWidget(taakse_);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKBtn_);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(merkkaa_);
    layout->addLayout(directions);
    layout->addLayout(buttons);
}

QLineEdit *TetsiDlg::addField(QFormLayout *form, const BiText &label, const BiText &hint,
                              const char *name, const QByteArray &text) {
    auto *field = new QLineEdit(ansiToString(text));
    field->setObjectName(QString::fromLatin1(name));
    setHint(field, hint.in(language_));
    form->addRow(label.in(language_), field);
    return field;
}

bool TetsiDlg::marksFound() const {
    return merkkaa_->isChecked();
}

void TetsiDlg::findNext() {
    search(eteen_->isChecked() ? 1 : -1);
}

bool TetsiDlg::event(QEvent *event) {
    if (event->type() == WindowMessageEvent::eventType() &&
        static_cast<WindowMessageEvent *>(event)->message() == CM_SEARCH_FORWARD) {
        search(1);
        return true;
    }
    return QDialog::event(event);
}

void TetsiDlg::search(int direction) {
    SearchCriteria criteria;
    criteria.title = stringToAnsi(otsikko_->text());
    criteria.from = stringToAnsi(kenelt_->text());
    criteria.to = stringToAnsi(kenelle_->text());
    criteria.contains = stringToAnsi(sisaltaa_->text());
    criteria.direction = direction;
    criteria.mark = marksFound();
    if (criteria.title.isEmpty() && criteria.from.isEmpty() && criteria.to.isEmpty() &&
        criteria.contains.isEmpty()) {
        prompter_.message(QString(), t::nothingToSearch.in(language_), MessageIcon::Warning,
                          MessageButtons::Ok);
        return;
    }
    OKBtn_->setCursor(Qt::WaitCursor);
    emit searchRequested(criteria);
    OKBtn_->unsetCursor();
}

} // namespace krx
