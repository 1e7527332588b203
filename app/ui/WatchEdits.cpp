#include "app/ui/WatchEdits.h"

#include "app/DocumentState.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Inner parts of a combo box or spin box (its line edit, its pop-up list) report through it.
bool isInnerPart(const QWidget* widget, const QWidget* form)
{
    for (const QWidget* parent = widget->parentWidget(); parent && parent != form; parent = parent->parentWidget()) {
        if (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent))
            return true;
    }
    return false;
}

// A grid's data changed: colours and fonts are not the document.
bool isContentChange(const QList<int>& roles)
{
    return roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(Qt::EditRole) ||
           roles.contains(Qt::CheckStateRole);
}

void watchModel(QAbstractItemModel* model, DocumentState& state)
{
    QObject::connect(model, &QAbstractItemModel::dataChanged, &state,
                     [&state](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                         if (isContentChange(roles))
                             state.markChanged();
                     });
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &state, &DocumentState::markChanged);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, &state, &DocumentState::markChanged);
    QObject::connect(model, &QAbstractItemModel::rowsMoved, &state, &DocumentState::markChanged);
}

} // namespace

void watchEdits(QWidget* form, DocumentState& state)
{
    const auto changed = [&state] { state.markChanged(); };
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (isInnerPart(widget, form))
            continue;
        if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            QObject::connect(line, &QLineEdit::textChanged, &state, changed);
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
            QObject::connect(plain, &QPlainTextEdit::textChanged, &state, changed);
        } else if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
            QObject::connect(rich, &QTextEdit::textChanged, &state, changed);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            QObject::connect(combo, &QComboBox::currentIndexChanged, &state, changed);
            if (combo->isEditable())
                QObject::connect(combo, &QComboBox::editTextChanged, &state, changed);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (button->isCheckable())
                QObject::connect(button, &QAbstractButton::toggled, &state, changed);
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            if (view->model())
                watchModel(view->model(), state);
        }
    }
}
