#pragma once

// Records every text Qt asks to translate that no installed catalogue translates. Installed
// before the program's catalogue, it is asked only after that one came back empty (Qt asks the
// most recently installed translator first).
#include <QCoreApplication>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTranslator>

class UntranslatedTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int = -1) const override
    {
        // Only Qt's own classes: the program writes its texts in Romanian directly.
        if (context && context[0] == 'Q' && sourceText && sourceText[0])
            m_missing.insert(
                QString::fromUtf8(context) + QStringLiteral(" | ") + QString::fromUtf8(sourceText) +
                (disambiguation && disambiguation[0] ? QStringLiteral(" | ") + disambiguation : QString()));
        return QString();
    }
    bool isEmpty() const override { return false; }

    void clear() { m_missing.clear(); }
    QStringList missing() const
    {
        QStringList list(m_missing.begin(), m_missing.end());
        list.sort();
        return list;
    }

private:
    mutable QSet<QString> m_missing;
};
