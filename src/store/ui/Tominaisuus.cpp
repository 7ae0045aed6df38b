#include "store/ui/Tominaisuus.h"

#include "core/CodePage.h"
#include "core/Prompter.h"
#include "store/DateConversion.h"
#include "store/MessageStore.h"
#include "store/TimePicture.h"
#include "store/ui/ListsWindowTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace krx {

namespace {

namespace t = listswindowtexts;

constexpr int valueCharacters = 82;
constexpr char datePicture[] = "dd/mm/yyyy hh:nn:ss";

bool editable(Tominaisuus::Row row) {
    switch (row) {
    case Tominaisuus::Kind:
    case Tominaisuus::Status:
    case Tominaisuus::Size:
    case Tominaisuus::Via:
    case Tominaisuus::To:
    case Tominaisuus::ForwardBbs:
    case Tominaisuus::Bid:
        return true;
    default:
        return false;
    }
}

QString letterText(char letter) {
    return letter == '\0' ? QString() : ansiToString(QByteArray(1, letter));
}

QString dateText(double days, const TimePicture &picture) {
    return std::isfinite(days) ? picture.format(fromRecordDate(days)) : QString();
}

} // namespace

Tominaisuus::Tominaisuus(MessageStore &store, int listIndex, int index, const HeaderRecord &record,
                         Language language, Prompter &prompter, QWidget *parent)
    : QDialog(parent), store_(store), listIndex_(listIndex), index_(index), record_(record),
      language_(language), prompter_(prompter), StringGrid1_(new QTableWidget(RowCount, 2)) {
    setObjectName(QStringLiteral("ominaisuus"));
    setWindowTitle(t::propertiesCaption.in(language));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font());

    StringGrid1_->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1_->horizontalHeader()->hide();
    StringGrid1_->verticalHeader()->hide();
    StringGrid1_->setEditTriggers(
        QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    fill(language);

    auto *Talleta = new QPushButton(t::save.in(language));
    Talleta->setObjectName(QStringLiteral("Talleta"));
    Talleta->setDefault(true); // Enter in the grid saves
    auto *Poistu = new QPushButton(t::cancel.in(language));
    Poistu->setObjectName(QStringLiteral("Poistu"));
    Poistu->setAutoDefault(false);
    connect(Talleta, &QPushButton::clicked, this, &Tominaisuus::save);
    connect(Poistu, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Talleta);
    buttons->addWidget(Poistu);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(StringGrid1_);
    layout->addLayout(buttons);
}

void Tominaisuus::fill(Language language) {
    const TimePicture dates(QLatin1String(datePicture), language);
    const QString values[RowCount] = {
        letterText(record_.kind),
        letterText(record_.status),
        QString::number(record_.number),
        QString::number(record_.size),
        ansiToString(record_.from.text()),
        ansiToString(record_.via.text()),
        ansiToString(record_.to.text()),
        ansiToString(record_.title.text()),
        dateText(record_.bbs_time, dates),
        dateText(record_.stored_time, dates),
        ansiToString(record_.forward_bbs.text()),
        QString::number(record_.bbs_number),
        ansiToString(record_.bid.text()),
    };
    const QFontMetrics metrics = fontMetrics();
    const int w = metrics.horizontalAdvance(QLatin1Char('w'));
    int labelWidth = 0;
    for (int row = 0; row < RowCount; ++row) {
        const QString label = t::propertyLabels[row].in(language);
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(label));
        auto *labelItem = new QTableWidgetItem(label);
        labelItem->setFlags(Qt::ItemIsEnabled);
        StringGrid1_->setItem(row, 0, labelItem);
        auto *valueItem = new QTableWidgetItem(values[row]);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (editable(Row(row)))
            flags |= Qt::ItemIsEditable;
        valueItem->setFlags(flags);
        StringGrid1_->setItem(row, 1, valueItem);
    }
    StringGrid1_->setColumnWidth(0, labelWidth + 2 * w);
    StringGrid1_->setColumnWidth(1, valueCharacters * w);
    StringGrid1_->setMinimumWidth(labelWidth + 2 * w + valueCharacters * w +
                                  2 * StringGrid1_->frameWidth());
    StringGrid1_->setCurrentCell(Kind, 1);
}

QString Tominaisuus::value(Row row) const {
    return StringGrid1_->item(row, 1)->text();
}

void Tominaisuus::save() {
    // Moving the current cell away commits a value that is still being edited.
    StringGrid1_->setCurrentIndex({});
    bool isNumber = false;
    const int size = value(Size).trimmed().toInt(&isNumber);
    if (!isNumber) {
        prompter_.show(t::sizeNotNumber.in(language_));
        return;
    }
    HeaderRecord record = record_;
    const QByteArray kind = stringToAnsi(value(Kind));
    if (!kind.isEmpty()) // an emptied type keeps the type the header had
        record.kind = kind.front();
    const QByteArray status = stringToAnsi(value(Status));
    record.status = status.isEmpty() ? status::New : status.front();
    record.size = size;
    record.to = stringToAnsi(value(To));
    record.via = stringToAnsi(value(Via));
    record.forward_bbs = stringToAnsi(value(ForwardBbs));
    record.bid = stringToAnsi(value(Bid));
    if (store_.ReplaceHeader(listIndex_, index_, record))
        accept();
}

} // namespace krx
