#include "store/ui/ColourLegend.h"

#include "store/ListCounters.h"
#include "store/ui/Hint.h"
#include "store/ui/ListsWindowTexts.h"

#include <QEvent>
#include <QPainter>

namespace krx {

namespace {

namespace t = listswindowtexts;

// One filled circle of the legend.
class LegendMark : public QWidget {
public:
    LegendMark(const QColor &color, QWidget *parent) : QWidget(parent), color_(color) {}

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(color_);
        painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
    }

private:
    QColor color_;
};

struct LegendEntry {
    const char *name;
    QColor color;
    CounterColumn column;
    const BiText &hint;
};

} // namespace

ColourLegend::ColourLegend(Language language, QWidget *parent) : QWidget(parent) {
    const LegendEntry entries[] = {
        {"Shape1", Qt::yellow, CounterColumn::New, t::newHint},
        {"Shape3", Qt::blue, CounterColumn::Unread, t::unreadHint},
        {"Shape2", Qt::green, CounterColumn::ToFetch, t::toFetchHint},
        {"Shape7", Qt::red, CounterColumn::NotSent, t::notSentHint},
        {"Shape5", Qt::cyan, CounterColumn::Read, t::readHint},
        {"Shape4", QColor(0x80, 0, 0), CounterColumn::ToKill, t::toKillHint},
    };
    for (const LegendEntry &entry : entries) {
        auto *mark = new LegendMark(entry.color, this);
        mark->setObjectName(QString::fromLatin1(entry.name));
        setHint(mark, entry.hint.in(language));
        marks_.emplace_back(mark, int(entry.column));
    }
    placeMarks();
}

QSize ColourLegend::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(QLatin1Char('m')) * 50, metrics.height()};
}

void ColourLegend::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        placeMarks();
}

void ColourLegend::placeMarks() {
    const QFontMetrics metrics = fontMetrics();
    const int m = metrics.horizontalAdvance(QLatin1Char('m'));
    const int size = std::max(metrics.height() - 2, 6);
    for (const auto &[mark, column] : marks_)
        mark->setGeometry(m * column, 1, size, size);
    setMinimumHeight(metrics.height());
    updateGeometry();
}

} // namespace krx
