#pragma once

#include "editor/recovery/RecoveryCopies.h"

#include <ctime>
#include <map>
#include <string>

namespace dorvel {

class LangStrings;
class UserInterface;
class Workspace;

// Keeps a recovery copy of every open set with unsaved changes, and offers
// the copies an earlier run left behind (it ended without closing: a crash,
// a killed process, a power cut).
class RecoveryKeeper {
public:
    RecoveryKeeper(Workspace& workspace, RecoveryCopies copies);

    // How often keep() runs: every minute.
    static int intervalMs();
    // And this long after the last edit, so a crash loses at most the last
    // few seconds of work: a pause in typing, not each key.
    static constexpr int kPauseMs = 2000;

    // Copies each set changed since its last copy; removes the copies of
    // sets that were saved, undone to their saved state or closed.
    void keep(std::time_t now);
    // Only the removals of keep(), for after a save or a close.
    void prune();
    // A normal close: the copies of this run go.
    void removeAll();
    // Offers each copy found (name and time of the copy): Yes opens it as a
    // changed set, No deletes it, Cancel keeps it for the next start.
    // Returns how many sets were recovered.
    int offerCopies(UserInterface& ui, const LangStrings& lang);

    const RecoveryCopies& copies() const { return m_copies; }

private:
    std::string newId();

    Workspace& m_workspace;
    RecoveryCopies m_copies;
    std::map<std::string, int> m_copied;  // id -> the set's change count when copied
    int m_nextId = 0;
};

}  // namespace dorvel
