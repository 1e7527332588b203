#pragma once

// Every text a window shows in its own controls: its title, labels, frames, buttons, actions
// (toolbars and menus), tab captions and grid headers. For tests that hold a window's fixed
// texts word for word.
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>

inline QStringList widgetTexts(const QWidget* window)
{
    QStringList texts{window->windowTitle()};
    // An Alt letter is underlined, its '&' not shown.
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->text().remove(QLatin1Char('&'));
    for (const QGroupBox* box : window->findChildren<QGroupBox*>())
        texts << box->title();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << button->text().remove(QLatin1Char('&'));
    // A menu item's shortcut follows its caption after a tab; its Alt letter is underlined, not shown.
    for (const QAction* action : window->findChildren<QAction*>())
        texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i).remove(QLatin1Char('&'));
    }
    for (const QTableView* view : window->findChildren<QTableView*>()) {
        if (!view->model())
            continue;
        for (int column = 0; column < view->model()->columnCount(); ++column)
            texts << view->model()->headerData(column, Qt::Horizontal).toString();
    }
    return texts;
}
