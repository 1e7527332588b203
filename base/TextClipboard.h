#pragma once

#include <QString>
#include <functional>

// The clipboard as plain text. The window connects the system's; without a source (tests, the
// command-line tool) the text stays in a private clipboard of this object.
class TextClipboard
{
public:
    void setSource(std::function<QString()> read, std::function<void(const QString&)> write);

    QString text() const;
    void setText(const QString& text);

private:
    std::function<QString()> m_read;
    std::function<void(const QString&)> m_write;
    QString m_private;
};
