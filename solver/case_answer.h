// One section solved once, and each case answered on it: the panel answer while the flow stays
// subsonic, the Euler answer where it turns supersonic, the panel answer marked as such where
// the Euler solution fails, and a status for every case.
#pragma once

#include "solver/kalto.h"
#include "solver/panel_nodes.h"
#include "solver/panel_system.h"
#include "solver/section_map.h"
#include "solver/shock_place.h"
#include "solver/stations.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zarnfoil::solver {

struct Section {
    PanelNodes nodes;
    BaseFlows base;
    Stations stations;
    bool reversed = false;
    std::vector<Vec2> closed; // the contour the Euler grid is built round
    // Fitted at the first case that needs it.
    std::optional<SectionMap> map;
    bool mapTried = false;
};

// The caller's contour checked, splined and solved for its two base flows; nothing when it is
// bad input (see KALTO_BAD_INPUT) or gives no finite answer.
std::optional<Section> SolveSection(std::span<const float> x, std::span<const float> y);

struct CaseResult {
    std::array<double, kStationCount> cp{};
    double alphaDegrees = 0;
    double cl = 0;
    std::int32_t status = KALTO_OK;
    KaltoModel model = KALTO_MODEL_PANEL;
    int cycles = 0;
    double largestMach = 0;
    ShockPlaces shocks;
};

// Zero pressure; the angle or lift asked for is echoed so the caller's fields keep their values.
CaseResult BadInputCase(std::int32_t mode, float clain);

// What one Euler solution may take: multigrid cycles, and the clock as a safety net.
struct EulerBudget {
    // The slowest case of NACA 0012 and 2412 over M 0.70 to 0.85 and 0 to 3 degrees settles
    // within 100 cycles, and 250 take under a second on the machine the library was sized on.
    int cycleCap = 250;
    // Twenty times what the cycle cap takes there, so that a sanitizer build on a loaded
    // machine stays well clear of it.
    std::chrono::steady_clock::duration safetyNet = std::chrono::seconds(20);
};

// Case `mode` (0: lift given, 1: angle given, in degrees) at Mach `mach`; the panel method's
// lift search takes at most `iterationCap` loadings.
CaseResult SolveCase(Section& section, std::int32_t mode, float mach, float clain, int iterationCap,
                     const EulerBudget& budget = {});

} // namespace zarnfoil::solver
