// The pictures of one sounding: its sounding page and its chart pages, drawn by the plots
// library, with zoom (wheel), pan (drag) and the values at the depth under the mouse.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTabWidget>
#include <optional>
#include <vector>

#include "gui/action_runner.h"
#include "plots/page_render.h"

class QCustomPlot;
class QMouseEvent;

namespace kavo::gui {

class PicturesView : public QDialog {
    Q_OBJECT
  public:
    explicit PicturesView(QWidget* parent = nullptr);
    ~PicturesView() override;

    void Show(const PicturesData& pictures);
    void ShowProblem(const QString& sounding, const QString& why);

    // The text shown when the mouse is at `depthFt` on the sounding page: the depth and each
    // value there.
    QString ValuesAt(double depthFt) const;
    QTabWidget* pages() const { return tabs_; }
    QString problem() const { return problem_->text(); }

  private:
    void DropPages();
    void AddPage(plots::DrawnPage page, const QString& title);
    void MakeDepthZoomable(QCustomPlot& plot);
    void OnSoundingPageHover(QMouseEvent* event);
    void OnChartPageHover(int chart, QMouseEvent* event);

    QLabel* problem_;
    QLabel* hint_;
    QTabWidget* tabs_;
    std::vector<plots::DrawnPage> pages_;
    plots::SoundingProfile profile_;
    std::vector<plots::ChartPageModel> chartPages_;
};

}  // namespace kavo::gui
