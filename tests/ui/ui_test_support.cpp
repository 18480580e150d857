// Section files, smoothed sections, batch comparisons, what pictures recorded, and shots for
// the window tests.
#include "ui_test_support.h"

#include "cli/batch_job.h"
#include "cli/batch_options.h"
#include "core/number_format.h"
#include "files/output_names.h"
#include "files/run_smoothing.h"
#include "tests/support/naca_section.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace zarnfoil::uitest {

QString WriteNaca0012(const QString& folder, const QString& name, int stationsPerSurface) {
    auto s = std::make_unique<FoilState>();
    testing::Naca naca;
    naca.stationsPerSurface = stationsPerSurface;
    naca.closedTrailingEdge = false;
    testing::FillSection(*s, naca);
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(QByteArray::fromStdString(testing::XydText(*s, "NACA 0012")));
    return path;
}

std::unique_ptr<FoilState> ReadAndSmooth(const QString& path, std::int16_t gridChoice,
                                         float strip) {
    auto s = std::make_unique<FoilState>();
    const QFileInfo info(path);
    const std::string folder = QDir::toNativeSeparators(info.absolutePath()).toStdString();
    const FileNames names = DeriveFileNames(folder, info.fileName().toStdString());
    ApplyFileNames(*s, names);
    ReaderInputs inputs;
    inputs.INPATH = names.INPATH;
    inputs.INNAME = names.INNAME;
    inputs.directory = folder;
    inputs.gridChoice = gridChoice;
    if (ReadInputFile(inputs, *s).kind != ReadOutcome::Kind::ReadOk) return nullptr;
    RunParams params;
    params.DSMOOTH = strip;
    if (!RunSmoothing(*s, params).Succeeded()) return nullptr;
    return s;
}

QStringList UnlikeTheBatchCommand(const QStringList& arguments, const QString& folder,
                                  const QStringList& names) {
    const QDir dir(folder);
    dir.mkpath("batch");
    std::vector<std::string> args{"--outdir", dir.filePath("batch").toStdString()};
    for (const QString& argument : arguments)
        args.push_back(argument.toStdString());
    const batch::ParsedOptions parsed = batch::ParseOptions(args);
    auto s = std::make_unique<FoilState>();
    std::ostringstream out, err;
    if (!parsed.options || parsed.options->files.empty() ||
        batch::RunBatchJob(*parsed.options, parsed.options->files.front(), {}, *s, out, err)
                .status != 0)
        return {"the batch command failed: " + QString::fromStdString(parsed.error + err.str())};
    auto bytes = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QStringList unlike;
    for (const QString& name : names) {
        const QByteArray window = bytes(dir.filePath(name));
        if (window.isEmpty() || window != bytes(dir.filePath("batch/" + name))) unlike << name;
    }
    return unlike;
}

int CountSegments(const ui::Canvas& canvas, const QColor& color, ui::LineStyle style) {
    return static_cast<int>(
        std::count_if(canvas.Segments().begin(), canvas.Segments().end(),
                      [&](const ui::Segment& s) { return s.color == color && s.style == style; }));
}

QStringList TextsOf(const ui::Canvas& canvas) {
    QStringList texts;
    for (const ui::PrintedText& t : canvas.Texts())
        texts << t.text;
    return texts;
}

QStringList NumbersOf(const ui::Canvas& canvas, ui::Edge edge, int row) {
    QStringList numbers;
    for (const ui::EdgeNumber& n : canvas.Numbers())
        if (n.edge == edge && n.row == row) numbers << n.text;
    return numbers;
}

QString TitlesOf(const ui::Canvas& canvas) {
    QStringList bottom, left;
    for (const ui::AxisTitle& t : canvas.Titles())
        (t.edge == ui::Edge::Bottom ? bottom : left) << t.text;
    return (bottom + left).join(' ');
}

QStringList LegendOf(const ui::Canvas& canvas) {
    QStringList texts;
    for (const ui::LegendEntry& e : canvas.LegendEntries())
        texts << e.text;
    return texts;
}

void Wheel(QWidget* widget, QPoint at, double notches, Qt::KeyboardModifiers keys) {
    QWheelEvent wheel(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(),
                      QPoint(0, static_cast<int>(120 * notches)), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

void Drag(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint from,
          QPoint to) {
    QTest::mousePress(widget, button, keys, from);
    for (int k = 1; k <= 4; ++k) {
        const QPoint at = from + (to - from) * k / 4;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)),
                         Qt::NoButton, button, keys);
        QApplication::sendEvent(widget, &move);
    }
    QTest::mouseRelease(widget, button, keys, to);
}

QString Shown(double value, const char* picture) {
    return QString::fromStdString(FormatPicture(static_cast<float>(value), picture));
}

void SaveShot(QWidget& window, const QString& name) {
    QDir().mkpath(ZARNFOIL_UI_SHOTS);
    window.grab().save(QDir(ZARNFOIL_UI_SHOTS).filePath(name + ".png"));
}

} // namespace zarnfoil::uitest
