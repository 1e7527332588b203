#pragma once

class DocumentState;
class QWidget;

// Reports every change of the entry fields, lists, check boxes and grids inside `form` to
// `state` (which ignores the changes made inside its quiet scopes). Watches the widgets that
// exist when it is called; cell editors that grids open later write through their models.
void watchEdits(QWidget* form, DocumentState& state);
