#pragma once

#include <cstddef>
#include <deque>
#include <utility>

// A linear undo history: each step holds the state before and the state after one change,
// together with a label (its name, and whatever else the owner needs to redo its side effects).
// Nothing is merged: undoing a step gives back its "before" exactly, redoing it its "after".
//
// Recording a step drops the steps that were undone (there is no redo after a new change) and,
// beyond the capacity, the oldest step. The history knows nothing about what the states are: the
// owner captures and restores them.
template <class State, class Label>
class UndoHistory {
public:
    struct Step {
        Label label;
        State before;
        State after;
    };

    static constexpr std::size_t kDefaultCapacity = 500;

    // A capacity of 0 is taken as 1.
    explicit UndoHistory(std::size_t capacity = kDefaultCapacity)
        : capacity_(capacity == 0 ? 1 : capacity) {}

    void Record(Label label, State before, State after) {
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
        steps_.push_back(Step{std::move(label), std::move(before), std::move(after)});
        if (steps_.size() > capacity_) {
            steps_.pop_front();
        }
        done_ = steps_.size();
    }

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step that Undo, respectively Redo, would take; null when there is none.
    const Step* NextUndo() const { return CanUndo() ? &steps_[done_ - 1] : nullptr; }
    const Step* NextRedo() const { return CanRedo() ? &steps_[done_] : nullptr; }

    // Moves back over one step and returns it (restore its "before"); null when there is none.
    const Step* Undo() {
        if (!CanUndo()) {
            return nullptr;
        }
        --done_;
        return &steps_[done_];
    }

    // Moves forward over one undone step and returns it (restore its "after"); null when none.
    const Step* Redo() {
        if (!CanRedo()) {
            return nullptr;
        }
        return &steps_[done_++];
    }

    std::size_t UndoCount() const { return done_; }
    std::size_t RedoCount() const { return steps_.size() - done_; }
    std::size_t Capacity() const { return capacity_; }

private:
    std::size_t capacity_;
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0, done_) are done, the rest undone
};
