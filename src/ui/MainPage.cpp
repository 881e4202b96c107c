#include "ui/MainPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolTip>
#include <QVBoxLayout>
#include <optional>

#include "config/OverrideOptions.h"
#include "document/FileRemarks.h"
#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"

namespace velta {
namespace {

// Row order on the page; each names its override option.
constexpr const char* kRowCaptions[MainPage::RowCount] = {
    "End of drop time", "Pressure (mb)",   "Temperature (deg C)", "RH (%)",       "Wind Speed (m/s)",
    "Wind Direction (deg)", "Latitude (deg)", "Longitude (deg)",  "Altitude (m)", "Pressure (mb)",
    "Altitude (m)",
};
constexpr const char* kRowOptions[MainPage::RowCount] = {
    "lastDataTimeOverride", "launchPresOverride", "launchTdryOverride", "launchRhOverride",
    "launchWspdOverride",   "launchWdirOverride", "launchLatOverride",  "launchLonOverride",
    "launchAltOverride",    "sfcPresOverride",    "sfcAltOverride",
};
// The values an override can physically take, with the unit shown in the refusal.
struct Range {
    double lower, upper;
    const char* unit;
};
constexpr Range kRowRanges[MainPage::RowCount] = {
    {0.0, 20000.0, "s"},   {1.0, 1100.0, "mb"},   {-100.0, 60.0, "deg C"}, {0.0, 100.0, "%"},
    {0.0, 150.0, "m/s"},   {0.0, 360.0, "deg"},   {-90.0, 90.0, "deg"},    {-180.0, 360.0, "deg"},
    {-500.0, 30000.0, "m"}, {500.0, 1100.0, "mb"}, {-500.0, 9000.0, "m"},
};
constexpr int kSurfacePressureRow = 9;
constexpr int kSurfaceAltitudeRow = 10;

const char* const kNumbersOnly = "Only a number can be entered here, for example 1013.2 or -80.5.";

QString valueText(std::optional<double> v) { return v ? QString::asprintf("%.1f", *v) : QString(); }
QString valueText(double v, bool valid) { return valid ? QString::asprintf("%.1f", v) : QString(); }

bool isNumber(const QString& text) {
    bool ok = false;
    QLocale::c().toDouble(text.trimmed(), &ok);
    return ok;
}

QString rangeText(const Range& range) {
    return QString::asprintf("%g to %g %s", range.lower, range.upper, range.unit);
}

}  // namespace

MainPage::MainPage(CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent) : TabPage(doc, dialogs, parent) {
    auto* layout = new QVBoxLayout(this);
    description_ = new QLabel(this);
    layout->addWidget(description_);

    auto* launchTimeRow = new QHBoxLayout;
    launchTimeRow->addWidget(new QLabel("Launch Time", this));
    launchTime_ = new QLabel(this);
    launchTimeRow->addWidget(launchTime_, 1);
    layout->addLayout(launchTimeRow);
    auto* sensorRow = new QHBoxLayout;
    sensorRow->addWidget(new QLabel("Sensor response", this));
    sensorResponse_ = new QLabel(this);
    sensorRow->addWidget(sensorResponse_, 1);
    layout->addLayout(sensorRow);
    remarks_ = new QLabel(this);
    remarks_->setWordWrap(true);
    remarks_->setTextFormat(Qt::PlainText);
    remarks_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    remarks_->hide();
    layout->addWidget(remarks_);
    diagnosis_ = new QLabel(this);
    diagnosis_->setObjectName("diagnosisPanel");
    diagnosis_->setWordWrap(true);
    diagnosis_->setTextFormat(Qt::PlainText);
    diagnosis_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    diagnosis_->setMargin(6);
    diagnosis_->hide();
    layout->addWidget(diagnosis_);

    const auto* number = new QRegularExpressionValidator(
        QRegularExpression(R"(\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?\s*)"), this);
    auto addRows = [&](QGroupBox* box, int first, int last) {
        auto* grid = new QGridLayout(box);
        grid->addWidget(new QLabel("Reported", box), 0, 1);
        grid->addWidget(new QLabel("Override", box), 0, 2);
        for (int r = first; r <= last; ++r) {
            Row& row = rows_[r];
            row.reported = new QLabel(box);
            row.reported->setFrameShape(QFrame::StyledPanel);
            row.reported->setMinimumWidth(90);
            row.reported->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            row.field = new QLineEdit(box);
            row.field->setObjectName(kRowOptions[r]);
            row.field->setValidator(number);
            row.field->setToolTip(QString(kNumbersOnly) + "\nPossible values: " + rangeText(kRowRanges[r]) + ".");
            row.clear = new QPushButton("Clear", box);
            const int line = r - first + 1;
            grid->addWidget(new QLabel(kRowCaptions[r], box), line, 0);
            grid->addWidget(row.reported, line, 1);
            grid->addWidget(row.field, line, 2);
            grid->addWidget(row.clear, line, 3);
            connect(row.clear, &QPushButton::clicked, this, [this, r] { rows_[r].field->clear(); });
            connect(row.field, &QLineEdit::inputRejected, this, [this, r] {
                QToolTip::showText(rows_[r].field->mapToGlobal(QPoint(0, rows_[r].field->height())), kNumbersOnly,
                                   rows_[r].field);
            });
        }
    };
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* endBox = new QGroupBox("End of Drop", this);
    addRows(endBox, 0, 0);
    auto* launchBox = new QGroupBox("Launch parameters", this);
    addRows(launchBox, 1, 8);
    left->addWidget(endBox);
    left->addWidget(launchBox);
    auto* right = new QVBoxLayout;
    auto* surfaceBox = new QGroupBox("Dropsonde Surface Parameters", this);
    addRows(surfaceBox, 9, 10);
    right->addWidget(surfaceBox);

    auto* switches = new QGroupBox(this);
    auto* switchLayout = new QVBoxLayout(switches);
    hitSurface_ = new QCheckBox("Hit surface?", switches);
    hitSurface_->setToolTip("While SfcAutoDetect is on: the decision for this drop. A click changes it for this "
                            "drop only (press RECOMPUTE); the configuration keeps DropsondeHitSfc.");
    setHeightsMissing_ = new QCheckBox("Set heights missing?", switches);
    altitudeUnknown_ = new QCheckBox("Surface Altitude Unknown (Dropsonde over land)", switches);
    for (QCheckBox* box : {hitSurface_, setHeightsMissing_, altitudeUnknown_}) {
        switchLayout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &MainPage::storeSwitches);
    }
    right->addWidget(switches);

    auto* integration = new QGroupBox("Dropsonde Height Integration Results", this);
    auto* integrationGrid = new QGridLayout(integration);
    upward_ = new QLabel(integration);
    downward_ = new QLabel(integration);
    integrationGrid->addWidget(new QLabel("Launch altitude (integrated up, m)", integration), 0, 0);
    integrationGrid->addWidget(upward_, 0, 1);
    integrationGrid->addWidget(new QLabel("Lowest altitude (integrated down, m)", integration), 1, 0);
    integrationGrid->addWidget(downward_, 1, 1);
    right->addWidget(integration);

    recompute_ = new QPushButton("RECOMPUTE", this);
    right->addWidget(recompute_);
    right->addStretch();
    connect(recompute_, &QPushButton::clicked, this, [this] { recompute(); });

    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns);
    layout->addStretch();
}

void MainPage::refresh() {
    SoundingProcessor* processor = doc_.processor();
    if (!processor) return;
    description_->setText(QString::fromStdString(processor->soundingDescription()));
    const QCEngine* engine = processor->engine();
    if (!engine || !engine->qcDone()) return;
    const SoundingHeader h = processor->header();
    std::string remarks;
    for (const std::string& line : fileRemarks(h)) remarks += (remarks.empty() ? "" : "\n") + line;
    remarks_->setText(QString::fromStdString(remarks));
    remarks_->setVisible(!remarks.empty());
    sensorResponse_->setText(QString::fromStdString(engine->sensorResponse().description(engine->header())));
    showDiagnosis();
    const bool drop = !h.ascending;
    hitSurface_->setEnabled(drop);
    for (int r : {kSurfacePressureRow, kSurfaceAltitudeRow}) {
        rows_[r].field->setEnabled(drop);
        rows_[r].clear->setEnabled(drop);
    }
    rows_[0].reported->setText(valueText(engine->lastDataTime(), true));
    rows_[1].reported->setText(valueText(h.launchPressure, h.launchPressureValid));
    rows_[2].reported->setText(valueText(h.launchTemperature, h.launchTemperatureValid));
    rows_[3].reported->setText(valueText(h.launchHumidity, h.launchHumidityValid));
    rows_[4].reported->setText(valueText(h.launchWindSpeed, h.launchWindSpeedValid));
    rows_[5].reported->setText(valueText(h.launchWindDirection, h.launchWindDirectionValid));
    rows_[6].reported->setText(valueText(h.launchLatitude, h.launchLatitudeValid));
    rows_[7].reported->setText(valueText(h.launchLongitude, h.launchLongitudeValid));
    rows_[8].reported->setText(valueText(h.launchAltitude, h.launchAltitudeValid));
    const QDateTime launch = QDateTime::fromSecsSinceEpoch(h.launchTime, Qt::UTC);
    launchTime_->setText(QLocale::c().toString(launch, "HH:mm:ss    dd-MMM-yyyy"));
    showSurfaceValues();
    loadSwitches();
}

void MainPage::showSurfaceValues() {
    const QCEngine* engine = doc_.processor() ? doc_.processor()->engine() : nullptr;
    if (!engine) return;
    rows_[kSurfacePressureRow].reported->setText(valueText(engine->surfacePressure()));
    rows_[kSurfaceAltitudeRow].reported->setText(valueText(engine->surfaceAltitude(), true));
    upward_->setText(valueText(engine->upwardLaunchAltitude()));
    downward_->setText(valueText(engine->downwardLowAltitude()));
}

void MainPage::showDiagnosis() {
    const SoundingProcessor* processor = doc_.processor();
    if (!processor || processor->header().ascending) {
        diagnosis_->hide();
        return;
    }
    const std::vector<DropFinding>& findings = processor->findings();
    QString text = findings.empty() ? "Drop diagnosis: nothing found." : "Drop diagnosis:";
    for (const DropFinding& f : findings) text += "\n\u2022 " + QString::fromStdString(f.line());
    diagnosis_->setText(text);
    diagnosis_->setStyleSheet(findings.empty()
                                  ? "QLabel { background: #d9f2d9; color: #14501e; border: 1px solid #5a9e5a; }"
                                  : "QLabel { background: #ffd98a; color: #4a2a00; border: 2px solid #d07a00; }");
    diagnosis_->show();
}

namespace {

bool autoDetect(const ConfigSet& set) { return set.numericValue("SfcAutoDetect").value_or(1.0) != 0.0; }

}  // namespace

void MainPage::loadSwitches() {
    ConfigSet& set = doc_.configuration();
    const QCEngine* engine = doc_.processor() ? doc_.processor()->engine() : nullptr;
    if (autoDetect(set) && engine && engine->qcDone())
        hitSurface_->setChecked(engine->hitSurface());
    else
        hitSurface_->setChecked(set.boolValue("DropsondeHitSfc").value_or(false));
    setHeightsMissing_->setChecked(set.boolValue("SetHtsMissing").value_or(false));
    altitudeUnknown_->setChecked(set.boolValue("SfcAltUnknown").value_or(false));
}

void MainPage::storeSwitches() {
    ConfigSet& set = doc_.configuration();
    const std::pair<const char*, QCheckBox*> switches[] = {
        {"SfcAltUnknown", altitudeUnknown_}, {"SetHtsMissing", setHeightsMissing_}, {"DropsondeHitSfc", hitSurface_}};
    const bool perDrop = autoDetect(set);
    for (const auto& [name, box] : switches) {
        // With the automatic decision on, the box overrides it for this drop only.
        if (perDrop && box == hitSurface_) {
            const double v = box->isChecked() ? 1.0 : 0.0;
            set.addNumeric(kHitSurfaceOverride, v, v, v, false);
            continue;
        }
        if (ConfigOption* option = set.option(name)) option->setValue(box->isChecked() ? 1.0 : 0.0);
    }
    if (onSwitchesChanged) onSwitchesChanged();
}

bool MainPage::recompute() {
    if (doc_.processing()) return false;
    for (int r = 0; r < RowCount; ++r) {
        const QString text = rows_[r].field->text();
        if (!text.trimmed().isEmpty() && !isNumber(text)) {
            dialogs_.messageBox(std::string(kRowOptions[r]) + ": \"" + text.toStdString() +
                                "\" is not a number.\n" + kNumbersOnly);
            rows_[r].field->setFocus();
            return false;
        }
        const double value = QLocale::c().toDouble(text.trimmed());
        const Range& range = kRowRanges[r];
        if (!text.trimmed().isEmpty() && (value < range.lower || value > range.upper)) {
            dialogs_.messageBox(std::string(kRowOptions[r]) + ": " + text.trimmed().toStdString() +
                                " is not possible here. The value must lie from " +
                                rangeText(range).toStdString() + ".");
            rows_[r].field->setFocus();
            return false;
        }
    }
    if (beforeRecompute && !beforeRecompute()) return false;
    ConfigSet& set = doc_.configuration();
    for (int r = 0; r < RowCount; ++r)
        setOverrideFromText(set, kRowOptions[r], rows_[r].field->text().toStdString());
    if (onRecomputing) onRecomputing();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    doc_.recompute();
    QApplication::restoreOverrideCursor();
    showSurfaceValues();
    if (onRecomputed) onRecomputed();
    return true;
}

}  // namespace velta
