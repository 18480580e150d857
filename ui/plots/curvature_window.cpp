// The curvature window: loading, the weight editor's controls, the re-run and the pictures.
#include "ui/plots/curvature_window.h"

#include "core/number_format.h"
#include "ui/main/number_box.h"
#include "ui/main/window_slot.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/picture_navigator.h"
#include "ui/plots/plot_curves.h"
#include "ui/plots/plot_layout.h"
#include "ui/plots/plot_window.h"
#include "ui/plots/weight_editor.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <utility>

namespace zarnfoil::ui {
namespace {

const char* const kCaption = "Curvature K(t)";
const char* const kWeightPicture = "#0.0####";
const CurvatureDesign kDesign{QSize(10575, 9555), QRect(120, 360, 10335, 3855),
                              QRect(120, 4320, 10335, 1800), QRect(120, 6225, 10335, 2295),
                              QRect(120, 8580, 10335, 930)};
constexpr int kRowTwips = 255; // the controls of the top row; the text box is 285 high
constexpr int kTextBoxTwips = 285;

// While the window sets its own controls, their change handling must not edit or run.
class BusyGuard {
  public:
    explicit BusyGuard(std::int16_t& flag) : flag_(flag), before_(flag) { flag_ = 1; }
    ~BusyGuard() { flag_ = before_; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

  private:
    std::int16_t& flag_;
    std::int16_t before_;
};

QString Shown(float value, const char* picture) {
    return QString::fromStdString(FormatPicture(value, picture));
}

QLabel* RowLabel(const char* name, const char* text, int leftTwips, int widthTwips,
                 QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(TwipRect(leftTwips, 0, widthTwips, kRowTwips));
    return label;
}

QScrollBar* RowScrollBar(const char* name, int leftTwips, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(name);
    bar->setGeometry(TwipRect(leftTwips, 0, kRowTwips, kRowTwips));
    return bar;
}

PictureArea* Picture(const char* name, const QRect& twips, QWidget* parent) {
    auto* picture = new PictureArea(parent);
    picture->setObjectName(name);
    picture->setGeometry(TwipRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return picture;
}

} // namespace

Form_KSM::Form_KSM(FoilDocument& document, ReadSettings settings, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), s_(document.State()),
      settings_(std::move(settings)),
      showMessage_([this](const QString& title, const QString& text) {
          QMessageBox::warning(this, title, text);
      }) {
    setObjectName("Form_KSM");
    setWindowTitle(SectionTitle(kCaption, s_));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    BuildControls();
    // On a low screen the window opens as high as the screen lets it, title bar included; the
    // deviation and weight pictures give up the height.
    constexpr int kTitleBar = 40;
    int height = TwipsToPixels(kDesign.client.height());
    if (const QScreen* screen = this->screen())
        height = std::min(height, screen->availableGeometry().height() - kTitleBar);
    resize(TwipsToPixels(kDesign.client.width()), height);
    Connect();
    Load();
}

void Form_KSM::BuildControls() {
    Label_x = RowLabel("Label_x", "K=", 0, 1095, this);
    Label_t = RowLabel("Label_t", "t=", 1080, 1095, this);
    Label_y = RowLabel("Label_y", "y=", 2160, 1095, this);
    Lbl_D = RowLabel("Lbl_D", "D=", 3240, 1095, this);
    VScr_ID = RowScrollBar("VScr_ID", 5640, this);
    Lbl_DI = RowLabel("Lbl_DI", "D(2)=", 5880, 855, this);
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(font().pointSize());
    Lbl_DI->setFont(courier);
    Txt_DI = new QLineEdit("0.0", this);
    Txt_DI->setObjectName("Txt_DI");
    MakeNumberBox(Txt_DI, NumberRule::Whole);
    // Undo and redo are the window's, whichever control has the focus.
    Txt_DI->installEventFilter(this);
    Txt_DI->setGeometry(TwipRect(6720, 0, 1095, kTextBoxTwips));
    VScr_D = RowScrollBar("VScr_D", 7800, this);
    // A drag of the thumb changes the weight once, when it ends.
    VScr_D->setTracking(false);
    Cmd_Enter = new QPushButton("Enter", this);
    Cmd_Enter->setObjectName("Cmd_Enter");
    Cmd_Enter->setGeometry(TwipRect(8160, 0, 495, kRowTwips));
    Pict_C = Picture("Pict_C", kDesign.pictC, this);
    Pict_Dev = Picture("Pict_Dev", kDesign.pictDev, this);
    Pict_D = Picture("Pict_D", kDesign.pictD, this);
    for (PictureArea* picture : {Pict_C, Pict_Dev, Pict_D})
        picture->canvas().SetFrame({});
    // How fair the last run left the section; the warning stands out in red.
    Lbl_fair = new QLabel(this);
    Lbl_fair->setObjectName("Lbl_fair");
    Lbl_warn = new QLabel(this);
    Lbl_warn->setObjectName("Lbl_warn");
    Lbl_warn->setStyleSheet("QLabel { color: #c00000; font-weight: bold; }");
    for (QLabel* status : {Lbl_fair, Lbl_warn}) {
        status->setWordWrap(true);
        status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // The arrow keys edit the weights while the weight picture has the focus.
    Pict_D->setFocusPolicy(Qt::StrongFocus);
    Pict_D->installEventFilter(this);
}

void Form_KSM::Connect() {
    connect(VScr_ID, &QScrollBar::valueChanged, this, &Form_KSM::VScrIdChanged);
    connect(VScr_D, &QScrollBar::valueChanged, this, &Form_KSM::VScrDChanged);
    connect(Cmd_Enter, &QPushButton::clicked, this, &Form_KSM::EnterWeight);
    connect(Txt_DI, &QLineEdit::returnPressed, this, &Form_KSM::EnterWeight);

    // Pict_C zooms and pans in t and K; the pictures below follow it in t and move it along t.
    // The right button edits a weight in Pict_D, so only Pict_C and Pict_Dev draw zoom boxes
    // with it.
    const auto redraw = [this] { DrawView(); };
    const auto reset = [this] { ResetView(); };
    NavigationRules curvature;
    curvature.zoomScale = ZoomScale::ViewHeight;
    new PictureNavigator(*Pict_C, view_, curvature, redraw, reset);
    NavigationRules alongT = curvature;
    alongT.axes = ViewAxes::XOnly;
    auto* deviation = new PictureNavigator(*Pict_Dev, view_, alongT, redraw, reset);
    alongT.rightButtonBox = false;
    auto* weights = new PictureNavigator(*Pict_D, view_, alongT, redraw, reset);
    for (PictureNavigator* navigator : {deviation, weights})
        connect(navigator, &PictureNavigator::clicked, this,
                [this](const PictureMouse& m) { SelectAt(m.x); });
    connect(new QShortcut(Qt::Key_Home, this), &QShortcut::activated, this, &Form_KSM::ResetView);

    connect(Pict_C, &PictureArea::mouseMoved, this, [this](const PictureMouse& m) {
        ShowReadout(m.x);
        Label_y->setText(LabelText("K=", m.y, "#0.000"));
    });
    connect(Pict_Dev, &PictureArea::mouseMoved, this,
            [this](const PictureMouse& m) { ShowReadout(m.x); });
    connect(Pict_D, &PictureArea::mouseMoved, this, &Form_KSM::WeightMoved);
    connect(Pict_D, &PictureArea::mouseReleased, this, &Form_KSM::WeightReleased);
    const std::pair<PictureArea*, const char*> names[] = {
        {Pict_C, "curvature"}, {Pict_Dev, "deviation"}, {Pict_D, "weights"}};
    for (const auto& [picture, name] : names)
        AttachPictureMenu(*picture, reset, [this, name] { return PictureFileName(s_, name); });

    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, [this] { TakeBack(false); });
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redo, &QShortcut::activated, this, [this] { TakeBack(true); });
    connect(&document_, &FoilDocument::sectionChanged, this, &Form_KSM::SectionChanged);
    connect(&document_, &FoilDocument::sectionRead, this, &QWidget::close);
}

void Form_KSM::Load() {
    const BusyGuard busy(BUSY);
    layout_ = MeasureCurvatureLayout(kDesign);
    bounds_ = FindCurvatureBounds(s_);
    ISEL = FirstSelectable();
    ShowValues();
    ShowFairness();
    SetupView(view_, bounds_.xmin, bounds_.xmax, bounds_.ymin, bounds_.ymax);
    FindRanges();

    const bool editable = SectionIsDrawable(s_) && LastSelectable(s_) >= FirstSelectable();
    {
        const QSignalBlocker blockD(VScr_D);
        const QSignalBlocker blockId(VScr_ID);
        VScr_D->setRange(kWeightScrollMin, kWeightScrollMax);
        VScr_D->setValue(kWeightScrollCentre);
        // Negative, so that moving the thumb up raises the index.
        VScr_ID->setRange(editable ? 1 - s_.NP : -FirstSelectable(), -FirstSelectable());
        VScr_ID->setValue(-FirstSelectable());
    }
    VSCR_D_LAST = static_cast<std::int16_t>(VScr_D->value());
    const std::initializer_list<QWidget*> editors{VScr_ID, VScr_D, Txt_DI, Cmd_Enter};
    for (QWidget* control : editors)
        control->setEnabled(editable);
    DrawView();
}

void Form_KSM::ShowValues() {
    Lbl_DI->setText("D(" + Shown(ISEL, "##0") + ")=");
    Txt_DI->setText(Shown(s_.DP(ISEL), kWeightPicture));
}

void Form_KSM::ShowFairness() {
    if (!document_.Fairness()) {
        Lbl_fair->clear();
        Lbl_warn->clear();
        return;
    }
    FairnessReport report = *document_.Fairness();
    const std::string warning = report.endConditionWarning;
    report.endConditionWarning.clear();
    Lbl_fair->setText(QString::fromStdString(FairnessSummary(report, s_)));
    Lbl_warn->setText(warning.empty() ? QString() : "Warning: " + QString::fromStdString(warning));
}

void Form_KSM::FindRanges() {
    weights_ = FindWeightRange(s_, settings_().maxStripText);
    deviation_ = FindDeviationRange(s_);
}

void Form_KSM::DrawPlot(float xc, float yc, float w, float h) {
    static const FairnessReport kNone;
    const FairnessReport& fairness = document_.Fairness() ? *document_.Fairness() : kNone;
    DrawCurvature(Pict_C->canvas(), s_, bounds_, fairness, ISEL, xc, yc, w, h);
    DrawDeviation(Pict_Dev->canvas(), s_, deviation_, fairness, ISEL, xc, w);
    DrawWeights(Pict_D->canvas(), s_, weights_, ISEL, xc, w);
    for (PictureArea* picture : {Pict_C, Pict_Dev, Pict_D})
        picture->update();
}

void Form_KSM::ResetView() {
    bounds_ = FindCurvatureBounds(s_);
    SetupView(view_, bounds_.xmin, bounds_.xmax, bounds_.ymin, bounds_.ymax);
    FindRanges();
    DrawView();
}

void Form_KSM::VScrIdChanged(int value) {
    const BusyGuard busy(BUSY);
    ISEL = static_cast<std::int16_t>(-value);
    ShowValues();
    // Every new point starts from the middle of the value scroll bar.
    VScr_D->setValue(kWeightScrollCentre);
    VSCR_D_LAST = kWeightScrollCentre;
    DrawView();
}

void Form_KSM::VScrDChanged(int value) {
    if (BUSY != 0 || !Selectable(s_, ISEL)) return;
    const auto v = static_cast<std::int16_t>(value);
    const float before = s_.DP(ISEL);
    const float weight = SteppedWeight(before, VSCR_D_LAST, v);
    VSCR_D_LAST = v;
    if (RerunWithWeight(ISEL, weight)) history_.Record({ISEL, before, weight});
}

void Form_KSM::EnterWeight() {
    if (!Selectable(s_, ISEL)) return;
    const QString text = Txt_DI->text();
    const std::optional<double> number = ReadNumberBox(Txt_DI);
    if (!number || !(std::fabs(*number) <= std::numeric_limits<float>::max())) {
        Report(QString("\"%1\" is not a number the weight can take.\nThe weight D(%2) stays %3.")
                   .arg(text, Shown(ISEL, "##0"), Shown(s_.DP(ISEL), kWeightPicture)));
        return;
    }
    const float before = s_.DP(ISEL);
    const auto weight = static_cast<float>(*number);
    if (RerunWithWeight(ISEL, weight)) history_.Record({ISEL, before, weight});
}

void Form_KSM::SelectAt(float t) {
    const std::int16_t i = PointAtT(s_, t);
    if (i == 0) return;
    ISEL = i;
    ShowValues();
    VScr_ID->setValue(-i); // a new point: its change handling re-centres and redraws
}

void Form_KSM::ShowReadout(float t) {
    Label_t->setText(LabelText("t=", t, "#0.000"));
    Label_x->setText(LabelText("x=", t * t, "#0.000"));
}

void Form_KSM::WeightMoved(const PictureMouse& mouse) {
    ShowReadout(mouse.x);
    Lbl_D->setText(LabelText("D=", mouse.y, "0.0#####"));
    if (mouse.button != kRightButton || !Selectable(s_, ISEL) || dragRefused_) return;
    // A right-button drag puts the weight where the cursor is and runs the smoothing.
    if (!dragging_) {
        dragging_ = true;
        dragPoint_ = ISEL;
        dragFrom_ = s_.DP(ISEL);
    }
    if (RerunWithWeight(ISEL, mouse.y)) {
        dragTo_ = mouse.y;
        return;
    }
    dragRefused_ = true;
}

void Form_KSM::WeightReleased(const PictureMouse& mouse) {
    if (mouse.button != kRightButton) return;
    // The whole drag is one edit.
    const bool dragged = dragging_;
    if (dragging_ && dragTo_ != dragFrom_) history_.Record({dragPoint_, dragFrom_, dragTo_});
    dragging_ = dragRefused_ = false;
    if (!dragged) return;
    FindRanges();
    DrawView();
}

void Form_KSM::TakeBack(bool redo) {
    const std::optional<WeightChange> change = redo ? history_.Redo() : history_.Undo();
    if (!change) return;
    if (change->point != ISEL) VScr_ID->setValue(-change->point); // selects, re-centres, redraws
    if (RerunWithWeight(change->point, redo ? change->after : change->before)) return;
    // Not taken back after all: the edit stays where it was in the history.
    if (redo)
        history_.Undo();
    else
        history_.Redo();
}

bool Form_KSM::RerunWithWeight(std::int16_t point, float weight) {
    const CommandSettings settings = settings_();
    if (!settings.refusal.isEmpty()) {
        Report(settings.refusal +
               QString("The smoothing was not run again; the weight D(%1) "
                       "stays %2.")
                   .arg(Shown(point, "##0"), Shown(s_.DP(point), kWeightPicture)));
        Txt_DI->setText(Shown(s_.DP(ISEL), kWeightPicture));
        return false;
    }
    run_.DSMOOTH = settings.DSMOOTH;
    run_.OUTSECT = settings.outputLevel;
    const RunOutcome outcome =
        document_.Rerun(point, weight, run_, settings.withoutRotation, settings.stl);
    // The run may set the weight anew (the strip for a weight of 0, 0 at a pinned point); a
    // refused one leaves it as it was.
    Txt_DI->setText(Shown(s_.DP(ISEL), kWeightPicture));
    if (!outcome.Succeeded()) Report(QString::fromStdString(outcome.message).replace('\r', '\n'));
    return outcome.kind != RunOutcome::Kind::Refused;
}

void Form_KSM::SectionChanged() {
    Txt_DI->setText(Shown(s_.DP(ISEL), kWeightPicture));
    ShowFairness();
    // While a right-button drag sets a weight at the cursor, the weight scale holds still.
    if (!dragging_) FindRanges();
    DrawView();
}

void Form_KSM::Report(const QString& text) {
    // A held arrow of VScr_D would go on stepping and running behind the message.
    const bool stepping = VScr_D->isEnabled();
    VScr_D->setEnabled(false);
    showMessage_(kCaption, text);
    VScr_D->setEnabled(stepping);
}

void Form_KSM::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const CurvatureFit fit = FitCurvaturePictures(layout_, Pict_C->pos(), size());
    Pict_C->setGeometry(fit.pictC);
    Pict_Dev->setGeometry(fit.pictDev);
    Pict_D->setGeometry(fit.pictD);
    const int half = fit.status.height() / 2;
    Lbl_fair->setGeometry(fit.status.x(), fit.status.y(), fit.status.width(), half);
    Lbl_warn->setGeometry(fit.status.x(), fit.status.y() + half, fit.status.width(),
                          fit.status.height() - half);
    DrawView();
}

bool Form_KSM::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Txt_DI && event->type() == QEvent::ShortcutOverride) {
        // The text box would take Ctrl+Z for its own text; the window's undo goes first.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (pressed == QKeySequence(Qt::CTRL | Qt::Key_Z) ||
            pressed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
            event->ignore();
            return true;
        }
    }
    if (watched != Pict_D || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return QWidget::eventFilter(watched, event);
    // Up and Down as the arrows of VScr_D; Left and Right move the selection along t.
    switch (key->key()) {
    case Qt::Key_Up:
        VScr_D->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        VScr_D->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Left:
        VScr_ID->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return true;
    case Qt::Key_Right:
        VScr_ID->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void InstallCurvatureWindow(Form_inp& form) {
    auto window = std::make_shared<WindowSlot<Form_KSM>>();
    form.SetCurvatureWindow([&form, window] {
        window->Show([&form] {
            return new Form_KSM(
                form.Document(), [&form] { return form.Settings(); }, &form);
        });
    });
}

} // namespace zarnfoil::ui
