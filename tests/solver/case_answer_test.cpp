// The status of a case whose flow turns supersonic when the Euler solution fails: stopped by
// its cycle cap, or by the clock's safety net (which no test can wait for through KALTO).
#include "naca_section.h"
#include "solver/case_answer.h"
#include "solver/sonic_cp.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zarnfoil::solver {
namespace {

TEST(CaseAnswer, FailedEulerSolutionLeavesThePanelAnswerMarkedWithTheReason) {
    // The window's first case, NACA 0012 at M 0.70 and CL 0.5: supersonic near the nose, and
    // answered by the Euler solution within the library's budget.
    std::vector<float> x, y;
    test::NacaSection(0, 0.4, 0.12, 161, x, y);
    auto section = SolveSection(x, y);
    ASSERT_TRUE(section.has_value());

    const struct {
        const char* what;
        EulerBudget budget;
        KaltoStatus status;
    } rows[] = {
        {"one cycle", {1, std::chrono::seconds(20)}, KALTO_TRANSONIC_FALLBACK},
        {"a deadline already passed", {250, -std::chrono::seconds(1)}, KALTO_TIME_LIMIT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const CaseResult panel = SolveCase(*section, 0, 0.7f, 0.5f, 30, row.budget);
        EXPECT_EQ(panel.status, row.status);
        EXPECT_EQ(panel.model, KALTO_MODEL_PANEL);
        EXPECT_EQ(panel.cycles, 0);
        EXPECT_EQ(panel.shocks.first, -1);
        EXPECT_NEAR(panel.cl, 0.5, 1e-6);
        // The panel answer: no shock, its suction peak well past the sonic value.
        EXPECT_LT(*std::min_element(panel.cp.begin(), panel.cp.end()), SonicCp(0.7) - 0.2);
    }
}

} // namespace
} // namespace zarnfoil::solver
