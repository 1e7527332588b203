#pragma once

#include <QObject>

// Whether the window's document differs from what was last opened, saved or started new: the
// one place that knows the document changed. Every edit of the form or the coordinate list
// reports here (markChanged); the program's own changes while it loads or clears a document
// happen inside a quiet() scope and do not count.
class DocumentState : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool isModified() const { return m_modified; }
    // Inside a quiet() scope the program itself fills the controls: such changes are ignored.
    bool isQuiet() const { return m_quiet > 0; }

    // An edit of the document (ignored inside a quiet() scope).
    void markChanged();
    // The document now matches its file, or is a fresh one.
    void markClean();

    // Keeps changes quiet until it is destroyed; scopes nest.
    class QuietScope
    {
    public:
        explicit QuietScope(DocumentState& state) : m_state(&state) { ++m_state->m_quiet; }
        QuietScope(QuietScope&& other) noexcept : m_state(other.m_state) { other.m_state = nullptr; }
        QuietScope(const QuietScope&) = delete;
        QuietScope& operator=(const QuietScope&) = delete;
        QuietScope& operator=(QuietScope&&) = delete;
        ~QuietScope()
        {
            if (m_state)
                --m_state->m_quiet;
        }

    private:
        DocumentState* m_state;
    };
    [[nodiscard]] QuietScope quiet() { return QuietScope(*this); }

signals:
    // Every counted edit, also when the document was already modified.
    void Changed();
    // The modified state turned on or off.
    void ModifiedChanged(bool modified);
    // markClean ran: what the controls hold now is the clean point.
    void MarkedClean();

private:
    bool m_modified = false;
    int m_quiet = 0;
};
