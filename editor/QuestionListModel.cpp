#include "editor/QuestionListModel.h"

#include <QDataStream>
#include <QFont>
#include <QIODevice>
#include <QMimeData>

namespace dorvel {

namespace {

QString utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Internal ids: 0 marks a set's node; set + 1 marks a question node of that set.
constexpr quintptr kSetNodeId = 0;

}  // namespace

QuestionListModel::QuestionListModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void QuestionListModel::appendSet(const std::string& caption)
{
    const int row = setCount();
    beginInsertRows({}, row, row);
    m_sets.push_back(SetNode{caption, false, {}});
    endInsertRows();
}

void QuestionListModel::removeSet(int set)
{
    if (!validSet(set))
        return;
    beginRemoveRows({}, set, set);
    m_sets.erase(m_sets.begin() + set);
    endRemoveRows();
}

void QuestionListModel::setSetCaption(int set, const std::string& caption)
{
    if (!validSet(set))
        return;
    m_sets[static_cast<std::size_t>(set)].caption = caption;
    const QModelIndex i = nodeIndex(set);
    emit dataChanged(i, i);
}

void QuestionListModel::setQuestions(int set, const std::vector<std::string>& captions)
{
    if (!validSet(set))
        return;
    auto& questions = m_sets[static_cast<std::size_t>(set)].questions;
    m_sets[static_cast<std::size_t>(set)].leftOut.clear();
    const QModelIndex parent = nodeIndex(set);
    if (!questions.empty()) {
        beginRemoveRows(parent, 0, static_cast<int>(questions.size()) - 1);
        questions.clear();
        endRemoveRows();
    }
    if (!captions.empty()) {
        beginInsertRows(parent, 0, static_cast<int>(captions.size()) - 1);
        questions = captions;
        endInsertRows();
    }
}

void QuestionListModel::appendQuestion(int set, const std::string& caption)
{
    if (!validSet(set))
        return;
    auto& questions = m_sets[static_cast<std::size_t>(set)].questions;
    const int row = static_cast<int>(questions.size());
    beginInsertRows(nodeIndex(set), row, row);
    questions.push_back(caption);
    endInsertRows();
}

void QuestionListModel::setQuestionCaption(int set, int question, const std::string& caption)
{
    if (!validSet(set) || question < 1 || question > questionNodeCount(set))
        return;
    m_sets[static_cast<std::size_t>(set)].questions[static_cast<std::size_t>(question - 1)] = caption;
    const QModelIndex i = nodeIndex(set, question);
    emit dataChanged(i, i);
}

void QuestionListModel::setQuestionLeftOut(int set, int question, bool leftOut, const std::string& note)
{
    if (!validSet(set) || question < 1 || question > questionNodeCount(set))
        return;
    m_leftOutNote = note;
    std::vector<bool>& flags = m_sets[static_cast<std::size_t>(set)].leftOut;
    const std::size_t k = static_cast<std::size_t>(question - 1);
    if (flags.size() <= k)
        flags.resize(k + 1, false);
    if (flags[k] == leftOut)
        return;
    flags[k] = leftOut;
    const QModelIndex i = nodeIndex(set, question);
    emit dataChanged(i, i);
}

bool QuestionListModel::isLeftOut(int set, int question) const
{
    if (!validSet(set) || question < 1)
        return false;
    const std::vector<bool>& flags = m_sets[static_cast<std::size_t>(set)].leftOut;
    const std::size_t k = static_cast<std::size_t>(question - 1);
    return k < flags.size() && flags[k];
}

void QuestionListModel::setExpanded(int set, bool expanded)
{
    if (!validSet(set))
        return;
    m_sets[static_cast<std::size_t>(set)].expanded = expanded;
    const QModelIndex i = nodeIndex(set);
    emit dataChanged(i, i);
    emit expansionRequested(i, expanded);
}

void QuestionListModel::requestSelection(int set, int question)
{
    const QModelIndex i = nodeIndex(set, question);
    if (i.isValid())
        emit selectionRequested(i);
}

int QuestionListModel::questionNodeCount(int set) const
{
    return validSet(set) ? static_cast<int>(m_sets[static_cast<std::size_t>(set)].questions.size()) : 0;
}

bool QuestionListModel::isExpanded(int set) const
{
    return validSet(set) && m_sets[static_cast<std::size_t>(set)].expanded;
}

std::string QuestionListModel::caption(int set, int question) const
{
    if (!validSet(set))
        return {};
    const SetNode& node = m_sets[static_cast<std::size_t>(set)];
    if (question == 0)
        return node.caption;
    if (question < 1 || question > static_cast<int>(node.questions.size()))
        return {};
    return node.questions[static_cast<std::size_t>(question - 1)];
}

QModelIndex QuestionListModel::nodeIndex(int set, int question) const
{
    if (!validSet(set))
        return {};
    if (question == 0)
        return createIndex(set, 0, kSetNodeId);
    if (question < 1 || question > questionNodeCount(set))
        return {};
    return createIndex(question - 1, 0, static_cast<quintptr>(set) + 1);
}

std::pair<int, int> QuestionListModel::position(const QModelIndex& index) const
{
    if (!index.isValid())
        return {-1, -1};
    if (index.internalId() == kSetNodeId)
        return {index.row(), 0};
    return {static_cast<int>(index.internalId()) - 1, index.row() + 1};
}

QModelIndex QuestionListModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < setCount() ? createIndex(row, 0, kSetNodeId) : QModelIndex();
    if (parent.internalId() != kSetNodeId)
        return {};
    if (row >= questionNodeCount(parent.row()))
        return {};
    return createIndex(row, 0, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex QuestionListModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kSetNodeId)
        return {};
    return createIndex(static_cast<int>(child.internalId()) - 1, 0, kSetNodeId);
}

int QuestionListModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return setCount();
    if (parent.internalId() != kSetNodeId)
        return 0;
    return questionNodeCount(parent.row());
}

int QuestionListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant QuestionListModel::data(const QModelIndex& index, int role) const
{
    const auto [set, question] = position(index);
    if (set < 0 || !validSet(set))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return utf8(caption(set, question));
    // The whole title, for a list too narrow to show it.
    case Qt::ToolTipRole:
        return utf8(isLeftOut(set, question) ? caption(set, question) + " (" + m_leftOutNote + ")"
                                             : caption(set, question));
    case Qt::AccessibleDescriptionRole:
        return isLeftOut(set, question) ? utf8(m_leftOutNote) : QVariant();
    case Qt::FontRole:
        if (isLeftOut(set, question)) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case IconRole:
        return question == 0 ? (isExpanded(set) ? 1 : 0) : 2;
    case SetIndexRole:
        return set;
    case QuestionRole:
        return question;
    default:
        return {};
    }
}

Qt::ItemFlags QuestionListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (index.internalId() != kSetNodeId)
        f |= Qt::ItemIsDragEnabled;  // sets cannot be dragged
    return f;
}

QStringList QuestionListModel::mimeTypes() const
{
    return {QString::fromLatin1(kMimeType)};
}

QMimeData* QuestionListModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    const auto [set, question] = position(indexes.first());
    if (set < 0 || question < 1)
        return nullptr;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(set) << qint32(question);
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), bytes);
    return mime;
}

bool QuestionListModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int row, int,
                                        const QModelIndex& parent) const
{
    // Only a drop onto a node counts; between nodes or on empty space does nothing.
    return data && data->hasFormat(QString::fromLatin1(kMimeType)) && row == -1 && parent.isValid();
}

bool QuestionListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                     const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    QByteArray bytes = data->data(QString::fromLatin1(kMimeType));
    QDataStream in(&bytes, QIODevice::ReadOnly);
    qint32 sourceSet = -1;
    qint32 sourceQuestion = -1;
    in >> sourceSet >> sourceQuestion;
    if (in.status() != QDataStream::Ok)
        return false;
    const auto [targetSet, targetQuestion] = position(parent);
    if (onDrop)
        onDrop(sourceSet, sourceQuestion, targetSet, targetQuestion);
    // The workspace rebuilt the nodes itself; the view must not remove the source.
    return false;
}

Qt::DropActions QuestionListModel::supportedDropActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions QuestionListModel::supportedDragActions() const
{
    return Qt::MoveAction | Qt::CopyAction;
}

}  // namespace dorvel
