// The main window's recovery copy: kept while the document has unsaved changes, offered back
// after a run that ended without saving.
#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "app/DocumentSave.h"
#include "app/RecoveryCopy.h"
#include "app/RecoverySlot.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/FormMapping.h"
#include "entry/ui/CreateFBI.h"
#include "geometry/Transform.h"

#include <QTimer>

namespace {

RecoveryCopy::ListRows listRows(const CoordinateList& list)
{
    RecoveryCopy::ListRows rows;
    for (int row = 1; row <= list.rowCount(); ++row) {
        const CoordinateList::Row& cells = list.row(row);
        rows.append(QStringList(cells.begin(), cells.end()));
    }
    return rows;
}

// The list's contours without a message: a copy made in passing must never interrupt.
std::shared_ptr<Polygons> quietPolygons(const CoordinateList& list)
{
    const auto data = list.Data();
    if (!data || data->upperRow() == 0)
        return nullptr;
    Transform transform(list.decimalSeparator());
    transform.setTransformArray(*data);
    if (!transform.ArrayToPolygonCollection())
        return nullptr;
    return transform.PolygonCollection();
}

// The rows exactly as they were, half-typed cells included (Data would make an empty cell 0).
void putRows(CoordinateList& list, const RecoveryCopy::ListRows& rows)
{
    if (!list.setData(CoordinateTable(int(rows.size()))))
        return;
    for (int row = 1; row <= list.rowCount(); ++row) {
        for (int column = 0; column < CoordinateList::ColumnCount; ++column)
            list.setCell(row, column, rows.at(row - 1).at(column));
    }
}

} // namespace

void frmMain::setRecovery(const QString& folder, int intervalMs)
{
    const bool first = !m_recovery;
    // The old slot is let go first: moving back to the same folder takes the same slot.
    m_recovery.reset();
    m_recovery = std::make_unique<RecoverySlot>(folder);
    if (!first) {
        m_recoveryTimer->setInterval(intervalMs);
        return;
    }
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setInterval(intervalMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, &frmMain::writeRecoveryCopy);
    connect(&m_state, &DocumentState::ModifiedChanged, this, &frmMain::onModifiedChanged);
    if (m_state.isModified())
        m_recoveryTimer->start();
}

void frmMain::onModifiedChanged(bool modified)
{
    if (modified) {
        m_recoveryTimer->start();
        return;
    }
    // Saved, or set aside on purpose: nothing left to recover.
    m_recoveryTimer->stop();
    discardRecoveryCopy();
    if (!m_captionNote.isEmpty()) {
        m_captionNote.clear();
        showCaption();
    }
}

void frmMain::discardRecoveryCopy()
{
    if (m_recovery && m_recovery->isClaimed())
        m_recovery->copy().discard();
}

void frmMain::writeRecoveryCopy()
{
    if (!m_recovery || !m_recovery->isClaimed() || !m_state.isModified())
        return;
    // The form as it stands, checked or not: half-typed data is what a crash must not take.
    const DocumentPtr document = FormMapping::draftDocument(m_form->formData());
    const bool isApartment = m_form->IsAp();
    DocumentSave::prepare(*document, isApartment, isApartment ? nullptr : quietPolygons(*m_coordinates->list()),
                          m_settings);
    // A folder that cannot be written is tried again at the next tick, without a word: a
    // message every two minutes would be worse than no copy.
    m_recovery->copy().write(*document, m_fileName, QDateTime::currentDateTime(), listRows(*m_coordinates->list()));
}

bool frmMain::offerRecovery()
{
    if (!m_recovery || !m_recovery->isClaimed())
        return false;
    // This window's own slot first (the run before it in that slot), then a slot whose window
    // died while this one's was held; the copy of a window still running stays its own.
    std::optional<RecoverySlot::Orphan> orphan;
    std::optional<RecoveryCopy::Found> found = m_recovery->copy().find();
    if (!found) {
        orphan = m_recovery->findOrphan();
        if (orphan)
            found = orphan->found;
    }
    if (!found)
        return false;
    const bool restore = m_prompter.confirm(RecoveryCopy::offerText(*found)) == Prompter::Answer::Yes;
    if (restore)
        restoreRecovered(found->originalName, found->document, found->rows); // kept in this window's slot now
    // Once restored (or refused) the copy is this window's business, kept in its own slot.
    if (orphan)
        orphan->copy.discard();
    else if (!restore)
        m_recovery->copy().discard();
    return restore;
}

void frmMain::restoreRecovered(const QString& originalName, const DocumentPtr& document, const QList<QStringList>& rows)
{
    {
        const auto quiet = m_state.quiet();
        clearSketch();
        m_form->ClearControls();
        m_file = CPFile(NumberText::systemDecimalSeparator());
        m_file.setDocument(document);
        showDocument(document);
        // The rows as the user left them, with contours the .CP cannot hold (a building the
        // form does not list yet).
        if (!rows.isEmpty())
            putRows(*m_coordinates->list(), rows);
        // Never the original's name: a plain "Save" would overwrite it without asking which
        // version the user wants to keep.
        m_fileName.clear();
        m_previousFileName.clear();
        m_captionNote = QStringLiteral(" - ") +
                        (originalName.isEmpty() ? QStringLiteral("(fara nume)") : originalName) +
                        QStringLiteral(" (recuperat)");
        showCaption();
        // Half-typed rows are no reason for a message at start: the sketch waits for them.
        const CoordinateList& list = *m_coordinates->list();
        if (!document->isApartment() && list.HaveCoordinates() && quietPolygons(list))
            RedrawSketch();
    }
    m_state.markChanged();
    writeRecoveryCopy();
}
