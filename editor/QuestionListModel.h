#pragma once

#include <QAbstractItemModel>

#include <functional>
#include <string>
#include <vector>

namespace dorvel {

// The question list as an item model: one top-level node per open set (node
// i stands for entry i of the table of open sets), one child per question.
// Captions are kept here because they are not always derived from the
// records (a question just added reads "Q3:" until the list is rebuilt).
// The workspace changes the nodes; a tree view only shows them and reports
// selections and drops.
class QuestionListModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role {
        IconRole = Qt::UserRole + 1,  // 0 collapsed set, 1 expanded set, 2 question
        SetIndexRole,
        QuestionRole,  // 0 for a set's node, else the question number
    };
    static constexpr const char* kMimeType = "application/x-dorvel-question-node";

    explicit QuestionListModel(QObject* parent = nullptr);

    // ---- Nodes (called by the workspace) -------------------------------------
    void appendSet(const std::string& caption);
    void removeSet(int set);
    void setSetCaption(int set, const std::string& caption);
    void setQuestions(int set, const std::vector<std::string>& captions);
    void appendQuestion(int set, const std::string& caption);
    void setQuestionCaption(int set, int question, const std::string& caption);
    // A question left out of the test shows in italics; `note` says so to
    // its tooltip and to screen readers ("left out of the test").
    void setQuestionLeftOut(int set, int question, bool leftOut, const std::string& note);
    bool isLeftOut(int set, int question) const;
    void setExpanded(int set, bool expanded);
    // Asks the view to select a node (question 0: the set's node).
    void requestSelection(int set, int question);

    int setCount() const { return static_cast<int>(m_sets.size()); }
    int questionNodeCount(int set) const;
    bool isExpanded(int set) const;
    std::string caption(int set, int question = 0) const;
    QModelIndex nodeIndex(int set, int question = 0) const;

    // Called with (sourceSet, sourceQuestion, targetSet, targetQuestion) when
    // a question node is dropped onto a node.
    std::function<void(int, int, int, int)> onDrop;

    // ---- QAbstractItemModel ---------------------------------------------------
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

signals:
    void selectionRequested(const QModelIndex& index);
    void expansionRequested(const QModelIndex& index, bool expanded);

private:
    struct SetNode {
        std::string caption;
        bool expanded = false;
        std::vector<std::string> questions;
        std::vector<bool> leftOut;  // beside `questions`; missing entries are false
    };
    bool validSet(int set) const { return set >= 0 && set < setCount(); }
    // (set, question) of an index; question 0 for a set's node.
    std::pair<int, int> position(const QModelIndex& index) const;

    std::vector<SetNode> m_sets;
    std::string m_leftOutNote;
};

}  // namespace dorvel
