#include "store/ui/HeaderGrid.h"

#include "store/ui/HeaderTableModel.h"
#include "store/ui/StatusMarkDelegate.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

namespace krx {

namespace {

// The keys that wait while the program is busy (the hourglass is shown); letters never wait.
bool isMovementKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

bool busy() {
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

// A time with wide names and digits, for the width of the time column.
QDateTime widestSampleTime() {
    return {QDate(2000, 9, 27), QTime(23, 58, 58)};
}

} // namespace

HeaderGrid::HeaderGrid(HeaderTableModel &model, QWidget *parent)
    : QTableView(parent), model_(model) {
    setObjectName(QStringLiteral("ll"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (const int column = model.numberColumn(); column >= 0)
        setItemDelegateForColumn(column, new StatusMarkDelegate(this));
    fitToFont();
}

int HeaderGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool HeaderGrid::isDataRow(int row) const {
    return model_.hasRecord(row);
}

void HeaderGrid::centreOn(int row) {
    if (row < 0 || row >= model_.rowCount())
        return;
    const QModelIndex target = model_.index(row, 0);
    setCurrentIndex(target);
    scrollTo(target, QAbstractItemView::PositionAtCenter);
}

void HeaderGrid::moveDown() {
    const int row = currentRow();
    if (row >= 0 && row + 1 < model_.rowCount())
        centreOn(row + 1);
}

QPoint HeaderGrid::popupPlace() const {
    const int row = std::max(currentRow(), 0);
    return viewport()->mapToGlobal(
        QPoint(columnViewportPosition(0) + 1, rowViewportPosition(row) + rowHeight(row)));
}

int HeaderGrid::fittedWidth(int column) const {
    const std::optional<HeaderField> field = model_.layout().fieldAt(column);
    const QFontMetrics metrics = fontMetrics();
    const int w = metrics.horizontalAdvance(QLatin1Char('w'));
    const int wide = metrics.horizontalAdvance(QLatin1Char('W'));
    if (!field)
        return 2 * wide;
    switch (*field) {
    case HeaderField::Number:
        return 10 * w;
    case HeaderField::Type:
    case HeaderField::Status:
        return 2 * wide;
    case HeaderField::Size:
        return 7 * w;
    case HeaderField::To:
        return metrics.horizontalAdvance(QStringLiteral("Kenelle "));
    case HeaderField::Via:
        return metrics.horizontalAdvance(QStringLiteral("Kautta  "));
    case HeaderField::From:
        return metrics.horizontalAdvance(QString::fromUtf8("Keneltä "));
    case HeaderField::Title:
        return 82 * w;
    case HeaderField::Time:
        return metrics.horizontalAdvance(model_.timeText(widestSampleTime()) + QLatin1Char(' '));
    }
    return 2 * wide;
}

void HeaderGrid::fitToFont() {
    const int rowHeight = fontMetrics().boundingRect(QStringLiteral("Wg")).height() + 2;
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int column = 0; column < model_.columnCount(); ++column)
        setColumnWidth(column, fittedWidth(column));
}

void HeaderGrid::changeEvent(QEvent *event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToFont();
}

void HeaderGrid::keyPressEvent(QKeyEvent *event) {
    const int key = event->key();
    if (isMovementKey(key) && busy()) {
        event->accept();
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers().testFlag(Qt::AltModifier))
            emit propertiesRequested();
        else
            emit openRequested();
        return;
    case Qt::Key_Right:
        emit openRequested();
        return;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        emit backRequested();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QTableView::keyPressEvent(event);
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.front().isPrint()) {
        const QChar letter = text.front().toUpper();
        const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && QStringLiteral("EHKRS").contains(letter))
            emit letterTyped(letter);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void HeaderGrid::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::RightButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    const int row = rowAt(event->position().toPoint().y());
    if (isDataRow(row)) {
        setCurrentIndex(model_.index(row, 0));
        emit popupRequested(event->globalPosition().toPoint());
    }
}

void HeaderGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    const int row = rowAt(event->position().toPoint().y());
    if (event->button() == Qt::LeftButton && isDataRow(row)) {
        setCurrentIndex(model_.index(row, 0));
        emit openRequested();
    }
}

} // namespace krx
