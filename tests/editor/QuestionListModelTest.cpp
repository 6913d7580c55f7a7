#include "editor/QuestionListModel.h"

#include <QMimeData>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace dorvel {
namespace {

TEST(QuestionListModel, NodesMirrorTheSetsAndQuestions)
{
    QuestionListModel model;
    model.appendSet("Set: A");
    model.appendSet("Set: B");
    model.setQuestions(1, {"Q1: x", "Q2: y"});
    EXPECT_EQ(model.rowCount(), 2);
    const QModelIndex b = model.index(1, 0);
    EXPECT_EQ(model.rowCount(b), 2);
    const QModelIndex q2 = model.index(1, 0, b);
    EXPECT_EQ(q2.data().toString(), QStringLiteral("Q2: y"));
    EXPECT_EQ(model.parent(q2), b);
    EXPECT_EQ(q2.data(QuestionListModel::QuestionRole).toInt(), 2);
    EXPECT_EQ(q2.data(QuestionListModel::IconRole).toInt(), 2);
    EXPECT_EQ(b.data(QuestionListModel::IconRole).toInt(), 0);
    model.setExpanded(1, true);
    EXPECT_EQ(b.data(QuestionListModel::IconRole).toInt(), 1);
    EXPECT_FALSE(model.flags(b) & Qt::ItemIsDragEnabled);
    EXPECT_TRUE(model.flags(q2) & Qt::ItemIsDragEnabled);
    EXPECT_FALSE(model.flags(q2) & Qt::ItemIsEditable);
    model.removeSet(0);
    EXPECT_EQ(model.caption(0), "Set: B");
}

TEST(QuestionListModel, DropOntoANodeReportsSourceAndTarget)
{
    QuestionListModel model;
    model.appendSet("A");
    model.setQuestions(0, {"Q1:", "Q2:", "Q3:"});
    model.appendSet("B");
    std::tuple<int, int, int, int> dropped{-9, -9, -9, -9};
    model.onDrop = [&](int a, int b, int c, int d) { dropped = {a, b, c, d}; };

    std::unique_ptr<QMimeData> mime(model.mimeData({model.nodeIndex(0, 3)}));
    ASSERT_TRUE(mime);
    EXPECT_FALSE(model.dropMimeData(mime.get(), Qt::MoveAction, -1, 0, model.nodeIndex(1)));
    EXPECT_EQ(dropped, std::make_tuple(0, 3, 1, 0));
    model.dropMimeData(mime.get(), Qt::MoveAction, -1, 0, model.nodeIndex(0, 1));
    EXPECT_EQ(dropped, std::make_tuple(0, 3, 0, 1));

    // Between nodes or on empty space nothing happens; a set node cannot be dragged.
    dropped = {-9, -9, -9, -9};
    model.dropMimeData(mime.get(), Qt::MoveAction, 1, 0, model.nodeIndex(0));
    model.dropMimeData(mime.get(), Qt::MoveAction, -1, 0, {});
    EXPECT_EQ(std::get<0>(dropped), -9);
    EXPECT_EQ(model.mimeData({model.nodeIndex(1)}), nullptr);
}

}  // namespace
}  // namespace dorvel
