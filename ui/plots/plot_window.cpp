// The frame of the one-picture plot windows.
#include "ui/plots/plot_window.h"

#include "core/number_format.h"
#include "ui/plots/picture_menu.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

namespace zarnfoil::ui {
namespace {

constexpr int kLabelLeftTwips = 0;
constexpr int kLabelWidthTwips = 1095;
constexpr int kLabelHeightTwips = 255;
constexpr int kLegendHeightTwips = 240; // the legend's line runs along its middle

// A line sample of the legend.
class LegendLine : public QWidget {
  public:
    LegendLine(const QColor& color, QWidget* parent) : QWidget(parent), color_(color) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(color_);
        const int y = height() / 2;
        painter.drawLine(0, y, width() - 1, y);
    }

  private:
    QColor color_;
};

} // namespace

QString LabelText(const char* prefix, float value, const char* picture) {
    return QString(prefix) + QString::fromStdString(FormatPicture(value, picture));
}

PlotWindow::PlotWindow(const FoilDocument& document, const PlotDesign& design, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(document.State()), design_(design),
      layout_(MeasureLayout(design.clientTwips, design.pictureTwips.size())),
      picture_(new PictureArea(this)) {
    setObjectName(design.objectName);
    setWindowTitle(SectionTitle(design.caption, s_));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    const QRect pictureRect = TwipRect(design.pictureTwips.x(), design.pictureTwips.y(),
                                       design.pictureTwips.width(), design.pictureTwips.height());
    picture_->setObjectName("Picture1");
    picture_->setGeometry(pictureRect);
    resize(TwipsToPixels(design.clientTwips.width()), TwipsToPixels(design.clientTwips.height()));
    setMinimumSize(TwipsToPixels(layout_.H_MARGIN) + 60, TwipsToPixels(layout_.V_MARGIN) + 30);

    connect(picture_, &PictureArea::mousePressed, this,
            [this](const PictureMouse& m) { PressView(view_, m); });
    connect(picture_, &PictureArea::mouseReleased, this, [this](const PictureMouse& m) {
        ReleaseView(view_, m, ZoomScale::ViewWidth);
        DrawView();
    });
    connect(picture_, &PictureArea::mouseMoved, this,
            [this](const PictureMouse& m) { ShowReadout(m.x, m.y); });
    AttachPictureMenu(*picture_, [this] { ResetView(); });
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

void PlotWindow::AddLegend(const QColor& color, int x1Twips, int x2Twips, const char* text,
                           int textLeftTwips) {
    auto* line = new LegendLine(color, this);
    line->setGeometry(TwipRect(x1Twips, 0, x2Twips - x1Twips, kLegendHeightTwips));
    AddLegendText(text, textLeftTwips);
}

void PlotWindow::AddLegendText(const char* text, int leftTwips) {
    auto* label = new QLabel(text, this);
    label->adjustSize();
    label->move(TwipsToPixels(leftTwips),
                (TwipsToPixels(kLegendHeightTwips) - label->height()) / 2);
}

float PlotWindow::PictureAspect() const {
    return static_cast<float>(picture_->height()) / static_cast<float>(picture_->width());
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
