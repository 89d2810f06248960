// Drawing the page models with QCustomPlot, and writing pages and reports.
#include "plots/page_render.h"

#include <qcustomplot.h>
#include <QFile>
#include <QImageWriter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cmath>
#include <system_error>

namespace kavo::plots {
namespace {

const QString kFontFamily = QStringLiteral("DejaVu Sans");
constexpr double kMetresPerFoot = 0.3048;
const QColor kWaterColour(0x1f, 0x6f, 0xd0);
// Qt's PNG quality 89 is zlib's level 1, the fastest that compresses.
constexpr int kPngQuality = 89;

QFont Font(int pointSize, bool bold = false) {
    QFont font(kFontFamily, pointSize);
    font.setBold(bold);
    return font;
}

QColor Colour(Rgb rgb) {
    return QColor::fromRgb(rgb);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::unique_ptr<QCustomPlot> NewPlot() {
    auto plot = std::make_unique<QCustomPlot>();
    plot->resize(kPageWidth, kPageHeight);
    plot->setBackground(Qt::white);
    // Numbers with a decimal point on every machine, as in Kavo's tables.
    QLocale numbers = QLocale::c();
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    plot->setLocale(numbers);
    plot->plotLayout()->clear();
    plot->plotLayout()->setRowSpacing(4);
    plot->setNoAntialiasingOnDrag(false);
    plot->setAntialiasedElements(QCP::aeAll);
    return plot;
}

QCPTextElement* AddTitle(QCustomPlot& plot, int row, const std::string& text, int pointSize,
                         bool bold) {
    auto* element = new QCPTextElement(&plot, Text(text), Font(pointSize, bold));
    plot.plotLayout()->addElement(row, 0, element);
    return element;
}

void StyleAxis(QCPAxis* axis, const AxisModel& model) {
    axis->setVisible(true);
    axis->setLabel(Text(model.label));
    axis->setLabelFont(Font(10, true));
    axis->setTickLabelFont(Font(9));
    axis->setRangeReversed(model.reversed);
    if (model.scale == AxisScale::Log) {
        axis->setScaleType(QCPAxis::stLogarithmic);
        auto ticker = QSharedPointer<QCPAxisTickerLog>::create();
        ticker->setSubTickCount(8);
        axis->setTicker(ticker);
        axis->setNumberFormat(QStringLiteral("gb"));
    }
    if (model.scale == AxisScale::Linear && model.tickStep > 0) {
        auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
        ticker->setTickStep(model.tickStep);
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
        axis->setTicker(ticker);
    }
    axis->setRange(model.min, model.max);
    axis->grid()->setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    axis->grid()->setSubGridVisible(model.scale == AxisScale::Log);
}

// The same ticks as `axis`, without labels: the far sides of a framed plot.
void MirrorAxis(QCPAxis* mirror, const AxisModel& model) {
    StyleAxis(mirror, model);
    mirror->setLabel(QString());
    mirror->setTickLabels(false);
    mirror->grid()->setVisible(false);
}

QPen LinePen(const LineModel& line) {
    QPen pen(Colour(line.colour), 2);
    if (line.style == LineStyle::Dashed) {
        pen.setStyle(Qt::DashLine);
    }
    return pen;
}

QVector<double> Vector(const std::vector<double>& values) {
    return QVector<double>(values.begin(), values.end());
}

QCPItemText* Label(QCustomPlot& plot, QCPAxisRect* rect, const QString& text, int pointSize) {
    auto* label = new QCPItemText(&plot);
    label->setClipAxisRect(rect);
    label->setClipToAxisRect(true);
    label->position->setAxisRect(rect);
    label->position->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
    label->setText(text);
    label->setFont(Font(pointSize));
    return label;
}

void DrawZones(QCustomPlot& plot, QCPAxisRect* rect, QCPAxis* valueAxis,
               const std::vector<ZoneBand>& zones) {
    for (const ZoneBand& zone : zones) {
        auto* band = new QCPItemRect(&plot);
        band->setLayer(QStringLiteral("zones"));
        band->setClipAxisRect(rect);
        band->setClipToAxisRect(true);
        for (QCPItemPosition* corner : {band->topLeft, band->bottomRight}) {
            corner->setAxisRect(rect);
            corner->setAxes(valueAxis, rect->axis(QCPAxis::atLeft));
            corner->setTypeX(QCPItemPosition::ptPlotCoords);
            corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        band->topLeft->setCoords(zone.from, 0);
        band->bottomRight->setCoords(zone.to, 1);
        band->setPen(Qt::NoPen);
        band->setBrush(Colour(zone.colour));

        auto* name = new QCPItemText(&plot);
        name->setLayer(QStringLiteral("zones"));
        name->setClipAxisRect(rect);
        name->setClipToAxisRect(true);
        name->position->setAxisRect(rect);
        name->position->setAxes(valueAxis, rect->axis(QCPAxis::atLeft));
        name->position->setTypeX(QCPItemPosition::ptPlotCoords);
        name->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        name->position->setCoords((zone.from + zone.to) / 2, 0.99);
        name->setRotation(-90);
        name->setPositionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        name->setText(Text(zone.name));
        name->setFont(Font(7));
        name->setColor(QColor(80, 80, 80));
    }
}

void DrawWaterTable(QCustomPlot& plot, QCPAxisRect* rect, double depthFt, bool labelled) {
    auto* line = new QCPItemLine(&plot);
    line->setClipAxisRect(rect);
    line->setClipToAxisRect(true);
    for (QCPItemPosition* end : {line->start, line->end}) {
        end->setAxisRect(rect);
        end->setAxes(rect->axis(QCPAxis::atBottom), rect->axis(QCPAxis::atLeft));
        end->setTypeX(QCPItemPosition::ptAxisRectRatio);
        end->setTypeY(QCPItemPosition::ptPlotCoords);
    }
    line->start->setCoords(0, depthFt);
    line->end->setCoords(1, depthFt);
    line->setPen(QPen(kWaterColour, 1.5, Qt::DashDotLine));
    if (labelled) {
        QCPItemText* label = Label(plot, rect, QStringLiteral("\u25BD WT"), 8);
        label->position->setTypeX(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(0.03, depthFt);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label->setColor(kWaterColour);
    }
}

QCPLegend* TrackLegend(QCPAxisRect* rect) {
    auto* legend = new QCPLegend;
    rect->insetLayout()->addElement(legend, Qt::AlignBottom | Qt::AlignRight);
    legend->setLayer(QStringLiteral("legend"));
    legend->setFont(Font(8));
    legend->setBrush(QColor(255, 255, 255, 220));
    legend->setBorderPen(QPen(QColor(160, 160, 160)));
    legend->setIconSize(18, 14);
    legend->setRowSpacing(1);
    return legend;
}

// A value's place across the frame, 0 at the axis minimum and 1 at its maximum, in decades on
// a log axis.
double AcrossFrame(double value, const AxisModel& axis) {
    if (axis.scale == AxisScale::Log) {
        return std::log10(value / axis.min) / std::log10(axis.max / axis.min);
    }
    return (value - axis.min) / (axis.max - axis.min);
}

// A label centred on its place, but one near the frame's edge stands inside the frame
// rather than across its edge, where the frame would cut it.
Qt::Alignment InsideFrame(double acrossX, double acrossY) {
    constexpr double kNearEdge = 0.08;
    const Qt::Alignment horizontal = acrossX > 1 - kNearEdge ? Qt::AlignRight
                                     : acrossX < kNearEdge   ? Qt::AlignLeft
                                                             : Qt::AlignHCenter;
    const Qt::Alignment vertical = acrossY < kNearEdge       ? Qt::AlignBottom
                                   : acrossY > 1 - kNearEdge ? Qt::AlignTop
                                                             : Qt::AlignVCenter;
    return horizontal | vertical;
}

// A framed plot below the page's two title rows: x along the bottom, y up the left, their
// ticks repeated on the far sides. Its row takes further elements beside it.
struct FramedPlot {
    QCPLayoutGrid* row;
    QCPAxisRect* rect;
    QCPAxis* x;
    QCPAxis* y;
};

FramedPlot AddFramedPlot(QCustomPlot& plot, const AxisModel& xModel, const AxisModel& yModel) {
    auto* row = new QCPLayoutGrid;
    plot.plotLayout()->addElement(2, 0, row);
    plot.plotLayout()->setRowStretchFactor(0, 0.01);
    plot.plotLayout()->setRowStretchFactor(1, 0.01);
    auto* rect = new QCPAxisRect(&plot);
    row->addElement(0, 0, rect);
    QCPAxis* x = rect->axis(QCPAxis::atBottom);
    QCPAxis* y = rect->axis(QCPAxis::atLeft);
    StyleAxis(x, xModel);
    StyleAxis(y, yModel);
    MirrorAxis(rect->axis(QCPAxis::atTop), xModel);
    MirrorAxis(rect->axis(QCPAxis::atRight), yModel);
    return {row, rect, x, y};
}

}  // namespace

bool ParseImageFormat(std::string_view text, ImageFormat& format) {
    if (text == "png") {
        format = ImageFormat::Png;
    } else if (text == "svg") {
        format = ImageFormat::Svg;
    } else if (text == "pdf") {
        format = ImageFormat::Pdf;
    } else {
        return false;
    }
    return true;
}

const char* ExtensionOf(ImageFormat format) {
    switch (format) {
        case ImageFormat::Png:
            return ".png";
        case ImageFormat::Svg:
            return ".svg";
        case ImageFormat::Pdf:
            return ".pdf";
    }
    return ".png";
}

DrawnPage::DrawnPage(std::unique_ptr<QCustomPlot> plot) : plot_(std::move(plot)) {}
DrawnPage::DrawnPage(DrawnPage&&) noexcept = default;
DrawnPage& DrawnPage::operator=(DrawnPage&&) noexcept = default;
DrawnPage::~DrawnPage() = default;
std::unique_ptr<QCustomPlot> DrawnPage::TakePlot() {
    return std::move(plot_);
}

DrawnPage DrawSoundingPage(const SoundingPageModel& model) {
    auto plot = NewPlot();
    plot->addLayer(QStringLiteral("zones"), plot->layer(QStringLiteral("grid")),
                   QCustomPlot::limBelow);
    AddTitle(*plot, 0, model.title, 16, true);
    QString block;
    for (std::size_t i = 0; i < model.titleBlock.size(); ++i) {
        block += Text(model.titleBlock[i].label) + QStringLiteral(": ") +
                 Text(model.titleBlock[i].value);
        block += i == 3 ? QStringLiteral("\n") : QStringLiteral("      ");
    }
    AddTitle(*plot, 1, block.trimmed().toStdString(), 10, false);

    auto* tracks = new QCPLayoutGrid;
    plot->plotLayout()->addElement(2, 0, tracks);
    plot->plotLayout()->setRowStretchFactor(0, 0.01);
    plot->plotLayout()->setRowStretchFactor(1, 0.01);
    tracks->setColumnSpacing(0);
    auto* margins = new QCPMarginGroup(plot.get());
    const int count = static_cast<int>(model.tracks.size());
    for (int t = 0; t < count; ++t) {
        const TrackModel& track = model.tracks[static_cast<std::size_t>(t)];
        auto* rect = new QCPAxisRect(plot.get());
        tracks->addElement(0, t, rect);
        // The depth axes' labels and numbers: the first and the last track get more room.
        tracks->setColumnStretchFactor(t, t == 0 || t == count - 1 ? 1.6 : 1.0);
        rect->setMarginGroup(QCP::msTop | QCP::msBottom, margins);
        QCPAxis* depth = rect->axis(QCPAxis::atLeft);
        QCPAxis* metres = rect->axis(QCPAxis::atRight);
        QCPAxis* value = rect->axis(QCPAxis::atTop);
        QCPAxis* bottom = rect->axis(QCPAxis::atBottom);
        StyleAxis(depth, model.depthFt);
        if (t != 0) {
            depth->setLabel(QString());
            depth->setTickLabels(false);
        }
        if (t == count - 1) {
            StyleAxis(metres, model.depthMetres);
            metres->grid()->setVisible(false);
        } else {
            MirrorAxis(metres, model.depthFt);
        }
        AxisModel valueModel = track.value;
        valueModel.label = track.title + "\n" + track.value.label;
        StyleAxis(value, valueModel);
        value->setLabelFont(Font(9, true));
        value->setTickLabelFont(Font(8));
        MirrorAxis(bottom, track.value);
        // Neighbouring tracks would print their end labels on one another.
        value->setTickLabelRotation(-45);
        DrawZones(*plot, rect, value, track.zones);
        QCPLegend* legend = track.lines.size() > 1 ? TrackLegend(rect) : nullptr;
        for (const LineModel& line : track.lines) {
            QCPGraph* graph = plot->addGraph(depth, value);
            graph->setData(Vector(line.y), Vector(line.x));
            graph->setPen(LinePen(line));
            graph->setName(Text(line.name));
            graph->removeFromLegend();
            if (legend != nullptr) {
                graph->addToLegend(legend);
            }
        }
        if (std::isfinite(model.waterTableFt)) {
            DrawWaterTable(*plot, rect, model.waterTableFt, t == 0);
        }
    }
    return DrawnPage(std::move(plot));
}

DrawnPage DrawChartPage(const ChartPageModel& model) {
    auto plot = NewPlot();
    AddTitle(*plot, 0, model.title, 16, true);
    AddTitle(*plot, 1, "Sounding " + model.sounding + " on the chart", 11, false);
    const auto [row, rect, x, y] = AddFramedPlot(*plot, model.x, model.y);

    // Contour labels stay readable above the sounding's points.
    plot->addLayer(QStringLiteral("labels"), plot->layer(QStringLiteral("main")),
                   QCustomPlot::limAbove);
    for (const ContourModel& contour : model.contours) {
        auto* curve = new QCPCurve(x, y);
        curve->setData(Vector(contour.frictionRatio), Vector(contour.q));
        curve->setPen(QPen(QColor(90, 90, 90), 1.5));
        QCPItemText* label = Label(*plot, rect, Text(contour.label), 9);
        label->position->setCoords(contour.labelX, contour.labelY);
        label->setPositionAlignment(InsideFrame(AcrossFrame(contour.labelX, model.x),
                                                AcrossFrame(contour.labelY, model.y)));
        label->setLayer(QStringLiteral("labels"));
        label->setBrush(Qt::white);
        label->setPadding(QMargins(2, 0, 2, 0));
        label->setColor(QColor(60, 60, 60));
    }

    // Points coloured by depth: one scatter graph per colour step of the scale.
    // Dark (shallow) to light (deep), readable in grey and to colour-blind eyes.
    QCPColorGradient gradient;
    gradient.setColorStopAt(0.0, QColor(0x44, 0x01, 0x54));
    gradient.setColorStopAt(0.25, QColor(0x3b, 0x52, 0x8b));
    gradient.setColorStopAt(0.5, QColor(0x21, 0x91, 0x8c));
    gradient.setColorStopAt(0.75, QColor(0x5e, 0xc9, 0x62));
    gradient.setColorStopAt(1.0, QColor(0xfd, 0xe7, 0x25));
    constexpr int kSteps = 12;
    gradient.setLevelCount(kSteps);
    const QCPRange depthRange(model.depthMin, model.depthMax);
    std::vector<QCPGraph*> steps(kSteps, nullptr);
    QCPGraph* outside = nullptr;
    for (const ChartPoint& point : model.points) {
        if (point.outside) {
            if (outside == nullptr) {
                outside = plot->addGraph(x, y);
                outside->setLineStyle(QCPGraph::lsNone);
                outside->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCross,
                                                         QPen(Qt::black, 1.5), Qt::NoBrush, 9));
            }
            outside->addData(point.frictionRatio, point.q);
            continue;
        }
        const double share = (point.depthFt - model.depthMin) / (model.depthMax - model.depthMin);
        const int step = std::clamp(static_cast<int>(share * kSteps), 0, kSteps - 1);
        QCPGraph*& graph = steps[static_cast<std::size_t>(step)];
        if (graph == nullptr) {
            graph = plot->addGraph(x, y);
            graph->setLineStyle(QCPGraph::lsNone);
            const double middle =
                model.depthMin + (step + 0.5) / kSteps * (model.depthMax - model.depthMin);
            const QColor colour = gradient.color(middle, depthRange);
            graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, 6));
        }
        graph->addData(point.frictionRatio, point.q);
    }
    // The notes stand below the frame, where they cover no contour label and no point: the
    // outside count on the left, the chart's author and date in the right-hand corner.
    auto* notes = new QCPLayoutGrid;
    plot->plotLayout()->addElement(3, 0, notes);
    plot->plotLayout()->setRowStretchFactor(3, 0.01);
    const QString outsideText =
        outside == nullptr
            ? QString()
            : QStringLiteral("\u00D7 %1 %2 outside the chart frame, shown on its edge")
                  .arg(model.outsideCount)
                  .arg(model.outsideCount == 1 ? QStringLiteral("point")
                                               : QStringLiteral("points"));
    auto* outsideNote = new QCPTextElement(plot.get(), outsideText, Font(9));
    outsideNote->setTextFlags(Qt::AlignLeft | Qt::AlignVCenter);
    notes->addElement(0, 0, outsideNote);
    auto* corner = new QCPTextElement(plot.get(), Text(model.corner), Font(9));
    corner->setTextFlags(Qt::AlignRight | Qt::AlignVCenter);
    corner->setTextColor(QColor(60, 60, 60));
    notes->addElement(0, 1, corner);
    for (QCPTextElement* note : {outsideNote, corner}) {
        note->setAutoMargins(QCP::msNone);
        note->setMargins(QMargins(12, 0, 12, 6));
    }

    auto* scale = new QCPColorScale(plot.get());
    row->addElement(0, 1, scale);
    scale->setType(QCPAxis::atRight);
    scale->setGradient(gradient);
    scale->setDataRange(depthRange);
    scale->axis()->setRangeReversed(true);
    scale->axis()->setLabel(QStringLiteral("Depth (ft)"));
    scale->axis()->setLabelFont(Font(10, true));
    scale->axis()->setTickLabelFont(Font(9));
    scale->setBarWidth(18);
    auto* margins = new QCPMarginGroup(plot.get());
    rect->setMarginGroup(QCP::msTop | QCP::msBottom, margins);
    scale->setMarginGroup(QCP::msTop | QCP::msBottom, margins);
    row->setColumnStretchFactor(0, 1);
    row->setColumnStretchFactor(1, 0.01);
    return DrawnPage(std::move(plot));
}

DrawnPage DrawZeroDriftPage(const ZeroDriftPageModel& model) {
    auto plot = NewPlot();
    AddTitle(*plot, 0, model.title, 16, true);
    AddTitle(*plot, 1,
             "Filled: before the sounding, open: after it; the line between them is the drift. "
             "Soundings in date order per device.",
             10, false);
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    double position = 0;
    std::vector<std::vector<double>> positions;
    for (const DeviceZeroes& device : model.devices) {
        positions.emplace_back();
        for (const std::string& sounding : device.soundings) {
            position += 1;
            ticker->addTick(position, Text(sounding));
            positions.back().push_back(position);
        }
        position += 1;  // a gap between devices
    }
    const AxisModel soundingAxis{"Sounding", 0, position, AxisScale::Linear, false};
    auto* margins = new QCPMarginGroup(plot.get());
    const auto panel = [&](int rowIndex, const AxisModel& valueModel,
                           const std::vector<double> DeviceZeroes::*before,
                           const std::vector<double> DeviceZeroes::*after) {
        auto* rect = new QCPAxisRect(plot.get());
        plot->plotLayout()->addElement(rowIndex, 0, rect);
        rect->setMarginGroup(QCP::msLeft | QCP::msRight, margins);
        QCPAxis* x = rect->axis(QCPAxis::atBottom);
        QCPAxis* y = rect->axis(QCPAxis::atLeft);
        StyleAxis(x, soundingAxis);
        x->setTicker(ticker);
        x->setTickLabelRotation(model.devices.empty() || position < 25 ? 0 : -60);
        StyleAxis(y, valueModel);
        MirrorAxis(rect->axis(QCPAxis::atRight), valueModel);
        MirrorAxis(rect->axis(QCPAxis::atTop), soundingAxis);
        QCPLegend* legend = TrackLegend(rect);
        legend->setFont(Font(9));
        rect->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
        for (std::size_t d = 0; d < model.devices.size(); ++d) {
            const DeviceZeroes& device = model.devices[d];
            const QColor colour = QColor::fromHsv(static_cast<int>(d * 67 % 360), 200, 180);
            const QVector<double> keys = Vector(positions[d]);
            QCPGraph* first = plot->addGraph(x, y);
            first->setData(keys, Vector(device.*before));
            first->setLineStyle(QCPGraph::lsNone);
            first->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, colour, 9));
            first->setName(Text(device.device) + QStringLiteral(" before"));
            first->removeFromLegend();
            first->addToLegend(legend);
            QCPGraph* second = plot->addGraph(x, y);
            second->setData(keys, Vector(device.*after));
            second->setLineStyle(QCPGraph::lsNone);
            second->setScatterStyle(
                QCPScatterStyle(QCPScatterStyle::ssSquare, QPen(colour, 2), Qt::NoBrush, 14));
            second->setName(Text(device.device) + QStringLiteral(" after"));
            second->removeFromLegend();
            second->addToLegend(legend);
            for (std::size_t i = 0; i < positions[d].size(); ++i) {
                const double a = (device.*before)[i];
                const double b = (device.*after)[i];
                if (std::isfinite(a) && std::isfinite(b)) {
                    auto* drift = new QCPItemLine(plot.get());
                    drift->setClipAxisRect(rect);
                    for (QCPItemPosition* end : {drift->start, drift->end}) {
                        end->setAxisRect(rect);
                        end->setAxes(x, y);
                    }
                    drift->start->setCoords(positions[d][i], a);
                    drift->end->setCoords(positions[d][i], b);
                    drift->setPen(QPen(colour, 2));
                }
            }
        }
    };
    panel(2, model.tip, &DeviceZeroes::tipBefore, &DeviceZeroes::tipAfter);
    panel(3, model.sleeve, &DeviceZeroes::sleeveBefore, &DeviceZeroes::sleeveAfter);
    plot->plotLayout()->setRowStretchFactor(0, 0.01);
    plot->plotLayout()->setRowStretchFactor(1, 0.01);
    return DrawnPage(std::move(plot));
}

DrawnPage DrawPlanPage(const PlanPageModel& model) {
    auto plot = NewPlot();
    AddTitle(*plot, 0, model.title, 16, true);
    std::string subtitle = model.origin;
    if (!model.unknown.empty()) {
        subtitle += ".   Position not known: ";
        for (std::size_t i = 0; i < model.unknown.size(); ++i) {
            subtitle += (i == 0 ? "" : ", ") + model.unknown[i];
        }
    }
    AddTitle(*plot, 1, subtitle, 10, false);
    const FramedPlot framed = AddFramedPlot(*plot, model.east, model.north);
    QCPAxisRect* rect = framed.rect;
    QCPAxis* x = framed.x;
    QCPAxis* y = framed.y;
    QCPGraph* graph = plot->addGraph(x, y);
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::black, 2),
                                           QColor(0x1f, 0x4e, 0x9c), 11));
    for (const PlanPoint& point : model.points) {
        graph->addData(point.eastFt, point.northFt);
        QCPItemText* label = Label(*plot, rect, Text(point.sounding), 10);
        label->position->setCoords(point.eastFt, point.northFt);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
        label->setPadding(QMargins(8, 0, 0, 6));
    }
    // One foot east as long as one foot north: the east axis widens to the frame's shape.
    plot->replot(QCustomPlot::rpImmediateRefresh);
    x->setScaleRatio(y, 1.0);
    return DrawnPage(std::move(plot));
}

namespace {

void Paint(QCustomPlot& plot, QPaintDevice& device, double scaleX, double scaleY) {
    QCPPainter painter(&device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.scale(scaleX, scaleY);
    plot.toPainter(&painter, kPageWidth, kPageHeight);
    painter.end();
}

std::filesystem::path PartialOf(const std::filesystem::path& file) {
    std::filesystem::path partial = file;
    partial += ".part";
    return partial;
}

bool Publish(const std::filesystem::path& partial, const std::filesystem::path& file,
             std::string& why) {
    std::error_code error;
    std::filesystem::rename(partial, file, error);
    if (error) {
        why = error.message();
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

// Writing the PNG, not drawing it, took two thirds of `kavo plot`'s time: the page is
// opaque, so it goes out as RGB without an alpha channel, with zlib's fastest level (a
// page's file grows by about a fifth).
bool WritePng(QCustomPlot& plot, const QString& file) {
    QImage image = plot.toPixmap(kPageWidth, kPageHeight, 1.0)
                       .toImage()
                       .convertToFormat(QImage::Format_RGB888);
    constexpr int kDotsPerMetre = 5906;  // 150 dpi, for printing at the page's size
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    QImageWriter writer(file, "png");
    writer.setQuality(kPngQuality);
    return writer.write(image);
}

QPdfWriter* NewPdf(const QString& file) {
    auto* pdf = new QPdfWriter(file);
    pdf->setPageSize(QPageSize(QPageSize::Letter));
    pdf->setPageOrientation(QPageLayout::Landscape);
    pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf->setResolution(150);
    pdf->setCreator(QStringLiteral("Kavo"));
    return pdf;
}

}  // namespace

bool SavePage(DrawnPage& page, const std::filesystem::path& file, ImageFormat format,
              std::string& why) {
    const std::filesystem::path partial = PartialOf(file);
    const QString name = QString::fromStdString(partial.string());
    QCustomPlot& plot = page.plot();
    bool written = true;
    switch (format) {
        case ImageFormat::Png:
            written = WritePng(plot, name);
            break;
        case ImageFormat::Svg: {
            QSvgGenerator svg;
            svg.setFileName(name);
            svg.setSize(QSize(kPageWidth, kPageHeight));
            svg.setViewBox(QRect(0, 0, kPageWidth, kPageHeight));
            svg.setTitle(QStringLiteral("Kavo"));
            Paint(plot, svg, 1.0, 1.0);
            break;
        }
        case ImageFormat::Pdf: {
            std::unique_ptr<QPdfWriter> pdf(NewPdf(name));
            Paint(plot, *pdf, pdf->width() / double(kPageWidth),
                  pdf->height() / double(kPageHeight));
            break;
        }
    }
    if (!written || !QFile::exists(name)) {
        why = "the picture could not be written";
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return false;
    }
    return Publish(partial, file, why);
}

struct ReportWriter::Pdf {
    std::unique_ptr<QPdfWriter> writer;
    std::unique_ptr<QCPPainter> painter;
};

ReportWriter::ReportWriter(const std::filesystem::path& file, const CoverPage& cover)
    : file_(file), partial_(PartialOf(file)), pdf_(std::make_unique<Pdf>()) {
    pdf_->writer.reset(NewPdf(QString::fromStdString(partial_.string())));
    pdf_->writer->setTitle(QString::fromStdString(cover.title));
    pdf_->painter = std::make_unique<QCPPainter>(pdf_->writer.get());
    QCPPainter& painter = *pdf_->painter;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const double scale = pdf_->writer->width() / double(kPageWidth);
    painter.save();
    painter.scale(scale, scale);
    painter.setFont(Font(26, true));
    painter.drawText(QRect(120, 140, kPageWidth - 240, 90), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(cover.title));
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x9c), 4));
    painter.drawLine(QLineF(120, 240, kPageWidth - 120, 240));
    painter.setPen(Qt::black);
    painter.setFont(Font(12));
    int top = 290;
    for (const std::string& line : cover.lines) {
        painter.drawText(QRect(120, top, kPageWidth - 240, 34), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(line));
        top += line.empty() ? 18 : 34;
    }
    painter.restore();
    pageCount_ = 1;
}

ReportWriter::~ReportWriter() {
    if (pdf_ != nullptr && pdf_->painter != nullptr) {
        pdf_->painter->end();
        std::error_code ignored;
        std::filesystem::remove(partial_, ignored);
    }
}

void ReportWriter::AddPage(DrawnPage& page) {
    pdf_->writer->newPage();
    QCPPainter& painter = *pdf_->painter;
    painter.save();
    painter.scale(pdf_->writer->width() / double(kPageWidth),
                  pdf_->writer->height() / double(kPageHeight));
    // toPainter lays the page out for the painter's size itself.
    page.plot().toPainter(&painter, kPageWidth, kPageHeight);
    painter.restore();
    ++pageCount_;
}

bool ReportWriter::Finish(std::string& why) {
    const bool ended = pdf_->painter->end();
    pdf_->painter.reset();
    pdf_->writer.reset();
    if (!ended || !QFile::exists(QString::fromStdString(partial_.string()))) {
        why = "the report could not be written";
        return false;
    }
    return Publish(partial_, file_, why);
}

}  // namespace kavo::plots
