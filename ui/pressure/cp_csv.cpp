// Writing the Cp curve as CSV.
#include "ui/pressure/cp_csv.h"

#include <cmath>

namespace zarnfoil::ui {
namespace {

QString Number(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

} // namespace

QByteArray CpCsv(const KaltoArguments& a, const QString& sectionName) {
    QString text;
    const auto line = [&text](const QString& content) { text += content + "\r\n"; };
    line("# section," + sectionName);
    line("# Mach," + Number(a.MACHIN(1)));
    line("# alpha," + Number(a.ALPHAOUT));
    line("# CL," + Number(a.CLOUT));
    line("x,Cp");
    for (int j = 1; j <= kCpStations; ++j)
        if (std::isfinite(a.XCP(j)) && std::isfinite(a.Cp(j)))
            line(Number(a.XCP(j)) + "," + Number(a.Cp(j)));
    return text.toUtf8();
}

} // namespace zarnfoil::ui
