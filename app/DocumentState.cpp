#include "app/DocumentState.h"

void DocumentState::markChanged()
{
    if (m_quiet > 0)
        return;
    const bool was = m_modified;
    m_modified = true;
    emit Changed();
    if (!was)
        emit ModifiedChanged(true);
}

void DocumentState::markClean()
{
    const bool was = m_modified;
    m_modified = false;
    emit MarkedClean();
    if (was)
        emit ModifiedChanged(false);
}
