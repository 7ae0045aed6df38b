#pragma once

#include "core/Language.h"

#include <QWidget>
#include <vector>

namespace krx {

// The small circles above the counter columns of the list of lists that tell which colour
// marks which status (`Shape1` ... `Shape7`), each with its hint. They sit at the counter
// columns as measured in the font of the line below them.
class ColourLegend : public QWidget {
    Q_OBJECT
public:
    explicit ColourLegend(Language language, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void placeMarks();

    std::vector<std::pair<QWidget *, int>> marks_; // a mark and its column
};

} // namespace krx
