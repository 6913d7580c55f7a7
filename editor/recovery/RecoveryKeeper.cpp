#include "editor/recovery/RecoveryKeeper.h"

#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "model/SetFields.h"
#include "model/SetFile.h"
#include "platform/UserInterface.h"
#include "storage/FileUtils.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdlib>
#include <set>

namespace dorvel {

RecoveryKeeper::RecoveryKeeper(Workspace& workspace, RecoveryCopies copies)
    : m_workspace(workspace)
    , m_copies(std::move(copies))
{
}

int RecoveryKeeper::intervalMs()
{
#ifdef DORVEL_TEST_HOOKS
    // Tests of a killed editor cannot wait a minute for its copy.
    if (const char* ms = std::getenv("DORVEL_RECOVERY_INTERVAL_MS"); ms && std::atoi(ms) > 0)
        return std::atoi(ms);
#endif
    return 60 * 1000;
}

std::string RecoveryKeeper::newId()
{
    // Unique across runs, so a new run never writes over an old run's copy.
    return std::to_string(static_cast<long long>(QDateTime::currentSecsSinceEpoch())) + "-"
        + std::to_string(QCoreApplication::applicationPid()) + "-" + std::to_string(++m_nextId);
}

void RecoveryKeeper::prune()
{
    std::set<std::string> needed;
    for (int i = 0; i < kMaxOpenSets; ++i) {
        const OpenSet& s = m_workspace.set(i);
        if (!s.isFree() && s.hasUnsavedChanges() && !s.recoveryId.empty())
            needed.insert(s.recoveryId);
    }
    for (auto it = m_copied.begin(); it != m_copied.end();) {
        if (needed.count(it->first)) {
            ++it;
            continue;
        }
        m_copies.remove(it->first);
        it = m_copied.erase(it);
    }
}

void RecoveryKeeper::keep(std::time_t now)
{
    prune();
    for (int i = 0; i < kMaxOpenSets; ++i) {
        OpenSet& s = m_workspace.set(i);
        if (s.isFree() || !s.hasUnsavedChanges())
            continue;
        if (s.recoveryId.empty())
            s.recoveryId = newId();
        const auto copied = m_copied.find(s.recoveryId);
        if (copied != m_copied.end() && copied->second == s.changeCount)
            continue;
        // A copy that cannot be written is tried again at the next tick.
        if (m_copies.write(s.recoveryId, s, now))
            m_copied[s.recoveryId] = s.changeCount;
    }
}

void RecoveryKeeper::removeAll()
{
    for (const auto& [id, count] : m_copied)
        m_copies.remove(id);
    m_copied.clear();
}

int RecoveryKeeper::offerCopies(UserInterface& ui, const LangStrings& lang)
{
    int recovered = 0;
    for (const RecoveryCopy& copy : m_copies.found()) {
        if (m_copied.count(copy.id))
            continue;  // this run's own
        OpenSet loaded;
        if (ReadSetFile(copy.copyPath, loaded) != SetFileStatus::Ok) {
            m_copies.remove(copy.id);
            continue;
        }
        std::string name = copy.setPath.empty() ? std::string() : ExtractFileName(copy.setPath);
        if (const std::string testName = GetTag(loaded.testDetails, setfield::kTestName); name.empty())
            name = testName == "0" || testName.empty() ? lang.at(Message::Set) : DecodeText(testName);
        const std::string when = fromQString(
            QDateTime::fromSecsSinceEpoch(copy.written).toString(QStringLiteral("yyyy-MM-dd hh:mm")));
        const std::string question = lang.at(Message::RecoveryCopyKept) + "\n\n" + name + " (" + lang.at(Message::Copied) + " " + when + ")\n\n"
            + lang.at(Message::RecoveryChoice);
        switch (ui.ask(question, Buttons::YesNoCancel, Tone::Question)) {
        case Answer::Yes:
            if (m_workspace.OpenRecoveredSet(std::move(loaded), copy.setPath)) {
                ++recovered;
                m_copies.remove(copy.id);
            }
            break;
        case Answer::No:
            m_copies.remove(copy.id);
            break;
        case Answer::Cancel:
            break;
        }
    }
    return recovered;
}

}  // namespace dorvel
