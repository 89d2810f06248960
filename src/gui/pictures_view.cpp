// The pictures view: the plots library's pages of one sounding, made to move under the mouse.
#include "gui/pictures_view.h"

#include <qcustomplot.h>
#include <QMouseEvent>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace kavo::gui {
namespace {

constexpr double kFeetToMetres = 0.3048;
constexpr double kHoverReachPixels = 12;

QString Number(double value) {
    return QString::number(value, 'g', 5);
}

}  // namespace

PicturesView::PicturesView(QWidget* parent) : QDialog(parent) {
    setObjectName("PicturesView");
    auto* layout = new QVBoxLayout(this);
    problem_ = new QLabel(this);
    problem_->setStyleSheet("color: #b00000; font-weight: bold");
    problem_->setWordWrap(true);
    problem_->hide();
    hint_ = new QLabel(
        "Wheel: zoom the depth (on a chart: both axes); drag: pan; the mouse over a track "
        "shows the values at its depth, over a chart the point's depth.",
        this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(problem_);
    layout->addWidget(hint_);
    layout->addWidget(tabs_, 1);
    resize(1300, 900);
}

PicturesView::~PicturesView() {
    DropPages();
}

// The pages own their plots; the tabs only show them.
void PicturesView::DropPages() {
    tabs_->clear();
    for (plots::DrawnPage& page : pages_) {
        page.plot().setParent(nullptr);
    }
    pages_.clear();
}

void PicturesView::AddPage(plots::DrawnPage page, const QString& title) {
    QCustomPlot& plot = page.plot();
    plot.setMinimumSize(200, 200);
    plot.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    plot.setMouseTracking(true);
    pages_.push_back(std::move(page));
    tabs_->addTab(&plot, title);
}

void PicturesView::Show(const PicturesData& pictures) {
    DropPages();
    problem_->hide();
    setWindowTitle("Pictures: " + pictures.sounding);
    profile_ = pictures.profile;
    chartPages_ = pictures.chartPages;

    AddPage(plots::DrawSoundingPage(pictures.soundingPage), "Sounding " + pictures.sounding);
    QCustomPlot& soundingPlot = pages_.back().plot();
    MakeDepthZoomable(soundingPlot);
    connect(&soundingPlot, &QCustomPlot::mouseMove, this, &PicturesView::OnSoundingPageHover);

    for (std::size_t c = 0; c < chartPages_.size(); ++c) {
        AddPage(plots::DrawChartPage(chartPages_[c]),
                QString::fromStdString(chartPages_[c].title).section(' ', 0, 0));
        QCustomPlot& chartPlot = pages_.back().plot();
        chartPlot.setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
        const int chart = static_cast<int>(c);
        connect(&chartPlot, &QCustomPlot::mouseMove, this,
                [this, chart](QMouseEvent* event) { OnChartPageHover(chart, event); });
    }
    show();
    raise();
}

void PicturesView::ShowProblem(const QString& sounding, const QString& why) {
    DropPages();
    setWindowTitle("Pictures: " + sounding);
    problem_->setText("The pictures of " + sounding + " could not be made: " + why);
    problem_->show();
    show();
    raise();
}

// The tracks share one depth axis: zooming or panning one moves them all, and the metres
// axis follows the feet.
void PicturesView::MakeDepthZoomable(QCustomPlot& plot) {
    plot.setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    const QList<QCPAxisRect*> rects = plot.axisRects();
    for (QCPAxisRect* rect : rects) {
        rect->setRangeDrag(Qt::Vertical);
        rect->setRangeZoom(Qt::Vertical);
        rect->setRangeDragAxes(nullptr, rect->axis(QCPAxis::atLeft));
        rect->setRangeZoomAxes(nullptr, rect->axis(QCPAxis::atLeft));
        QCPAxis* depth = rect->axis(QCPAxis::atLeft);
        connect(depth, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), &plot,
                [&plot, rects](const QCPRange& range) {
                    for (QCPAxisRect* other : rects) {
                        other->axis(QCPAxis::atLeft)->setRange(range);
                        const bool metres = other == rects.back();
                        other->axis(QCPAxis::atRight)
                            ->setRange(metres ? QCPRange(range.lower * kFeetToMetres,
                                                         range.upper * kFeetToMetres)
                                              : range);
                    }
                    plot.replot(QCustomPlot::rpQueuedReplot);
                });
    }
}

QString PicturesView::ValuesAt(double depthFt) const {
    const std::vector<double>& depths = profile_.depthFt;
    std::size_t nearest = depths.size();
    double distance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < depths.size(); ++i) {
        if (std::isfinite(depths[i]) && std::fabs(depths[i] - depthFt) < distance) {
            distance = std::fabs(depths[i] - depthFt);
            nearest = i;
        }
    }
    if (nearest == depths.size()) {
        return {};
    }
    // The numbers as the sounding's table prints them, so that the two read the same.
    QStringList lines = {"Depth " + QString::fromStdString(plots::ShownDepth(profile_, nearest)) +
                         " ft (" + Number(depths[nearest] * kFeetToMetres) + " m)"};
    for (const plots::ProfileSeries& series : profile_.series) {
        const std::string value = plots::ShownValue(series, nearest);
        if (!value.empty()) {
            lines.push_back(QString::fromStdString(series.label) + " = " +
                            QString::fromStdString(value) +
                            (series.unit.empty() ? "" : " " + QString::fromStdString(series.unit)));
        }
    }
    return lines.join('\n');
}

void PicturesView::OnSoundingPageHover(QMouseEvent* event) {
    auto* plot = qobject_cast<QCustomPlot*>(sender());
    QCPAxisRect* rect = plot == nullptr ? nullptr : plot->axisRectAt(event->position());
    if (rect == nullptr) {
        QToolTip::hideText();
        return;
    }
    const double depth = rect->axis(QCPAxis::atLeft)->pixelToCoord(event->position().y());
    QToolTip::showText(event->globalPosition().toPoint(), ValuesAt(depth), plot);
}

void PicturesView::OnChartPageHover(int chart, QMouseEvent* event) {
    auto* plot = qobject_cast<QCustomPlot*>(sender());
    QCPAxisRect* rect = plot == nullptr ? nullptr : plot->axisRectAt(event->position());
    if (rect == nullptr) {
        QToolTip::hideText();
        return;
    }
    QCPAxis* x = rect->axis(QCPAxis::atBottom);
    QCPAxis* y = rect->axis(QCPAxis::atLeft);
    const plots::ChartPoint* nearest = nullptr;
    double distance = kHoverReachPixels;
    for (const plots::ChartPoint& point : chartPages_[static_cast<std::size_t>(chart)].points) {
        const double dx = x->coordToPixel(point.frictionRatio) - event->position().x();
        const double dy = y->coordToPixel(point.q) - event->position().y();
        if (std::hypot(dx, dy) < distance) {
            distance = std::hypot(dx, dy);
            nearest = &point;
        }
    }
    if (nearest == nullptr) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event->globalPosition().toPoint(),
                       "Depth " + Number(nearest->depthFt) + " ft\nFR = " +
                           Number(nearest->frictionRatio) + " %\nQ = " + Number(nearest->q),
                       plot);
}

}  // namespace kavo::gui
