#include "store/ui/ListsMenus.h"

#include "core/CodePage.h"
#include "store/ui/ListsWindowTexts.h"

#include <QMenu>

namespace krx {

namespace {

namespace t = listswindowtexts;

bool english(Language language) {
    return language == Language::English;
}

} // namespace

ListsMenus::ListsMenus(Language language, QWidget *parent) : QObject(parent), language_(language) {
    buildListPopup(parent);
    buildGridPopup(parent);
    nappikayttis_ = new QMenu(parent);
    nappikayttis_->setObjectName(QStringLiteral("nappikayttis"));
}

void ListsMenus::buildListPopup(QWidget *parent) {
    listPopup_ = new QMenu(parent);
    listPopup_->setObjectName(english(language_) ? QStringLiteral("PopupMenu4")
                                                 : QStringLiteral("PopupMenu2"));
    const std::pair<const BiText &, ListCommand> items[] = {
        {t::showList, ListCommand::ShowList},
        {t::closeWindow, ListCommand::CloseWindow},
        {t::toggleFontListItem, ListCommand::ToggleFont},
    };
    for (const auto &[text, command] : items) {
        QAction *action = listPopup_->addAction(text.in(language_));
        connect(action, &QAction::triggered, this, [this, c = command] { emit listCommand(c); });
        if (command == ListCommand::ToggleFont)
            listToggleFont_ = action;
    }
    listToggleFont_->setCheckable(true);
}

void ListsMenus::buildGridPopup(QWidget *parent) {
    gridPopup_ = new QMenu(parent);
    gridPopup_->setObjectName(english(language_) ? QStringLiteral("PopupMenu3")
                                                 : QStringLiteral("PopupMenu1"));
    auto add = [this](const BiText &text, GridCommand command) {
        QAction *action = gridPopup_->addAction(text.in(language_));
        connect(action, &QAction::triggered, this, [this, command] { emit gridCommand(command); });
        return action;
    };
    add(t::returnItem, GridCommand::Return);
    add(t::showMessage, GridCommand::Open);
    add(t::markItem, GridCommand::Open);
    add(t::replyItem, GridCommand::Reply);
    add(t::killItem, GridCommand::Kill);
    add(t::searchItem, GridCommand::Search);
    moveSubmenu_ = gridPopup_->addMenu(t::moveToList.in(language_));
    add(t::changeStatusItem, GridCommand::ChangeStatus);
    add(t::propertiesItem, GridCommand::Properties);
    gridToggleFont_ = add(t::toggleFontGridItem, GridCommand::ToggleFont);
    gridToggleFont_->setCheckable(true);
}

void ListsMenus::setLists(const QByteArrayList &names) {
    const std::pair<QMenu *, const char *> menus[] = {{moveSubmenu_, "m_"}, {nappikayttis_, "n_"}};
    for (const auto &[menu, prefix] : menus) {
        menu->clear();
        for (int list = 0; list < names.size(); ++list) {
            const QString name = ansiToString(names[list]);
            QAction *action = menu->addAction(name);
            action->setObjectName(QLatin1String(prefix) + QString::number(list));
            action->setStatusTip(t::toListHint.in(language_) + name);
            connect(action, &QAction::triggered, this, [this, list] { emit moveRequested(list); });
        }
    }
}

void ListsMenus::setFontToggled(bool toggled) {
    listToggleFont_->setChecked(toggled);
    gridToggleFont_->setChecked(toggled);
}

} // namespace krx
