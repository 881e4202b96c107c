// The Main page: the launch and surface values the sounding reports, an
// override field with a Clear button for each, the three surface switches,
// RECOMPUTE, the launch time and the results of the height integrations.
#pragma once

#include <array>
#include <functional>

#include "ui/TabPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velta {

class MainPage : public TabPage {
    Q_OBJECT
public:
    static constexpr int RowCount = 11;

    MainPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);

    void refresh() override;
    // Stores the override fields as override options, processes the document
    // and shows the values again. False (nothing done) when a field does not
    // hold a number; the reason is shown.
    bool recompute();
    // Asked after the fields were checked; false cancels the recompute.
    std::function<bool()> beforeRecompute;
    // Called before processing replaces the products the pages show, and when
    // it has finished, so the view can let go of them and refresh its pages.
    std::function<void()> onRecomputing;
    std::function<void()> onRecomputed;
    // A surface switch was clicked: the results no longer match the options.
    std::function<void()> onSwitchesChanged;

    QLineEdit* overrideField(int row) const { return rows_[row].field; }
    QLabel* reportedValue(int row) const { return rows_[row].reported; }
    QPushButton* clearButton(int row) const { return rows_[row].clear; }
    QCheckBox* hitSurface() const { return hitSurface_; }
    QCheckBox* setHeightsMissing() const { return setHeightsMissing_; }
    QCheckBox* surfaceAltitudeUnknown() const { return altitudeUnknown_; }
    QLabel* launchTime() const { return launchTime_; }
    // The data system's standard and operator comments, as the file has them.
    QLabel* remarks() const { return remarks_; }
    // The temperature sensor model QC used, and why.
    QLabel* sensorResponse() const { return sensorResponse_; }
    // The drop diagnosis: green when nothing was found, amber with the findings.
    QLabel* diagnosisPanel() const { return diagnosis_; }
    QLabel* upwardResult() const { return upward_; }
    QLabel* downwardResult() const { return downward_; }
    QPushButton* recomputeButton() const { return recompute_; }
    // Reloads the three check boxes from the configuration; with SfcAutoDetect
    // on, "Hit surface?" shows this drop's decision instead.
    void loadSwitches();

private:
    struct Row {
        QLabel* reported = nullptr;
        QLineEdit* field = nullptr;
        QPushButton* clear = nullptr;
    };
    void showSurfaceValues();
    void showDiagnosis();
    void storeSwitches();

    std::array<Row, RowCount> rows_;
    QLabel* description_ = nullptr;
    QLabel* launchTime_ = nullptr;
    QLabel* remarks_ = nullptr;
    QLabel* sensorResponse_ = nullptr;
    QLabel* diagnosis_ = nullptr;
    QLabel* upward_ = nullptr;
    QLabel* downward_ = nullptr;
    QCheckBox* hitSurface_ = nullptr;
    QCheckBox* setHeightsMissing_ = nullptr;
    QCheckBox* altitudeUnknown_ = nullptr;
    QPushButton* recompute_ = nullptr;
};

}  // namespace velta
