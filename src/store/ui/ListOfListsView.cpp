#include "store/ui/ListOfListsView.h"

#include "store/ui/ColourLegend.h"
#include "store/ui/Hint.h"
#include "store/ui/ListsWindowTexts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace krx {

namespace {

namespace t = listswindowtexts;

constexpr int lineCharacters = 50;
constexpr int sevenPlusGap = 16;

void colourByFocus(QWidget *list, bool focused) {
    QPalette colors = list->palette();
    colors.setColor(QPalette::Base, QPalette().color(focused ? QPalette::Base : QPalette::Button));
    list->setPalette(colors);
}

QLabel *fixedLine(const char *name) {
    auto *label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setMargin(0);
    label->setIndent(0);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

ListOfListsView::ListOfListsView(Language language, QWidget *parent)
    : QWidget(parent), legend_(new ColourLegend(language)),
      messuotsikko_(fixedLine("messuotsikko")), messulistat_(new QListWidget),
      totals_(fixedLine("totals")), notice_(fixedLine("notice")),
      Label1_(new QLabel(t::sevenPlusFiles.in(language))), p7_lista_(new QListWidget) {
    messulistat_->setObjectName(QStringLiteral("messulistat"));
    messulistat_->setSelectionMode(QAbstractItemView::SingleSelection);
    messulistat_->setContextMenuPolicy(Qt::CustomContextMenu);
    messulistat_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1_->setObjectName(QStringLiteral("Label1"));
    p7_lista_->setObjectName(QStringLiteral("p7_lista"));
    setHint(p7_lista_, t::sevenPlusHint.in(language));
    notice_->hide();
    for (QListWidget *list : {messulistat_, p7_lista_}) {
        list->installEventFilter(this);
        colourByFocus(list, false);
    }
    // A right press selects the line under the mouse before the popup opens.
    connect(messulistat_, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QListWidgetItem *item = messulistat_->itemAt(at))
            messulistat_->setCurrentItem(item);
        emit popupRequested(messulistat_->viewport()->mapToGlobal(at));
    });
    connect(messulistat_, &QListWidget::itemDoubleClicked, this,
            [this] { emit openRequested(selectedList()); });

    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(legend_);
    listColumn->addWidget(messuotsikko_);
    listColumn->addWidget(messulistat_);
    listColumn->addWidget(totals_);
    listColumn->addWidget(notice_);
    listColumn->addStretch(1);
    auto *sevenPlusColumn = new QVBoxLayout;
    sevenPlusColumn->addWidget(Label1_);
    sevenPlusColumn->addWidget(p7_lista_, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(listColumn);
    layout->addSpacing(sevenPlusGap);
    layout->addLayout(sevenPlusColumn, 1);
    fitToFont();
}

void ListOfListsView::setLines(const QStringList &lines) {
    messulistat_->clear();
    messulistat_->addItems(lines);
    fitListHeight();
}

void ListOfListsView::setLine(int listIndex, const QString &line) {
    if (QListWidgetItem *item = messulistat_->item(listIndex))
        item->setText(line);
}

void ListOfListsView::setColumnHeader(const QString &line) {
    messuotsikko_->setText(line);
}

void ListOfListsView::setTotals(const QString &line) {
    totals_->setText(line);
}

void ListOfListsView::setNotice(const QString &text) {
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

int ListOfListsView::selectedList() const {
    return messulistat_->currentRow();
}

void ListOfListsView::selectList(int listIndex) {
    messulistat_->setCurrentRow(listIndex);
}

void ListOfListsView::reselectFirst() {
    if (messulistat_->count() > 0 && messulistat_->currentRow() <= 0) {
        messulistat_->setCurrentRow(0);
        messulistat_->viewport()->update();
    }
}

bool ListOfListsView::eventFilter(QObject *watched, QEvent *event) {
    auto *list = qobject_cast<QListWidget *>(watched);
    if (!list)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        colourByFocus(list, true);
        break;
    case QEvent::FocusOut:
        colourByFocus(list, false);
        break;
    case QEvent::KeyPress:
        return listKey(list, static_cast<QKeyEvent *>(event));
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// Enter or Right opens the selected list; Esc or Left minimises the window (in the 7plus
// list too; its other keys are the 7plus part's).
bool ListOfListsView::listKey(QListWidget *list, QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Right:
        if (list != messulistat_)
            return false;
        emit openRequested(selectedList());
        return true;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        emit minimiseRequested();
        return true;
    default:
        return false;
    }
}

void ListOfListsView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    fitListHeight();
}

void ListOfListsView::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

void ListOfListsView::fitToFont() {
    const int width =
        fontMetrics().horizontalAdvance(QString(lineCharacters + 2, QLatin1Char('w')));
    messulistat_->setFixedWidth(width + 2 * messulistat_->frameWidth());
    fitListHeight();
}

// As high as its lines and one more, but leaving room for six lines below it.
void ListOfListsView::fitListHeight() {
    const int itemHeight = std::max(messulistat_->sizeHintForRow(0), fontMetrics().height());
    const int wanted = (messulistat_->count() + 1) * itemHeight + 2 * messulistat_->frameWidth();
    const int room = height() - 6 * totals_->sizeHint().height();
    messulistat_->setFixedHeight(std::max(std::min(wanted, room), itemHeight));
}

} // namespace krx
