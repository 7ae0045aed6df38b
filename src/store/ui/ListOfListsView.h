#pragma once

#include "core/Language.h"

#include <QWidget>

class QLabel;
class QListWidget;

namespace krx {

class ColourLegend;

// The first view of the lists window: the colour legend, the column header line
// (`messuotsikko`), one line per list (`messulistat`), the totals line (`totals`) and, to the
// right, the 7plus files decoded since the start (`p7_lista`, filled by the 7plus part). Its
// lists have the window colour while they have the focus and the button colour otherwise.
class ListOfListsView : public QWidget {
    Q_OBJECT
public:
    explicit ListOfListsView(Language language, QWidget *parent = nullptr);

    QListWidget *lists() const { return messulistat_; }
    QListWidget *sevenPlusFiles() const { return p7_lista_; }
    QLabel *columnHeader() const { return messuotsikko_; }
    QLabel *totals() const { return totals_; }

    void setLines(const QStringList &lines);
    void setLine(int listIndex, const QString &line);
    void setColumnHeader(const QString &line);
    void setTotals(const QString &line);
    // The notice shown while the lists are purged; empty hides it.
    void setNotice(const QString &text);

    int selectedList() const;
    void selectList(int listIndex);
    // Selects the first line when none or the first is selected (and so draws it anew).
    void reselectFirst();

signals:
    void openRequested(int listIndex);
    void minimiseRequested();
    void popupRequested(const QPoint &globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool listKey(QListWidget *list, QKeyEvent *event);
    void fitToFont();
    void fitListHeight();

    ColourLegend *legend_ = nullptr;
    QLabel *messuotsikko_ = nullptr;
    QListWidget *messulistat_ = nullptr;
    QLabel *totals_ = nullptr;
    QLabel *notice_ = nullptr;
    QLabel *Label1_ = nullptr;
    QListWidget *p7_lista_ = nullptr;
};

} // namespace krx
