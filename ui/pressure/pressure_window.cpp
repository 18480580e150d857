// The Cp window: its controls, the computation through the solver library, the CSV export and
// the resize rule.
#include "ui/pressure/pressure_window.h"

#include "core/number_format.h"
#include "ui/main/main_window.h"
#include "ui/main/number_box.h"
#include "ui/main/window_slot.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/picture_navigator.h"
#include "ui/plots/plot_colors.h"
#include "ui/plots/plot_layout.h"
#include "ui/pressure/cp_checks.h"
#include "ui/pressure/cp_csv.h"
#include "ui/pressure/cp_plot.h"
#include "ui/pressure/cp_scale.h"
#include "ui/pressure/solver_contour.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSaveFile>
#include <QScreen>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <limits>
#include <memory>

namespace zarnfoil::ui {
namespace {

constexpr float kFirstMach = 0.7f;
constexpr float kFirstLift = 0.5f;

QString Shown(float value) {
    return QString::fromStdString(FormatPicture(value, "0.00#"));
}

// A button whose caption wraps onto a second line, as "Presure distribution" needs at the
// button's design width.
class WrappingButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.drawText(rect().adjusted(3, 2, -3, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
    }
};

// The sample of the newest curve's colour beside "Last calculation".
class LineSample : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(kWhite);
        const int y = height() / 2;
        painter.drawLine(0, y, width() - 1, y);
    }
};

template <class Control> Control* Place(Control* control, const char* name, QRect twips) {
    control->setObjectName(name);
    control->setGeometry(TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return control;
}

QLabel* PlaceLabel(QWidget* parent, const char* name, const char* text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->adjustSize();
    label->move(TwipsToPixels(left), TwipsToPixels(top));
    return label;
}

PictureArea* MakePicture(QWidget* parent, const char* name, QRect twips) {
    auto* picture = Place(new PictureArea(parent), name, twips);
    picture->canvas().Clear(kBlack);
    picture->canvas().SetForeground(kWhite);
    return picture;
}

} // namespace

Form_Cp::Form_Cp(FoilDocument& document, PressureHistory& history, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), s_(document.State()), history_(history),
      layout_(MeasureCpLayout(kCpDesign)), showMessage_([this](const QString& text) {
          auto* box =
              new QMessageBox(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
          box->setAttribute(Qt::WA_DeleteOnClose);
          box->open();
      }) {
    setObjectName("Form_Cp");
    setWindowTitle(SectionTitle("Cp distribution", s_));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    BuildControls();
    resize(TwipsToPixels(kCpDesign.clientTwips.width()),
           TwipsToPixels(kCpDesign.clientTwips.height()));
    setMinimumWidth(TwipsToPixels(layout_.cptWidthMargin) + 60);
    connect(Cmd_cp, &QPushButton::clicked, this, &Form_Cp::ComputeCp);
    connect(new QShortcut(Qt::Key_Home, this), &QShortcut::activated, this, &Form_Cp::ResetViews);
    // What the first computation of a section takes, shown before it is made.
    Txt_M->setText(Shown(kFirstMach));
    Txt_cl->setText(Shown(kFirstLift));
    Opt_cl->setChecked(true);
    for (QLineEdit* box : {Txt_M, Txt_alpha, Txt_cl})
        MakeNumberBox(box);
    connect(&document_, &FoilDocument::sectionChanged, this, [this] {
        if (holdsResult_)
            Lbl_note->setText("The section has changed since this curve was computed: press "
                              "\"Presure distribution\" to compute it again.");
    });
    connect(&document_, &FoilDocument::sectionRead, this, &QWidget::close);
}

void Form_Cp::BuildControls() {
    Frm_cp =
        Place(new QGroupBox("Airfoil CP distribution", this), "Frm_cp", QRect(120, 0, 1212, 2895));
    Lbl_M = PlaceLabel(Frm_cp, "Lbl_M", "Mach", 120, 240);
    Txt_M = Place(new QLineEdit("0.5", Frm_cp), "Txt_M", QRect(120, 480, 735, 285));
    Lbl_alpha = PlaceLabel(Frm_cp, "Lbl_alpha", "Alpha", 120, 960);
    Txt_alpha = Place(new QLineEdit("1", Frm_cp), "Txt_alpha", QRect(120, 1200, 735, 285));
    Opt_alpha = Place(new QRadioButton(Frm_cp), "Opt_alpha", QRect(840, 1200, 255, 285));
    Lbl_cl = PlaceLabel(Frm_cp, "Lbl_cl", "C lift", 120, 1680);
    Txt_cl = Place(new QLineEdit("0.5", Frm_cp), "Txt_cl", QRect(120, 1920, 735, 285));
    Opt_cl = Place(new QRadioButton(Frm_cp), "Opt_cl", QRect(840, 1920, 255, 285));
    Cmd_cp = Place(new WrappingButton("Presure distribution", Frm_cp), "Cmd_cp",
                   QRect(120, 2280, 972, 495));
    // Between the line sample and Pict_Cpt the caption needs two lines in today's fonts.
    Label1 = Place(new QLabel("Last calculation", this), "Label1", QRect(600, 2880, 840, 480));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The sample runs from x 120 to 480 at y 3000, across the middle of its widget.
    Line1 = Place(new LineSample(this), "Line1", QRect(120, 2940, 360, 120));
    Pict_Cpt = MakePicture(this, "Pict_Cpt", kCpDesign.cptTwips);
    Pict_Cp = MakePicture(this, "Pict_Cp", kCpDesign.cpTwips);
    Pict_Cpt->canvas().SetFrame(kCpOverTFrame);
    Pict_Cp->canvas().SetFrame(kCpOverXFrame);
    Lbl_note = Place(new QLabel(this), "Lbl_note", kCpDesign.noteTwips);
    Lbl_note->setWordWrap(true);
    Lbl_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Each picture zooms and pans on its own; Shift + drag, whose direction would read upside
    // down over Cp, is left out.
    NavigationRules rules;
    rules.shiftZoom = false;
    for (PictureArea* picture : {Pict_Cpt, Pict_Cp}) {
        const bool overX = picture == Pict_Cp;
        PlotView& view = overX ? viewCp_ : viewCpt_;
        bool& follow = overX ? followCp_ : followCpt_;
        const auto reset = [this, &follow] {
            follow = true;
            Redraw();
        };
        auto* navigator = new PictureNavigator(
            *picture, view, rules, [this] { Redraw(); }, reset);
        connect(navigator, &PictureNavigator::navigated, this, [&follow] { follow = false; });
        QMenu* menu = AttachPictureMenu(*picture, reset, [this, overX] {
            return PictureFileName(s_, overX ? "cp_x" : "cp_t");
        });
        QAction* csv = menu->addAction("Export curve as CSV...", this, [this] {
            const QString name = QString::fromStdString(s_.INNAME).section('.', 0, 0) + "_cp.csv";
            const QString path = QFileDialog::getSaveFileName(
                this, "Export curve as CSV", QDir::current().filePath(name), "CSV (*.csv)");
            if (!path.isEmpty() && !ExportCsv(path))
                Tell("The curve could not be written to " + QDir::toNativeSeparators(path) + ".");
        });
        connect(menu, &QMenu::aboutToShow, csv, [this, csv] { csv->setEnabled(holdsResult_); });
    }
}

void Form_Cp::ComputeCp() {
    // Refusals come before anything changes.
    if (const QString refusal = SectionRefusal(s_.NP); !refusal.isEmpty()) return Tell(refusal);
    const bool liftGiven = Opt_cl->isChecked();
    QLineEdit* given = liftGiven ? Txt_cl : Txt_alpha;
    const std::optional<double> machBox = ReadNumberBox(Txt_M);
    const std::optional<double> givenBox = ReadNumberBox(given);
    if (!machBox || !givenBox) {
        QString problems;
        if (!machBox) problems += NotANumber(Lbl_M->text(), Txt_M);
        if (!givenBox) problems += NotANumber((liftGiven ? Lbl_cl : Lbl_alpha)->text(), given);
        return Tell(problems + "Nothing was computed.");
    }
    const float mach = AsFloat(*machBox), clain = AsFloat(*givenBox);
    if (const QString refusal = InputRefusal(mach, clain, liftGiven); !refusal.isEmpty())
        return Tell(refusal);
    if (!kalto_.Load()) return Tell(kalto_.Failure());
    const SolverContour contour = PrepareSolverContour(s_);
    if (contour.npt == 0) return Tell(SectionRefusal(0));

    // The call is made on a copy of the block: a result that is not drawn leaves the window as
    // it was.
    auto next = std::make_unique<KaltoArguments>(args_);
    // A window opened anew starts with an empty block, even when the section has been computed
    // in an earlier one; it gets the solver's settings of a first computation too.
    if (s_.NCP == 0 || !holdsResult_) {
        next->ARG6 = 30;
        next->ARG7 = 1;
        next->ARG8 = 2;
        next->ARG10 = 0;
    }
    next->NCASE = 1;
    next->NPT = contour.npt;
    next->XC = contour.XC;
    next->YC = contour.YC;
    next->MACHIN(1) = mach;
    next->IMODE = liftGiven ? 0 : 1;
    next->CLAIN(1) = clain;
    next->ISTAT(1) = KALTO_OK; // a library that reports no status leaves it so
    next->Case(3) = -1;        // and one that names no model, so
    next->Case(6) = next->Case(7) = -1;
    kalto_.Call(*next);

    const QString notes = ResultNotes(*next);
    if (ResultOutOfRange(*next))
        return Tell(notes + "\n\nThe curve is not drawn: the pictures keep the last result.");

    const std::int16_t count = s_.NCP < std::numeric_limits<std::int16_t>::max()
                                   ? static_cast<std::int16_t>(s_.NCP + 1)
                                   : s_.NCP;
    // The first computation of a section has no previous curve; after it, only a curve this
    // window has shown becomes the previous one.
    history_.PREVCP = 0;
    if (s_.NCP > 0 && holdsResult_) {
        for (int j = 1; j <= kCpStations; ++j) {
            history_.XCPPREV(j) = args_.XCP(j);
            history_.CPPREV(j) = args_.Cp(j);
        }
        history_.PREVCP = 1;
        history_.caption = caption_;
    }
    document_.SetPressureCount(count);
    args_ = *next;
    holdsResult_ = true;
    MACHLAST = mach;

    Txt_cl->setText(Shown(args_.CLOUT));
    Txt_alpha->setText(Shown(args_.ALPHAOUT));
    caption_ = CurveCaption(mach, args_.ALPHAOUT, args_.CLOUT, ResultCaption(args_));
    Lbl_note->setText(contour.resampled
                          ? QString("The section's %1 points were resampled to %2 along its "
                                    "smoothed contour for the solver.")
                                .arg(s_.NP)
                                .arg(kSolverPoints)
                          : QString());
    DrawCp();
    if (!notes.isEmpty()) Tell(notes);
}

bool Form_Cp::ExportCsv(const QString& path) {
    if (!holdsResult_) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray text = CpCsv(args_, QString::fromStdString(s_.INNAME));
    return file.write(text) == text.size() && file.commit();
}

void Form_Cp::DrawCp() {
    CpCurve newest, previous;
    for (int j = 1; j <= kStations; ++j) {
        newest.x(j) = args_.XCP(j);
        newest.cp(j) = args_.Cp(j);
        previous.x(j) = history_.XCPPREV(j);
        previous.cp(j) = history_.CPPREV(j);
    }
    const CpCurve* shownPrevious = history_.PREVCP == 1 ? &previous : nullptr;
    const CpScale scale =
        ScaleCp(newest.cp, MACHLAST, shownPrevious ? &shownPrevious->cp : nullptr);
    if (followCp_) viewCp_ = CpOverXView(scale);
    if (followCpt_) viewCpt_ = CpOverTView(scale);
    DrawCpOverX(Pict_Cp->canvas(), scale, newest, shownPrevious, viewCp_,
                {caption_, "previous: " + history_.caption});
    DrawCpOverT(Pict_Cpt->canvas(), scale, newest, shownPrevious, viewCpt_);
    DrawCpCaption(Pict_Cpt->canvas(), ResultCaption(args_));
    Pict_Cp->update();
    Pict_Cpt->update();
}

void Form_Cp::Redraw() {
    if (s_.NCP > 0 && holdsResult_) DrawCp();
}

void Form_Cp::ResetViews() {
    followCp_ = followCpt_ = true;
    Redraw();
}

void Form_Cp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // As high as the screen lets the window be, the window system's frame included.
    const QScreen* screen = this->screen();
    const int frame = frameGeometry().height() - height();
    const CpFit fit =
        FitCp(layout_, width(), screen ? screen->availableGeometry().height() - frame : 1 << 20);
    if (height() != fit.windowHeight && size() != askedFrom_) {
        askedFrom_ = size();
        resize(width(), fit.windowHeight);
    }
    Pict_Cpt->setGeometry(Pict_Cpt->x(), Pict_Cpt->y(), fit.cptWidth, fit.cptHeight);
    Pict_Cp->setGeometry(Pict_Cp->x(), fit.cpTop, fit.cpWidth, fit.cpHeight);
    Lbl_note->setGeometry(Lbl_note->x(), fit.noteTop, fit.cpWidth, Lbl_note->height());
    Redraw();
}

void Form_Cp::Tell(const QString& text) {
    showMessage_(text);
}

void InstallPressureWindow(Form_inp& form) {
    auto window = std::make_shared<WindowSlot<Form_Cp>>();
    auto history = std::make_shared<PressureHistory>();
    QObject::connect(&form.Document(), &FoilDocument::sectionRead, &form,
                     [history] { *history = PressureHistory{}; });
    form.SetPressureWindow([&form, window, history] {
        window->Show([&form, history] { return new Form_Cp(form.Document(), *history, &form); });
    });
}

} // namespace zarnfoil::ui
