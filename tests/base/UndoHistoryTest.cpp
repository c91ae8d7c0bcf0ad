#include "base/UndoHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using History = UndoHistory<int, std::string>;

// Steps 0 -> 1 "a", 1 -> 2 "b", 2 -> 3 "c".
History ThreeSteps() {
    History history;
    history.Record("a", 0, 1);
    history.Record("b", 1, 2);
    history.Record("c", 2, 3);
    return history;
}

TEST(UndoHistory, UndoGivesEachBeforeBackwardsAndRedoEachAfterForwards) {
    History history = ThreeSteps();
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.NextUndo()->label, "c");
    EXPECT_EQ(history.Undo()->before, 2);
    EXPECT_EQ(history.Undo()->before, 1);
    EXPECT_EQ(history.NextRedo()->label, "b");
    EXPECT_EQ(history.Undo()->before, 0);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.NextUndo(), nullptr);
    EXPECT_EQ(history.RedoCount(), 3u);

    EXPECT_EQ(history.Redo()->after, 1);
    EXPECT_EQ(history.Redo()->after, 2);
    EXPECT_EQ(history.Redo()->after, 3);
    EXPECT_EQ(history.Redo(), nullptr);
    EXPECT_EQ(history.UndoCount(), 3u);
}

TEST(UndoHistory, ANewStepAfterUndoDropsTheUndoneSteps) {
    History history = ThreeSteps();
    history.Undo();
    history.Undo();
    history.Record("d", 1, 7);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(history.Undo()->label, "d");
    EXPECT_EQ(history.Undo()->label, "a");
    EXPECT_EQ(history.Redo()->after, 1);
    EXPECT_EQ(history.Redo()->after, 7);
}

TEST(UndoHistory, BeyondItsCapacityTheOldestStepsGo) {
    EXPECT_GE(History::kDefaultCapacity, 200u);
    History history;
    const int total = static_cast<int>(history.Capacity()) + 50;
    for (int i = 0; i < total; ++i) {
        history.Record(std::to_string(i), i, i + 1);
    }
    EXPECT_EQ(history.UndoCount(), history.Capacity());
    const History::Step* last = nullptr;
    while (const History::Step* step = history.Undo()) {
        last = step;
    }
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->before, 50);
    EXPECT_EQ(last->label, "50");

    History one(0);
    one.Record("x", 0, 1);
    one.Record("y", 1, 2);
    EXPECT_EQ(one.UndoCount(), 1u);
    EXPECT_EQ(one.Undo()->label, "y");
}

} // namespace
