// What the Cp window tells the engineer: why a computation is refused before the solver is
// called, and when a result is outside the method's range or not the one asked for.
#pragma once

#include "ui/pressure/kalto_binding.h"

#include <QString>

namespace zarnfoil::ui {

// A box's number rounded to a 32-bit float; a number beyond the float range gives an infinity
// of its sign.
float AsFloat(double value);

// Why a section of `np` points cannot be passed to the solver, or empty.
QString SectionRefusal(int np);

// Why the Mach number and the lift coefficient (`liftGiven`) or angle of attack read from the
// boxes cannot be passed to the solver, or empty.
QString InputRefusal(float mach, float clain, bool liftGiven);

// Every station, its Cp, ALPHAOUT and CLOUT are finite numbers.
bool ResultIsFinite(const KaltoArguments& a);

// Which model answered and, for the Euler equations, where the shocks stand on the upper and
// lower surface, e.g. "Euler: shock x 0.647 upper, 0.367 lower"; empty when the library tells
// no model or refused the input.
QString ResultCaption(const KaltoArguments& a);

// A curve's name in the legends: "M 0.70, alpha 2.50°, CL 0.501" and the model's caption
// (ResultCaption) when there is one.
QString CurveCaption(float mach, float alpha, float cl, const QString& model);

// What the engineer must know about the result of a call made with `a`, or empty when it is a
// result within the method's range; one paragraph per finding.
QString ResultNotes(const KaltoArguments& a);

// The result of a call made with `a` is outside the method's range or no result at all: it is
// not to be drawn as the newest curve.
bool ResultOutOfRange(const KaltoArguments& a);

} // namespace zarnfoil::ui
