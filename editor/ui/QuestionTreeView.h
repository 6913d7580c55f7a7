#pragma once

#include "editor/ui/TreeIcons.h"

#include <QTreeView>

namespace dorvel {

class Workspace;

// The question list: the open sets and their questions as a tree. Selecting
// a node tells the workspace what to show; dropping a question node onto a
// node is handed to the workspace, which moves or copies the question and
// rebuilds the nodes itself. Only drags this view started are taken: data
// dragged in from another program is never read as a question node.
class QuestionTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit QuestionTreeView(Workspace& workspace, QWidget* parent = nullptr);

    const TreeIcons& icons() const { return m_icons; }
    // Where the insertion line of the drag under way is drawn (viewport
    // y), -1 when none.
    int dropLineY() const { return m_dropLineY; }
    // The (set, question) of the selected node; question 0 for a set's node,
    // (-1, -1) when nothing is selected.
    std::pair<int, int> selectedNode() const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool acceptsDrop(const QMimeData* data, const QPoint& position) const;
    // The node a drop at `position` goes after (a set's node: first), and
    // the y of the line that shows it. The upper part of the first
    // question stands for the place before it.
    QModelIndex dropTarget(const QPoint& position, int* lineY) const;
    int m_dropLineY = -1;

    Workspace& m_workspace;

protected:
    // True while a drag started by this view is under way (QDrag::exec runs
    // the whole drag, drop included, inside startDrag).
    bool m_ownDragUnderWay = false;

private:
    TreeIcons m_icons;
};

}  // namespace dorvel
