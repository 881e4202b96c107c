// The XY Graph and Skew-T pages: the graph of the sounding with its zoom and
// the Save command that exports it as an image.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "plot/XyGraph.h"
#include "ui/TabPage.h"
#include "wmo/MessageFile.h"

class QBoxLayout;
class QPrinter;
class QToolButton;

namespace velta {

class SkewTView;
class XyGraphView;

class GraphPage : public TabPage {
    Q_OBJECT
public:
    enum class Kind { XY, SkewT };
    GraphPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    Kind kind() const { return kind_; }

    void refresh() override;
    void save() override;
    void unzoom();
    // Whether there is a graph to print.
    bool canPrint() const;
    // Draws the graph on one page of the printer.
    void print(QPrinter& printer);
    // "Max": the XY graph in a maximised window of its own.
    void maximize();

    SkewTView* skewT() const { return skewT_; }
    XyGraphView* xyGraph() const { return xy_; }

    // The XY graph's selection, redrawn at once.
    const XyGraphSettings& xySettings() const { return xySettings_; }
    void setXySettings(const XyGraphSettings& settings);

    // The save-as dialog: the chosen path, or nothing when cancelled.
    std::function<std::optional<std::string>(const MessageSaveDialogSettings&)> chooseSavePath;

    // The graph as an image of PlotPixelsX × PlotPixelsY in the format of the extension.
    bool saveImage(const std::string& path);

private:
    QToolButton* button(const char* caption);
    void buildXyControls(QBoxLayout* layout);
    void refreshSkewT();
    void refreshXy();
    void drawXy();
    // The sounding's file name and launch time, for the graph titles.
    std::string caption() const;
    std::string directoryOption() const { return kind_ == Kind::XY ? "XYPlotSaveDir" : "SkewTPlotSaveDir"; }

    Kind kind_;
    SkewTView* skewT_ = nullptr;
    XyGraphView* xy_ = nullptr;
    XyGraphSettings xySettings_;
    XyGraphTables xyTables_;
    int shownGeneration_ = -1;
    int shownRawGeneration_ = -1;
};

}  // namespace velta
