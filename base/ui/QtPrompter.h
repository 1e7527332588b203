#pragma once

#include "base/Prompter.h"

class QFileDialog;
class QWidget;

// Message boxes, questions, file dialogs and the text prompt of the running program. Each one
// is parented to the window the user is in and, when that window is kept on top, kept above it.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, const QString& caption, Icon icon) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& directory) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath) override;
    QString folderName(const QString& caption, const QString& directory) override;
    std::optional<QString> inputText(const QString& prompt, const QString& caption,
                                     const QString& defaultText) override;

    // The window a prompt opens over: the open modal dialog, else the active window, else the
    // parent given.
    QWidget* owner() const;

private:
    QString runFileDialog(QFileDialog& dialog);

    QWidget* m_parent;
};
