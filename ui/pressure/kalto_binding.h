// The pressure solver library and its one entry KALTO: the 23-argument block, where the library
// is looked for, and the call. No other file of the program knows the library's name or the
// order of its arguments.
#pragma once

#include "core/array1.h"
#include "solver/kalto.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace zarnfoil::ui {

inline constexpr int kSolverPoints = KALTO_MAX_POINTS; // contour points the library takes
inline constexpr int kCpStations = KALTO_STATIONS;    // pressure stations it returns
inline constexpr int kCaseRows = KALTO_MAX_CASES;     // first index of its 2-D arrays

// The arguments of KALTO in their order, each passed by reference (solver/kalto.h tells what
// each holds, and the status codes). A two-dimensional array (1..10, 1..m) lies with its first
// index fastest: element (i, j) is (i + 10 (j - 1)) here.
struct KaltoArguments {
    std::int32_t NCASE = 0;                            // 1
    std::int32_t IMODE = 0;                            // 2: 0 lift coefficient, 1 angle given
    std::int32_t ARG3 = 0;                             // 3
    Array1<float, 20> MACHIN;                          // 4
    Array1<float, 20> CLAIN;                           // 5
    std::int32_t ARG6 = 0, ARG7 = 0, ARG8 = 0;         // 6, 7, 8
    std::int32_t NPT = 0;                              // 9
    float ARG10 = 0;                                   // 10
    Array1<float, kSolverPoints> XC, YC;               // 11, 12
    std::int32_t ARG13 = 0;                            // 13
    Array1<float, kCpStations> XCP, ARG15;             // 14, 15
    Array1<float, kCaseRows * kCpStations> CPS, ARG17; // 16, 17
    float ALPHAOUT = 0, CLOUT = 0;                     // 18, 19
    float ARG20 = 0, ARG21 = 0;                        // 20, 21
    Array1<float, kCaseRows * KALTO_CASE_VALUES> CASEOUT; // 22
    Array1<std::int32_t, kCaseRows> ISTAT;             // 23

    // CPS(1, j): Cp of the first case at station j.
    float& Cp(int j) { return CPS(1 + kCaseRows * (j - 1)); }
    float Cp(int j) const { return CPS(1 + kCaseRows * (j - 1)); }
    // CASEOUT(1, c): what the library tells of the first case (model, shock places).
    float& Case(int c) { return CASEOUT(1 + kCaseRows * (c - 1)); }
    float Case(int c) const { return CASEOUT(1 + kCaseRows * (c - 1)); }
};

// "kalto.dll" on Windows, "libkalto.so" elsewhere.
QString KaltoFileName();

// Where the library is looked for, in this order: the dll folder beside the program (the
// installed library, so that one lying in whatever folder the user started from is not
// preferred), then dll/ under the current directory. The same folder is not listed twice.
QStringList KaltoSearchPaths(const QString& programDir, const QString& currentDir);

class KaltoLibrary {
  public:
    // Looks in `paths` instead of the usual places (the tests' stand-in library).
    void SetPaths(QStringList paths) { paths_ = std::move(paths); }

    // Loads the first library found that has the entry KALTO, looking where KaltoSearchPaths
    // says for this program and the current directory of the moment. Once loaded it stays;
    // until then every call looks again. False when none was found; Failure() then names
    // each path tried and what was wrong with it.
    bool Load();
    bool IsLoaded() const { return entry_ != nullptr; }
    QString LoadedPath() const { return library_.fileName(); }
    const QString& Failure() const { return failure_; }

    // Calls KALTO with the block; Load() must have succeeded.
    void Call(KaltoArguments& a) const;

  private:
    using Entry = KaltoFunction*;

    std::optional<QStringList> paths_;
    QLibrary library_;
    Entry entry_ = nullptr;
    QString failure_;
};

} // namespace zarnfoil::ui
