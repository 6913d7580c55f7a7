#include "editor/undo/SetHistory.h"

#include <QUndoCommand>

namespace dorvel {

// One step of the history. It is pushed after the edit was made, so its
// first redo (which QUndoStack calls on push) does nothing.
class SetEdit : public QUndoCommand {
public:
    static constexpr int kMergingId = 1;

    SetEdit(SetHistory& history, RecordChanges changes, std::string mergeKey)
        : m_history(history)
        , m_changes(std::move(changes))
        , m_mergeKey(std::move(mergeKey))
    {
    }

    int id() const override { return m_mergeKey.empty() ? -1 : kMergingId; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = static_cast<const SetEdit*>(other);
        if (later->m_mergeKey != m_mergeKey)
            return false;
        m_changes.absorb(later->m_changes);
        return true;
    }

    void undo() override { m_history.m_apply(m_history, m_changes, true); }

    void redo() override
    {
        if (m_pushed)
            m_history.m_apply(m_history, m_changes, false);
        m_pushed = true;
    }

    void rewriteRecords(const SetHistory::Rewrite& testDetails, const SetHistory::Rewrite& question)
    {
        if (m_changes.testDetails) {
            m_changes.testDetails->first = testDetails(m_changes.testDetails->first);
            m_changes.testDetails->second = testDetails(m_changes.testDetails->second);
        }
        for (RecordChanges::Slot& slot : m_changes.changedSlots) {
            // An empty side is a question that did not exist.
            if (!slot.before.empty())
                slot.before = question(slot.before);
            if (!slot.after.empty())
                slot.after = question(slot.after);
        }
    }

private:
    SetHistory& m_history;
    RecordChanges m_changes;
    std::string m_mergeKey;
    bool m_pushed = false;
};

SetHistory::SetHistory(Apply apply)
    : m_apply(std::move(apply))
{
    m_stack.setUndoLimit(kUndoLimit);
    QObject::connect(&m_stack, &QUndoStack::indexChanged, &m_stack, [this] {
        if (onStep)
            onStep(*this);
    });
    QObject::connect(&m_stack, &QUndoStack::cleanChanged, &m_stack, [this] {
        if (onStep)
            onStep(*this);
    });
}

void SetHistory::record(RecordChanges changes, const std::string& mergeKey)
{
    if (changes.none())
        return;
    m_stack.push(new SetEdit(*this, std::move(changes), mergeKey));
}

void SetHistory::rewriteRecords(const Rewrite& testDetails, const Rewrite& question)
{
    for (int i = 0; i < m_stack.count(); ++i)
        // Every command on this stack is a SetEdit: record() pushes nothing else.
        static_cast<SetEdit*>(const_cast<QUndoCommand*>(m_stack.command(i)))->rewriteRecords(testDetails, question);
}

}  // namespace dorvel
