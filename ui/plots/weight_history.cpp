// The weight editor's undo and redo stacks.
#include "ui/plots/weight_history.h"

namespace zarnfoil::ui {

void WeightHistory::Record(const WeightChange& change) {
    if (change.before == change.after) return;
    done_.push_back(change);
    undone_.clear();
}

std::optional<WeightChange> WeightHistory::Undo() {
    if (done_.empty()) return std::nullopt;
    const WeightChange change = done_.back();
    done_.pop_back();
    undone_.push_back(change);
    return change;
}

std::optional<WeightChange> WeightHistory::Redo() {
    if (undone_.empty()) return std::nullopt;
    const WeightChange change = undone_.back();
    undone_.pop_back();
    done_.push_back(change);
    return change;
}

} // namespace zarnfoil::ui
