// Refusals and notes of the Cp window.
#include "ui/pressure/cp_checks.h"

#include "core/number_format.h"

#include <cmath>
#include <limits>

namespace zarnfoil::ui {
namespace {

QString Shown(float value) {
    return QString::fromStdString(FormatPicture(value, "0.00#"));
}

} // namespace

float AsFloat(double value) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? kInfinity : -kInfinity;
    return static_cast<float>(value);
}

QString SectionRefusal(int np) {
    if (np < 3)
        return "There is no smoothed section to compute: read a section file and press Smooth "
               "in the main window first.";
    return {};
}

QString InputRefusal(float mach, float clain, bool liftGiven) {
    if (!std::isfinite(mach)) return "The Mach number is too large to compute with.";
    if (mach < 0)
        return QString("The Mach number %1 is negative. Nothing was computed.").arg(Shown(mach));
    if (!std::isfinite(clain))
        return liftGiven ? "The lift coefficient is too large to compute with."
                         : "The angle of attack is too large to compute with.";
    return {};
}

bool ResultOutOfRange(const KaltoArguments& a) {
    const std::int32_t status = a.ISTAT(1);
    return !(a.MACHIN(1) < 1) || status == KALTO_OUT_OF_RANGE || status == KALTO_BAD_INPUT;
}

bool ResultIsFinite(const KaltoArguments& a) {
    for (int j = 1; j <= kCpStations; ++j)
        if (!std::isfinite(a.XCP(j)) || !std::isfinite(a.Cp(j))) return false;
    return std::isfinite(a.ALPHAOUT) && std::isfinite(a.CLOUT);
}

QString ResultNotes(const KaltoArguments& a) {
    QStringList notes;
    const float mach = a.MACHIN(1);
    const std::int32_t status = a.ISTAT(1);
    if (mach >= 1)
        notes << QString("At Mach %1 the free stream is not subsonic: the result is outside the "
                         "method's range.")
                     .arg(Shown(mach));
    else if (status == KALTO_OUT_OF_RANGE)
        notes << QString("At Mach %1 the flow over the section is faster than the "
                         "compressibility correction can take: the result is outside the "
                         "method's range.")
                     .arg(Shown(mach));
    if (status == KALTO_LIFT_NOT_REACHED)
        notes << QString("The lift coefficient %1 cannot be reached; the closest answer is "
                         "shown: C lift %2 at alpha %3.")
                     .arg(Shown(a.CLAIN(1)), Shown(a.CLOUT), Shown(a.ALPHAOUT));
    if (status == KALTO_BAD_INPUT)
        notes << "The pressure solver refused the section or the values passed to it: the "
                 "curve shown is not a result.";
    if (status == KALTO_TRANSONIC_FALLBACK)
        notes << QString("At Mach %1 the flow over the section is transonic, but the Euler "
                         "solution did not settle: the panel solution with its compressibility "
                         "correction is shown, which has no shock and overstates the suction peak.")
                     .arg(Shown(mach));
    if (status == KALTO_TIME_LIMIT)
        notes << QString("At Mach %1 the flow over the section is transonic, but the Euler "
                         "solution ran out of time on this computer: the panel solution with its "
                         "compressibility correction is shown, which has no shock and overstates "
                         "the suction peak.")
                     .arg(Shown(mach));
    if (status != KALTO_OK && status != KALTO_OUT_OF_RANGE && status != KALTO_LIFT_NOT_REACHED &&
        status != KALTO_BAD_INPUT && status != KALTO_TRANSONIC_FALLBACK &&
        status != KALTO_TIME_LIMIT)
        notes << QString("The pressure solver reported status %1: the result may not be valid.")
                     .arg(status);
    if (!ResultIsFinite(a))
        notes << "The pressure solver returned values that are not numbers; they are left out "
                 "of the pictures.";
    return notes.join("\n\n");
}

QString CurveCaption(float mach, float alpha, float cl, const QString& model) {
    const QString conditions =
        QString("M %1, alpha %2\u00b0, CL %3").arg(Shown(mach), Shown(alpha), Shown(cl));
    return model.isEmpty() ? conditions : conditions + ", " + model;
}

QString ResultCaption(const KaltoArguments& a) {
    if (a.ISTAT(1) == KALTO_BAD_INPUT) return {};
    const float model = a.Case(3);
    if (model == static_cast<float>(KALTO_MODEL_PANEL)) return "Panel method";
    if (model != static_cast<float>(KALTO_MODEL_EULER)) return {};
    QStringList shocks;
    const auto place = [](float x) { return QString::fromStdString(FormatPicture(x, "0.000")); };
    if (a.Case(6) >= 0) shocks << place(a.Case(6)) + " upper";
    if (a.Case(7) >= 0) shocks << place(a.Case(7)) + " lower";
    return shocks.isEmpty() ? "Euler: no shock" : "Euler: shock x " + shocks.join(", ");
}

} // namespace zarnfoil::ui
