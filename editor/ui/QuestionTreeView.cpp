#include "editor/ui/QuestionTreeView.h"

#include "editor/QuestionListModel.h"
#include "editor/Workspace.h"

#include <QDropEvent>
#include <QPainter>
#include <QMimeData>
#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

namespace dorvel {

namespace {

// Draws each node with the picture its model icon index names.
class TreeIconDelegate : public QStyledItemDelegate {
public:
    TreeIconDelegate(const TreeIcons& icons, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_icons(icons)
    {
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant icon = index.data(QuestionListModel::IconRole);
        if (icon.isValid()) {
            option->icon = m_icons.icon(icon.toInt());
            option->features |= QStyleOptionViewItem::HasDecoration;
            option->decorationSize = QSize(TreeIcons::kSize, TreeIcons::kSize);
        }
    }

private:
    const TreeIcons& m_icons;
};

const QString kMime = QString::fromLatin1(QuestionListModel::kMimeType);

}  // namespace

QuestionTreeView::QuestionTreeView(Workspace& workspace, QWidget* parent)
    : QTreeView(parent)
    , m_workspace(workspace)
{
    setObjectName(QStringLiteral("TestTree"));
    QuestionListModel& model = workspace.questionList();
    setModel(&model);
    setItemDelegate(new TreeIconDelegate(m_icons, this));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setMouseTracking(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    // Our own insertion line shows where a drop lands (see paintEvent).
    setDropIndicatorShown(false);
    setIconSize(QSize(TreeIcons::kSize, TreeIcons::kSize));

    // The selection stays visible while another control has the focus.
    QPalette p = palette();
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
    p.setColor(QPalette::Inactive, QPalette::HighlightedText, p.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(p);

    connect(&model, &QuestionListModel::selectionRequested, this, [this](const QModelIndex& index) {
        setCurrentIndex(index);
        scrollTo(index);
    });
    connect(&model, &QuestionListModel::expansionRequested, this, [this](const QModelIndex& index, bool expanded) {
        if (isExpanded(index) != expanded)
            setExpanded(index, expanded);
    });
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (!index.parent().isValid())
            m_workspace.questionList().setExpanded(index.row(), true);
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        if (!index.parent().isValid())
            m_workspace.questionList().setExpanded(index.row(), false);
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (!current.isValid())
            return;
        m_workspace.TestTreeChange(current.data(QuestionListModel::SetIndexRole).toInt(),
                                   current.data(QuestionListModel::QuestionRole).toInt());
    });
}

std::pair<int, int> QuestionTreeView::selectedNode() const
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return {-1, -1};
    return {index.data(QuestionListModel::SetIndexRole).toInt(), index.data(QuestionListModel::QuestionRole).toInt()};
}

void QuestionTreeView::startDrag(Qt::DropActions supportedActions)
{
    m_ownDragUnderWay = true;
    QTreeView::startDrag(supportedActions);
    m_ownDragUnderWay = false;
}

bool QuestionTreeView::acceptsDrop(const QMimeData* data, const QPoint& position) const
{
    return m_ownDragUnderWay && data && data->hasFormat(kMime) && indexAt(position).isValid();
}

QModelIndex QuestionTreeView::dropTarget(const QPoint& position, int* lineY) const
{
    QModelIndex target = indexAt(position);
    if (!target.isValid())
        return target;
    const QRect row = visualRect(target);
    if (target.data(QuestionListModel::QuestionRole).toInt() == 1 && position.y() < row.top() + row.height() / 3) {
        if (lineY)
            *lineY = row.top();
        return target.parent();
    }
    if (lineY)
        *lineY = row.bottom();
    return target;
}

void QuestionTreeView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropLineY = -1;
    viewport()->update();
    QTreeView::dragLeaveEvent(event);
}

void QuestionTreeView::paintEvent(QPaintEvent* event)
{
    QTreeView::paintEvent(event);
    if (m_dropLineY < 0)
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, m_dropLineY, viewport()->width(), m_dropLineY);
}

void QuestionTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_ownDragUnderWay && event->mimeData() && event->mimeData()->hasFormat(kMime))
        event->acceptProposedAction();
    else
        event->ignore();
}

void QuestionTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base class scrolls near the edges and draws the indicator; any
    // node under the mouse is a target, not only its middle part.
    QTreeView::dragMoveEvent(event);
    m_dropLineY = -1;
    if (acceptsDrop(event->mimeData(), event->position().toPoint())) {
        dropTarget(event->position().toPoint(), &m_dropLineY);
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
    viewport()->update();
}

void QuestionTreeView::dropEvent(QDropEvent* event)
{
    const QPoint position = event->position().toPoint();
    m_dropLineY = -1;
    viewport()->update();
    if (!acceptsDrop(event->mimeData(), position)) {
        event->ignore();
        return;
    }
    const QPersistentModelIndex target(dropTarget(position, nullptr));
    const QByteArray bytes = event->mimeData()->data(kMime);
    // Nothing of the source is removed by the view: the workspace rebuilds
    // the nodes. The drop is carried out once the drag has ended, so that
    // the copy question does not open inside the drag's own event loop.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setState(QAbstractItemView::NoState);
    viewport()->update();
    QMetaObject::invokeMethod(
        this,
        [this, target, bytes] {
            if (!target.isValid())
                return;
            QMimeData data;
            data.setData(kMime, bytes);
            m_workspace.questionList().dropMimeData(&data, Qt::CopyAction, -1, -1, target);
        },
        Qt::QueuedConnection);
}

}  // namespace dorvel
