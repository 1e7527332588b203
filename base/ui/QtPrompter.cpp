#include "base/ui/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Messages separate their lines with a carriage return alone; a message box wants line feeds.
QString shown(const QString& text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Exclamation:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompter::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Filters come as "description|pattern|description|pattern|": each pair becomes one Qt filter,
// matching the pattern in both cases (Linux file names are case-sensitive). A Qt filter passes.
QString qtFilter(const QString& filter)
{
    if (!filter.contains(QLatin1Char('|')))
        return filter;
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = parts[i + 1].trimmed();
        QStringList patterns{pattern.toUpper(), pattern.toLower()};
        patterns.removeDuplicates();
        filters << parts[i].trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

// A window kept on top passes the hint to the dialogs it opens: without it they would open
// behind it, and only Enter or Escape could reach them.
bool isKeptOnTop(const QWidget* window)
{
    return window && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// Shows a dialog above its owner and runs it.
int runAbove(QDialog& dialog, const QWidget* owner)
{
    if (isKeptOnTop(owner))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return dialog.exec();
}

} // namespace

QWidget* QtPrompter::owner() const
{
    // The window the user is in: a modal dialog (options, DXF wizard) while one is open, else
    // the active window, else the window this prompter was given.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return m_parent ? m_parent->window() : nullptr;
}

void QtPrompter::message(const QString& text, const QString& caption, Icon icon)
{
    QWidget* parent = owner();
    QMessageBox box(boxIcon(icon), caption, shown(text), QMessageBox::Ok, parent);
    runAbove(box, parent);
}

Prompter::Answer QtPrompter::ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    QWidget* parent = owner();
    QMessageBox box(boxIcon(icon), caption, shown(text), boxButtons(buttons), parent);
    switch (runAbove(box, parent)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompter::runFileDialog(QFileDialog& dialog)
{
    QWidget* parent = dialog.parentWidget();
    // A platform dialog does not take the on-top hint; the Qt one does.
    if (isKeptOnTop(parent))
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (runAbove(dialog, parent) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtPrompter::openFileName(const QString& caption, const QString& filter, const QString& directory)
{
    QFileDialog dialog(owner(), caption, directory, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog);
}

QString QtPrompter::saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath)
{
    QFileDialog dialog(owner(), caption, suggestedPath, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The callers ask their own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return runFileDialog(dialog);
}

QString QtPrompter::folderName(const QString& caption, const QString& directory)
{
    QFileDialog dialog(owner(), caption, directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    return runFileDialog(dialog);
}

std::optional<QString> QtPrompter::inputText(const QString& prompt, const QString& caption, const QString& defaultText)
{
    QWidget* parent = owner();
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (runAbove(dialog, parent) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
