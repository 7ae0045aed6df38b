#pragma once

#include <QTableView>

namespace krx {

class HeaderTableModel;

// The grid of the headers of one list (`ll`): whole rows are selected, the current row is kept
// in the middle once it has passed it, and the keys and mouse actions of the grid become
// requests that the lists window carries out. Every typed character is consumed.
class HeaderGrid : public QTableView {
    Q_OBJECT
public:
    explicit HeaderGrid(HeaderTableModel &model, QWidget *parent = nullptr);

    // The current row, -1 when none.
    int currentRow() const;
    // Makes the row current and scrolls it to the middle as far as the list allows.
    void centreOn(int row);
    // Moves the current row one down, when there is one.
    void moveDown();
    // The place under the current row where a popup opens from the keyboard.
    QPoint popupPlace() const;

signals:
    void openRequested();           // Enter, Right arrow, double click
    void propertiesRequested();     // Alt+Enter
    void backRequested();           // Esc, Left arrow
    void letterTyped(QChar letter); // E, H, K, R or S, in upper case
    void popupRequested(const QPoint &globalPosition);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyboardSearch(const QString &) override {}

private:
    bool isDataRow(int row) const;
    // Row heights and column widths follow the font.
    void fitToFont();
    // The width a column opens with, from the field it shows.
    int fittedWidth(int column) const;

    HeaderTableModel &model_;
};

} // namespace krx
