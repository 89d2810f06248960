// Rendering: a drawn page has the page's size and is not blank, each format writes its file,
// and a report holds the cover and every page added.
#include "plots/page_render.h"

#include <gtest/gtest.h>

#include <qcustomplot.h>
#include <QImage>

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "plots/pdf_pages.h"
#include "support/temp_dir.h"

namespace kavo::plots {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

SoundingProfile Profile() {
    SoundingProfile profile;
    profile.facts.sounding = "KV-09";
    profile.facts.project = "Levee";
    profile.facts.waterTableFt = 10;
    for (int i = 0; i < 200; ++i) {
        profile.depthFt.push_back(0.25 * (i + 1));
    }
    const auto add = [&](Quantity q, const char* label, double scale) {
        ProfileSeries series{q, label, "atm", {}, {}};
        for (int i = 0; i < 200; ++i) {
            series.values.push_back(i < 3 ? std::numeric_limits<double>::quiet_NaN()
                                          : scale * (1.5 + std::sin(i / 9.0)));
        }
        profile.series.push_back(series);
    };
    add(Quantity::Qc, "qc", 60);
    add(Quantity::Fs, "fs", 0.5);
    add(Quantity::FrictionRatio, "FR", 1.2);
    add(Quantity::NormalisedQ, "Q", 40);
    add(Quantity::Ic, "Ic_tln", 1.2);
    return profile;
}

// The spread of the grey levels of a picture: 0 for a blank page.
double GreyVariance(const QImage& image) {
    double sum = 0;
    double squares = 0;
    const double count = static_cast<double>(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double grey = qGray(image.pixel(x, y));
            sum += grey;
            squares += grey * grey;
        }
    }
    const double mean = sum / count;
    return squares / count - mean * mean;
}

TEST(PageRender, ASoundingPageIsAPictureOfThePagesSizeAndNotBlank) {
    testing::TempDir dir;
    DrawnPage page = DrawSoundingPage(BuildSoundingPage(Profile()));
    std::string why;
    const fs::path file = dir.path() / "page.png";
    ASSERT_TRUE(SavePage(page, file, ImageFormat::Png, why)) << why;
    EXPECT_FALSE(fs::exists(dir.path() / "page.png.part"));
    const QImage image(QString::fromStdString(file.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), kPageWidth);
    EXPECT_EQ(image.height(), kPageHeight);
    // Mostly white paper with dark lines and text: far from uniform.
    EXPECT_GT(GreyVariance(image), 200.0);
}

TEST(PageRender, EveryFormatWritesItsFile) {
    testing::TempDir dir;
    struct Case {
        const char* text;
        const char* begins;
    } cases[] = {{"png", "\x89PNG"}, {"svg", "<?xml"}, {"pdf", "%PDF"}};
    for (const Case& c : cases) {
        ImageFormat format = ImageFormat::Png;
        ASSERT_TRUE(ParseImageFormat(c.text, format));
        DrawnPage page = DrawSoundingPage(BuildSoundingPage(Profile()));
        const fs::path file = dir.path() / (std::string("page") + ExtensionOf(format));
        std::string why;
        ASSERT_TRUE(SavePage(page, file, format, why)) << c.text << ": " << why;
        EXPECT_EQ(Contents(file).rfind(c.begins, 0), 0u) << c.text;
    }
    ImageFormat format = ImageFormat::Png;
    EXPECT_FALSE(ParseImageFormat("jpeg", format));
}

TEST(PageRender, APageThatCannotBeWrittenSaysWhyAndLeavesNothing) {
    testing::TempDir dir;
    DrawnPage page = DrawSoundingPage(BuildSoundingPage(Profile()));
    std::string why;
    EXPECT_FALSE(SavePage(page, dir.path() / "no-such-folder" / "page.png", ImageFormat::Png, why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(fs::exists(dir.path() / "no-such-folder"));
}

// A chart page whose contour labels sit in the four corners of the frame, with a point
// outside it.
ChartPageModel CornerLabelledChart() {
    ChartPageModel model;
    model.title = "Ic_tln - Soil behaviour type index Ic";
    model.corner = "Chart by tln, 2024, version v1";
    model.sounding = "KV-09";
    model.x = {"Friction ratio FR (%)", 0.1, 10, AxisScale::Log};
    model.y = {"Normalised cone resistance Q", 1, 1000, AxisScale::Log};
    const double corners[][2] = {{0.1, 1}, {10, 1}, {0.1, 1000}, {10, 1000}};
    for (const auto& corner : corners) {
        model.contours.push_back({2.6, "2.6", {0.1, 10}, {1, 1000}, corner[0], corner[1]});
    }
    model.points = {{1, 10, 2, false}, {10, 1000, 3, true}};
    model.depthMin = 2;
    model.depthMax = 3;
    model.outsideCount = 1;
    return model;
}

TEST(PageRender, TheChartsNotesHideNoContourLabel) {
    const ChartPageModel model = CornerLabelledChart();
    DrawnPage page = DrawChartPage(model);
    QCustomPlot& plot = page.plot();
    plot.replot(QCustomPlot::rpImmediateRefresh);
    std::vector<QRectF> labels;
    for (int i = 0; i < plot.itemCount(); ++i) {
        if (auto* label = qobject_cast<QCPItemText*>(plot.item(i))) {
            labels.emplace_back(label->topLeft->pixelPosition(),
                                label->bottomRight->pixelPosition());
        }
    }
    ASSERT_EQ(labels.size(), model.contours.size());
    QStringList notes;
    for (QCPLayoutElement* element : plot.plotLayout()->elements(true)) {
        if (auto* text = qobject_cast<QCPTextElement*>(element)) {
            notes.push_back(text->text());
            for (const QRectF& label : labels) {
                EXPECT_FALSE(text->outerRect().intersects(label.toRect()))
                    << text->text().toStdString();
            }
        }
    }
    EXPECT_TRUE(notes.contains(QString::fromStdString(model.corner)));
    EXPECT_TRUE(notes.contains(
        QStringLiteral("\u00D7 1 point outside the chart frame, shown on its edge")));
}

TEST(PageRender, AReportHoldsTheCoverAndEveryPageAdded) {
    testing::TempDir dir;
    const fs::path file = dir.path() / "report.pdf";
    std::string why;
    {
        ReportWriter report(file, {"Kavo CPT report - Levee", {"Project: Levee", "", "More"}});
        DrawnPage sounding = DrawSoundingPage(BuildSoundingPage(Profile()));
        report.AddPage(sounding);
        DrawnPage zeroes = DrawZeroDriftPage(BuildZeroDriftPage("Levee", {}));
        report.AddPage(zeroes);
        EXPECT_FALSE(fs::exists(file));  // nothing under the name before the end
        ASSERT_TRUE(report.Finish(why)) << why;
        EXPECT_EQ(report.pageCount(), 3);
    }
    EXPECT_EQ(PdfPageCount(file), 3);
    EXPECT_FALSE(fs::exists(dir.path() / "report.pdf.part"));
}

TEST(PageRender, AnAbandonedReportLeavesNoFile) {
    testing::TempDir dir;
    { ReportWriter report(dir.path() / "report.pdf", {"Kavo CPT report", {}}); }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

}  // namespace
}  // namespace kavo::plots
