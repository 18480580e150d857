// Undo and redo of the weight editor's edits: each edit is the weight of one point, as it was
// before and as the edit stored it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace zarnfoil::ui {

struct WeightChange {
    std::int16_t point = 0;
    float before = 0, after = 0;
};

class WeightHistory {
  public:
    // A new edit; what was undone can no longer be redone. An edit that changed nothing is
    // not kept.
    void Record(const WeightChange& change);
    // The last edit, to be taken back (restore `before`); it can be redone afterwards.
    std::optional<WeightChange> Undo();
    // The last edit taken back, to be made again (restore `after`).
    std::optional<WeightChange> Redo();

    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }

  private:
    std::vector<WeightChange> done_, undone_;
};

} // namespace zarnfoil::ui
