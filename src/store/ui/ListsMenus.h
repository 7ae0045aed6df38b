#pragma once

#include "core/Language.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace krx {

// What the items of the grid's popup ask for.
enum class GridCommand { Return, Open, Reply, Kill, Search, ChangeStatus, Properties, ToggleFont };
// What the items of the list of lists' popup ask for.
enum class ListCommand { ShowList, CloseWindow, ToggleFont };

// The popup menus of the lists window in its language: the one of the list of lists
// (`PopupMenu2`/`PopupMenu4`), the one of the grid (`PopupMenu1`/`PopupMenu3`) with its
// move-to-list submenu, and the move-to-list popup opened from the keyboard (`nappikayttis`).
class ListsMenus : public QObject {
    Q_OBJECT
public:
    ListsMenus(Language language, QWidget *parent);

    QMenu *listPopup() const { return listPopup_; }
    QMenu *gridPopup() const { return gridPopup_; }
    QMenu *movePopup() const { return nappikayttis_; }

    // One move item per list, in both move menus.
    void setLists(const QByteArrayList &names);
    void setFontToggled(bool toggled);

signals:
    void gridCommand(krx::GridCommand command);
    void listCommand(krx::ListCommand command);
    void moveRequested(int listIndex);

private:
    void buildListPopup(QWidget *parent);
    void buildGridPopup(QWidget *parent);

    Language language_;
    QMenu *listPopup_ = nullptr;
    QMenu *gridPopup_ = nullptr;
    QMenu *moveSubmenu_ = nullptr;
    QMenu *nappikayttis_ = nullptr;
    QAction *listToggleFont_ = nullptr;
    QAction *gridToggleFont_ = nullptr;
};

} // namespace krx
