// Reading, smoothing and re-running the shared section, each on a copy that replaces the
// section only when it went through.
#include "ui/main/foil_document.h"

#include <memory>

namespace zarnfoil::ui {

FoilDocument::FoilDocument(FoilState& s, QObject* parent) : QObject(parent), s_(s) {}

ReadOutcome FoilDocument::Read(const FileNames& names, const ReaderInputs& inputs) {
    auto fresh = std::make_unique<FoilState>();
    ApplyFileNames(*fresh, names);
    fresh->IBC = s_.IBC;
    const ReadOutcome read = ReadInputFile(inputs, *fresh);
    if (read.kind != ReadOutcome::Kind::ReadOk) return read;
    s_ = *fresh;
    fairness_.reset();
    emit sectionRead();
    return read;
}

RunOutcome FoilDocument::Smooth(const ReaderInputs& grid, RunParams& p, bool withoutRotation,
                                const StlDomain& stl) {
    auto w = std::make_unique<FoilState>(s_);
    const ReadOutcome built = BuildNewGrid(grid, *w);
    if (built.kind != ReadOutcome::Kind::ReadOk) {
        RunOutcome refused;
        refused.kind = RunOutcome::Kind::Refused;
        refused.message = built.message;
        return refused;
    }
    w->NOROT = withoutRotation ? 1 : 0;
    const RunOutcome run = RunSmoothing(*w, p, stl);
    if (run.kind == RunOutcome::Kind::Refused) return run;
    s_ = *w;
    fairness_ = run.fairness;
    emit sectionChanged();
    return run;
}

RunOutcome FoilDocument::Rerun(std::int16_t point, float weight, RunParams& p, bool withoutRotation,
                               const StlDomain& stl) {
    auto w = std::make_unique<FoilState>(s_);
    w->DP(point) = weight;
    const RunOutcome run = RerunSmoothing(*w, p, withoutRotation, stl);
    if (run.kind == RunOutcome::Kind::Refused) return run;
    s_ = *w;
    fairness_ = run.fairness;
    emit sectionChanged();
    return run;
}

QString SectionTitle(const QString& caption, const FoilState& s) {
    return s.INNAME.empty() ? caption : caption + " - " + QString::fromStdString(s.INNAME);
}

} // namespace zarnfoil::ui
