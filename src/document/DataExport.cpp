#include "document/DataExport.h"

#include "document/BuildInformation.h"
#include "io/WriterInput.h"

namespace velta {

DataExport::DataExport(const SoundingProcessor& processor, DataKind kind) {
    const QCEngine* engine = processor.engine();
    data_.header = processor.header();
    data_.processingLog = processor.processingInformation();
    data_.formulas = meteorologicalWriterFormulas();
    data_.buildRevision = buildInformationLine("SVNREVISION");
    data_.buildLastChangedDate = buildInformationLine("SVNLASTCHANGEDDATE");
    if (!engine || !engine->sounding()) return;
    const Sounding& sounding = *engine->sounding();
    if (kind == DataKind::QC) {
        const bool observed = processor.configuration().numericValue("ReportObservedPos").value_or(0.0) != 0.0;
        SeriesTable table(sounding, qcTableSeries(engine->finalAltitudeSeries(), observed));
        arrays_.emplace(DataViewArrays::fromQcTable(table));
    } else {
        SeriesTable table(sounding, rawTableSeries());
        arrays_.emplace(DataViewArrays::fromRawTable(table, data_.formulas));
    }
    data_.setRows(*arrays_);
}

}  // namespace velta
