#include "app/ui/QtPrompter.h"

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

} // namespace

QWidget* QtPrompter::owner() const
{
    // A modal window open over the main window (the DXF wizard keeps itself above all others)
    // owns the box, or the window manager may stack the box beneath it, out of sight.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_parent;
}

void QtPrompter::message(const QString& text, const QString& caption, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, shown(text), QMessageBox::Ok, owner());
    box.exec();
}

Prompter::Answer QtPrompter::ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, shown(text), boxButtons(buttons), owner());
    switch (box.exec()) {
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

QString QtPrompter::openFileName(const QString& caption, const QString& filter, const QString& directory)
{
    return QFileDialog::getOpenFileName(owner(), caption, directory, qtFilter(filter));
}

QString QtPrompter::saveFileName(const QString& caption, const QString& filter, const QString& suggestedPath)
{
    // The callers ask their own overwrite question.
    return QFileDialog::getSaveFileName(owner(), caption, suggestedPath, qtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtPrompter::folderName(const QString& caption, const QString& directory)
{
    return QFileDialog::getExistingDirectory(owner(), caption, directory);
}

std::optional<QString> QtPrompter::inputText(const QString& prompt, const QString& caption, const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
