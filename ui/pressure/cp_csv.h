// The newest Cp curve as a CSV file for spreadsheets and scripts: a header of "# name,value"
// lines (section file, Mach, alpha in degrees, CL), then "x,Cp" and one row per station, in
// the solver's station order (from the trailing edge over the upper surface and back).
#pragma once

#include "ui/pressure/kalto_binding.h"

#include <QByteArray>
#include <QString>

namespace zarnfoil::ui {

// Stations whose x or Cp is not a finite number are left out. Lines end with CR LF.
QByteArray CpCsv(const KaltoArguments& a, const QString& sectionName);

} // namespace zarnfoil::ui
