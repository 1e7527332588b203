#include "app/RecoverySlot.h"

#include <QDir>

namespace {
QString lockPath(const QString& folder, int slot)
{
    return folder + QLatin1Char('/') + RecoverySlot::baseName(slot) + QStringLiteral(".lock");
}

// The slot's lock when no running window holds it; a lock whose process is gone is taken over.
std::unique_ptr<QLockFile> tryLock(const QString& folder, int slot)
{
    auto lock = std::make_unique<QLockFile>(lockPath(folder, slot));
    // Only a dead process makes a lock stale: a window left open for days keeps its own.
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}
} // namespace

QString RecoverySlot::baseName(int slot)
{
    return slot == 1 ? QStringLiteral("Recuperare") : QStringLiteral("Recuperare-") + QString::number(slot);
}

RecoverySlot::RecoverySlot(const QString& folder) : m_folder(folder), m_copy(folder)
{
    if (!QDir().mkpath(folder))
        return;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if ((m_lock = tryLock(folder, slot))) {
            m_copy = RecoveryCopy(folder, baseName(slot));
            return;
        }
    }
}

RecoverySlot::~RecoverySlot() = default;

std::optional<RecoverySlot::Orphan> RecoverySlot::findOrphan() const
{
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        RecoveryCopy copy(m_folder, baseName(slot));
        if (copy.sidecarPath() == m_copy.sidecarPath() || !QFile::exists(copy.sidecarPath()))
            continue;
        std::unique_ptr<QLockFile> lock = tryLock(m_folder, slot);
        if (!lock)
            continue;
        if (std::optional<RecoveryCopy::Found> found = copy.find())
            return Orphan{std::move(lock), copy, *found};
    }
    return std::nullopt;
}
