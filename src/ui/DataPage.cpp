#include "ui/DataPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "document/KarvoEdDoc.h"
#include <QFileDialog>

#include "document/BuildInformation.h"
#include "io/SaveCommand.h"
#include "ui/TextPages.h"

namespace velta {
namespace {

std::vector<double> columnOf(const SeriesTable& t, int c) {
    auto values = t.column(c);
    return std::vector<double>(values.begin(), values.end());
}


const std::vector<GridColumn> kRawColumns = {
    {"Time (s)", 0, "%6.1f "}, {"Pres (mb)", 1, "%6.1f "},   {"Tdry (C)", 2, "%6.1f "},
    {"RH (%)", 3, "%6.0f "},   {"Spd (m/s)", 4, "%6.1f "},   {"Dir (deg)", 5, "%6.0f "},
    {"Dz/Dt (m/s)", 6, "%6.1f "}, {"Sats (n)", 7, "%6.0f "}, {"Status", 8, "%4.0f "},
};

const std::vector<GridColumn> kQcColumns = {
    {"Time (s)", 0, "%6.1f "},  {"Pres (mb)", 1, "%6.1f "},    {"Tdry (C)", 2, "%6.1f "},
    {"RH (%)", 3, "%6.0f "},    {"Spd (m/s)", 4, "%6.1f "},    {"Dir (deg)", 5, "%6.0f "},
    {"Alt (m)", 6, "%6.0f "},   {"dz/dt (m/s)", 9, "%6.1f "},  {"Lat (deg)", 7, "%11.4f "},
    {"Lon (deg)", 8, "%11.4f "},
};

}  // namespace

DataPage::DataPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent)
    : TabPage(doc, dialogs, parent), kind_(kind), model_(new SeriesTableModel(kind == Kind::Raw ? kRawColumns : kQcColumns, this)) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    title_ = new QLabel(this);
    row_ = new QLabel(this);
    top->addWidget(title_, 1);
    top->addWidget(row_);
    layout->addLayout(top);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->verticalHeader()->setVisible(false);
    layout->addWidget(grid_);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showRow(current.row()); });
}

QString DataPage::title() const { return QString::fromStdString(titleText_); }

void DataPage::refresh() {
    grid_->setFocus();
    SoundingProcessor* processor = doc_.processor();
    const QCEngine* engine = processor ? processor->engine() : nullptr;
    const Sounding* sounding = engine ? engine->sounding() : nullptr;
    if (!sounding) return;
    int generation = 0;
    if (kind_ == Kind::Raw) {
        generation = sounding->rawGeneration();
    } else {
        if (!sounding->qcDone()) return;
        generation = sounding->qcGeneration();
    }
    if (generation == shownGeneration_) return;
    shownGeneration_ = generation;
    const bool observed = doc_.configuration().boolValue("ReportObservedPos").value_or(false);
    const std::vector<std::string> names =
        kind_ == Kind::Raw ? rawTableSeries() : qcTableSeries(engine->finalAltitudeSeries(), observed);
    titleText_ = (kind_ == Kind::Raw ? "Raw Data " : "QC Data ") + processor->soundingDescription();
    grid_->setUpdatesEnabled(false);
    model_->setTable(SeriesTable(*sounding, names));
    setColumnWidths();
    grid_->setUpdatesEnabled(true);
    title_->setText(title());
    row_->clear();
    ++rebuilds_;
}

void DataPage::setColumnWidths() {
    const double share = kind_ == Kind::Raw ? 0.10989 : 0.0990099;
    const int width = static_cast<int>(grid_->viewport()->width() * share);
    for (int c = 0; c < model_->columnCount(); ++c) grid_->setColumnWidth(c, std::max(width, 40));
}

void DataPage::resizeEvent(QResizeEvent* event) {
    TabPage::resizeEvent(event);
    setColumnWidths();
}

QString DataPage::rowText() const { return row_->text(); }

void DataPage::showRow(int row) {
    if (row < 0 || row >= model_->rowCount()) {
        row_->clear();
        return;
    }
    row_->setText("Pres: " + model_->data(model_->index(row, 1), Qt::DisplayRole).toString());
}

std::vector<TextPage> DataPage::printPages() const {
    const SeriesTable& t = model_->table();
    std::vector<PrintColumn> columns;
    if (kind_ == Kind::Raw) {
        const char* names[] = {"Time", "Pres", "TDry", "RH", "Wspd", "Wdir", "DZ"};
        const int cols[] = {RawTimeColumn, RawPresColumn, RawTdryColumn, RawRhColumn, RawWspdColumn, RawWdirColumn, RawDzColumn};
        for (int i = 0; i < 7; ++i) columns.push_back({names[i], 6, "%6.1f", columnOf(t, cols[i])});
        columns.push_back({"Sats", 6, "%6.0f", columnOf(t, RawSatsColumn)});
        columns.push_back({"Status", 6, "%6.0f", columnOf(t, RawStatusColumn)});
    } else {
        const char* names[] = {"Time", "Pres", "TDry", "RH", "Wspd", "Wdir", "Alt", "Dz/Dt"};
        const int cols[] = {QcTimeColumn, QcPresColumn, QcTdryColumn, QcRhColumn, QcWspdColumn, QcWdirColumn, QcAltColumn, QcDzColumn};
        for (int i = 0; i < 8; ++i) columns.push_back({names[i], 6, "%6.1f", columnOf(t, cols[i])});
        columns.push_back({"Lat", 11, "%11.1f", columnOf(t, QcLatColumn)});
        columns.push_back({"Lon", 11, "%11.1f", columnOf(t, QcLonColumn)});
    }
    if (t.columnCount() == 0) columns.clear();
    return tablePages(titleText_, columns, static_cast<std::size_t>(t.rowCount()));
}

void DataPage::save() {
    if (model_->table().columnCount() == 0) return;
    const std::string dataPath = doc_.path();
    const std::string start = doc_.configuration().option(directoryOption())
                                  ? doc_.configuration().option(directoryOption())->text()
                                  : std::string();
    const std::string name = defaultSaveName(dataPath, kind_ == Kind::Raw ? "RAW" : "QC");
    QStringList filters;
    for (const SaveFilter& f : SaveFilters) filters << QString::fromLatin1(f.label);
    QFileDialog dialog(this, kind_ == Kind::Raw ? RawSaveTitle : QcSaveTitle, QString::fromStdString(start));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(DefaultSaveExtension).mid(1));
    dialog.selectFile(QString::fromStdString(name) + DefaultSaveExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().first().toStdString());
}

bool DataPage::saveTo(const std::string& path) {
    const SeriesTable& t = model_->table();
    SoundingProcessor* processor = doc_.processor();
    if (t.columnCount() == 0 || !processor) return false;
    const DataViewArrays arrays = kind_ == Kind::Raw
                                      ? DataViewArrays::fromRawTable(t, meteorologicalWriterFormulas())
                                      : DataViewArrays::fromQcTable(t);
    SaveData data;
    data.header = processor->header();
    data.processingLog = processor->processingInformation();
    data.setRows(arrays);
    data.formulas = meteorologicalWriterFormulas();
    data.buildRevision = buildInformationLine("SVNREVISION");
    data.buildLastChangedDate = buildInformationLine("SVNLASTCHANGEDDATE");
    const std::string directory = saveDataFile(dialogs_, path, data);
    // A save that wrote nothing keeps the remembered directory.
    if (directory.empty()) return false;
    if (ConfigOption* option = doc_.configuration().option(directoryOption())) {
        option->setText(directory);
        doc_.saveConfiguration(true);
    }
    return true;
}

}  // namespace velta
