#pragma once

#include "core/Language.h"
#include "store/HeaderSearch.h"

#include <QDialog>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace krx {

class Prompter;

// The search window (`etsiDlg`): the texts to look for in the headers of the open list, the
// direction and whether found headers are marked for fetching. It stays on top and frees
// itself when closed; the lists window carries out the search.
class TetsiDlg : public QDialog {
    Q_OBJECT
public:
    TetsiDlg(const SearchCriteria &kept, Language language, Prompter &prompter,
             QWidget *parent = nullptr);

    bool marksFound() const;

signals:
    void searchRequested(const krx::SearchCriteria &criteria);

protected:
    // CM_SEARCH_FORWARD searches forward with the window's texts, whatever the direction.
    bool event(QEvent *event) override;

private:
    void findNext();
    void search(int direction);
    QLineEdit *addField(QFormLayout *form, const BiText &label, const BiText &hint,
                        const char *name, const QByteArray &text);

    Language language_;
    Prompter &prompter_;
    QLineEdit *otsikko_ = nullptr;
    QLineEdit *kenelt_ = nullptr;
    QLineEdit *kenelle_ = nullptr;
    QLineEdit *sisaltaa_ = nullptr;
    QCheckBox *merkkaa_ = nullptr;
    QRadioButton *eteen_ = nullptr;
    QRadioButton *taakse_ = nullptr;
    QPushButton *OKBtn_ = nullptr;
};

} // namespace krx
