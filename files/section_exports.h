// The smoothed section on the new X-grid in two fixed-column layouts that flow codes read:
// the TE-US-LE-LS-TE contour and the section block of the BLWF code.
#pragma once

#include "core/foil_state.h"
#include "files/text_lines.h"

#include <cstdint>

namespace zarnfoil {

// Appends both exports to the report file when OUTSECT is above 0.
void WriteSectionExports(TextLines& report, const FoilState& s, std::int16_t OUTSECT);

} // namespace zarnfoil
