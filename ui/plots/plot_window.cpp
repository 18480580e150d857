// The frame of the one-picture plot windows.
#include "ui/plots/plot_window.h"

#include "core/number_format.h"
#include "ui/plots/picture_menu.h"
#include "ui/plots/picture_navigator.h"

#include <QLabel>
#include <QResizeEvent>
#include <QShortcut>

namespace zarnfoil::ui {
namespace {

constexpr int kLabelLeftTwips = 0;
constexpr int kLabelWidthTwips = 1095;
constexpr int kLabelHeightTwips = 255;

} // namespace

QString LabelText(const char* prefix, float value, const char* picture) {
    return QString(prefix) + QString::fromStdString(FormatPicture(value, picture));
}

PlotWindow::PlotWindow(const FoilDocument& document, const PlotDesign& design, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(document.State()), design_(design),
      picture_(new PictureArea(this)) {
    picture_->canvas().SetFrame(design.frame);
    setObjectName(design.objectName);
    setWindowTitle(SectionTitle(design.caption, s_));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    const QRect pictureRect = TwipRect(design.pictureTwips.x(), design.pictureTwips.y(),
                                       design.pictureTwips.width(), design.pictureTwips.height());
    picture_->setObjectName("Picture1");
    picture_->setGeometry(pictureRect);
    const QRectF plot = picture_->canvas().PlotArea(pictureRect.size());
    layout_ = MeasureLayout(design.clientTwips, design.pictureTwips.size(),
                            pictureRect.size() - plot.size().toSize());
    resize(TwipsToPixels(design.clientTwips.width()), TwipsToPixels(design.clientTwips.height()));
    setMinimumSize(TwipsToPixels(layout_.H_MARGIN) + 60, TwipsToPixels(layout_.V_MARGIN) + 30);

    NavigationRules rules;
    rules.trueToShape = design.trueToShape;
    new PictureNavigator(
        *picture_, view_, rules, [this] { DrawView(); }, [this] { ResetView(); });
    connect(picture_, &PictureArea::mouseMoved, this,
            [this](const PictureMouse& m) { ShowReadout(m.x, m.y); });
    AttachPictureMenu(
        *picture_, [this] { ResetView(); },
        [this, name = design.pictureName] { return PictureFileName(s_, name); });
    connect(new QShortcut(Qt::Key_Home, this), &QShortcut::activated, this, &PlotWindow::ResetView);
    connect(&document, &FoilDocument::sectionChanged, this, [this] {
        ShowValues();
        DrawView();
    });
    connect(&document, &FoilDocument::sectionRead, this, &QWidget::close);
}

QLabel* PlotWindow::AddLabel(const char* name, const char* text, int topTwips) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(TwipRect(kLabelLeftTwips, topTwips, kLabelWidthTwips, kLabelHeightTwips));
    return label;
}

float PlotWindow::PictureAspect() const {
    return picture_->PlotAspect();
}

void PlotWindow::DrawPlot(float xc, float yc, float w, float h) {
    Draw(picture_->canvas(), xc, yc, w, h);
    picture_->update();
}

void PlotWindow::ResetView() {
    view_ = loadedView_;
    DrawView();
}

void PlotWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QPoint at = picture_->pos();
    if (design_.keepProportions) {
        const PictureFit fit = ProportionalFit(layout_, width());
        if (height() != fit.windowHeight && size() != askedFrom_) {
            askedFrom_ = size();
            resize(width(), fit.windowHeight);
        }
        picture_->setGeometry(at.x(), at.y(), fit.pictureWidth, fit.pictureHeight);
    } else {
        const PictureFit fit = FreeFit(layout_, width(), height());
        picture_->setGeometry(at.x(), at.y(), fit.pictureWidth, fit.pictureHeight);
    }
    DrawView();
}

} // namespace zarnfoil::ui
