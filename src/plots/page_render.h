// Drawing the page models with QCustomPlot and saving them as PNG, SVG or PDF, one page a file,
// or many pages in one PDF.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "plots/page_model.h"

class QCustomPlot;

namespace kavo::plots {

enum class ImageFormat { Png, Svg, Pdf };

// Reads "png", "svg" or "pdf"; false for any other text.
bool ParseImageFormat(std::string_view text, ImageFormat& format);
const char* ExtensionOf(ImageFormat format);

// Every page is drawn at this size in pixels (US letter, landscape, at 150 dots per inch).
inline constexpr int kPageWidth = 1650;
inline constexpr int kPageHeight = 1275;

// A drawn page, ready to be saved or painted into a report.
class DrawnPage {
  public:
    explicit DrawnPage(std::unique_ptr<QCustomPlot> plot);
    DrawnPage(DrawnPage&&) noexcept;
    DrawnPage& operator=(DrawnPage&&) noexcept;
    ~DrawnPage();
    QCustomPlot& plot() { return *plot_; }

  private:
    std::unique_ptr<QCustomPlot> plot_;
};

DrawnPage DrawSoundingPage(const SoundingPageModel& model);
DrawnPage DrawChartPage(const ChartPageModel& model);
DrawnPage DrawZeroDriftPage(const ZeroDriftPageModel& model);
DrawnPage DrawPlanPage(const PlanPageModel& model);

// Saves the page; the file appears complete or not at all (written beside, then renamed).
// Returns false, with the reason in `why`, when it cannot be written.
bool SavePage(DrawnPage& page, const std::filesystem::path& file, ImageFormat format,
              std::string& why);

// A cover page of plain text: a title and lines of "label: value".
struct CoverPage {
    std::string title;
    std::vector<std::string> lines;
};

// One PDF of many pages, written page by page as they are drawn (a large project never holds
// all its pages at once): the cover first, then each page added. The file appears under its
// name only when Finish succeeds.
class ReportWriter {
  public:
    ReportWriter(const std::filesystem::path& file, const CoverPage& cover);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;
    ~ReportWriter();
    void AddPage(DrawnPage& page);
    // Ends the PDF; false with the reason in `why` when it could not be written.
    bool Finish(std::string& why);
    int pageCount() const { return pageCount_; }

  private:
    struct Pdf;
    std::filesystem::path file_;
    std::filesystem::path partial_;
    std::unique_ptr<Pdf> pdf_;
    int pageCount_ = 0;
};

}  // namespace kavo::plots
