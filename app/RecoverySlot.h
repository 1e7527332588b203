#pragma once

#include "app/RecoveryCopy.h"

#include <QLockFile>
#include <memory>
#include <optional>

// The recovery copy a running window may write: every running window holds a lock of its own
// beside its copy, so two windows never share one copy. The first window keeps the copy under
// "Recuperare"; a window started while it runs takes "Recuperare-2", and so on. The lock of a
// window that died (killed, a power cut) is stale and taken over by the next window, which
// then finds that copy.
class RecoverySlot
{
public:
    static constexpr int MaxSlots = 8;

    // Takes the first free slot in `folder` (created when missing). Without one (every slot
    // held, a folder that cannot be written) isClaimed() is false and nothing may be written.
    explicit RecoverySlot(const QString& folder);
    ~RecoverySlot();

    bool isClaimed() const { return m_lock != nullptr; }
    // This window's copy.
    const RecoveryCopy& copy() const { return m_copy; }

    // A copy left in a slot no running window holds, other than this one's: locked while it is
    // looked at, so no window just starting takes it meanwhile. Empty when there is none.
    struct Orphan
    {
        std::unique_ptr<QLockFile> lock;
        RecoveryCopy copy;
        RecoveryCopy::Found found;
    };
    std::optional<Orphan> findOrphan() const;

    static QString baseName(int slot);

private:
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    RecoveryCopy m_copy;
};
