#include "base/TextClipboard.h"

void TextClipboard::setSource(std::function<QString()> read, std::function<void(const QString&)> write)
{
    m_read = std::move(read);
    m_write = std::move(write);
}

QString TextClipboard::text() const
{
    return m_read ? m_read() : m_private;
}

void TextClipboard::setText(const QString& text)
{
    if (m_write)
        m_write(text);
    else
        m_private = text;
}
