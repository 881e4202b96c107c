#include "config/OptionCatalogue.h"

namespace velta {

namespace {

CatalogueEntry sw(const char* name, double def, OptionGroup group = OptionGroup::Other) {
    return {name, OptionKind::Bool, def, "", 0.0, 1.0, group};
}

CatalogueEntry num(const char* name, double def, double lower, double upper,
                   OptionGroup group = OptionGroup::Other) {
    return {name, OptionKind::Numeric, def, "", lower, upper, group};
}

CatalogueEntry txt(const char* name, const char* def) {
    return {name, OptionKind::String, 0.0, def, 0.0, 0.0, OptionGroup::Other};
}

std::vector<CatalogueEntry> buildCatalogue() {
    constexpr OptionGroup QC = OptionGroup::QualityControl;
    return {
        // Processing switches, message basics, plots.
        sw("DoQC", 1),
        sw("DoLevels", 1),
        sw("DoWMO", 1),
        sw("SfcAltUnknown", 0),
        sw("SetHtsMissing", 0),
        sw("DropsondeHitSfc", 1),
        // The drop diagnosis decides per drop whether the sonde reached the surface,
        // where its fall ended and whether the launch point joins the profile.
        sw("SfcAutoDetect", 1),
        sw("DiscardBadCrcData", 1),
        sw("ReportObservedPos", 0),
        sw("AutoFile", 1),
        num("ChuteArea", 676, 1, 40000),
        num("DropSondeMass", 395, 1, 5000),
        num("PosInterpSpan", 60, 1, 10000),
        txt("CallSign", "CALL"),
        txt("BSN", "99999"),
        num("TempMsgType", 2, 0, 2),
        sw("TempAppendNNNN", 0),
        num("RHchoice", 0, 0, 2),
        sw("ExcludeAbrHdr", 0),
        num("PlotPixelsX", 1000, 32, 2000),
        num("PlotPixelsY", 700, 32, 2000),
        num("PlotFileFormat", 0, 0, 1),
        num("NumberSkewTWinds", 20, 0, 500),
        // Quality-control and level parameters.
        num("WindSmoothWL", 10, 1, 600, QC),
        num("WindQCWL", 10, 1, 600, QC),
        sw("WindDynCor", 1, QC),
        num("WindDynCorWL", 60, 0.1, 1000, QC),
        num("WindBuddySlope", 5, 0.1, 20, QC),
        num("WindQCDev", 3, 0.1, 20, QC),
        num("WindOutlier", 10, 0.1, 100, QC),
        num("WindSats", 3, 1, 24, QC),
        num("WindVVdelta", 2.5, 0, 100, QC),
        num("TdrySmoothWL", 5, 1, 600, QC),
        num("TdryQCWL", 10, 1, 600, QC),
        sw("TdryDynCor", 1, QC),
        num("TdryDynCorWL", 60, 0.1, 1000, QC),
        num("SensorResponse", 0, 0, 2, QC),
        num("FastSensorTau", 0.5, 0.05, 10, QC),
        num("TdryBuddySlope", 3, 0.1, 20, QC),
        num("TdryQCDev", 3, 0.1, 20, QC),
        num("TdryOutlier", 10, 0.1, 50, QC),
        num("TdryOffset", 0, -20, 20, QC),
        num("PresSmoothWL", 5, 1, 600, QC),
        num("PresQCWL", 10, 1, 600, QC),
        num("PresBuddySlope", 2, 0.1, 20, QC),
        num("PresQCDev", 3, 0.1, 20, QC),
        num("PresOutlier", 10, 0.1, 50, QC),
        num("PresOffset", 0, -20, 20, QC),
        num("RHSmoothWL", 5, 1, 600, QC),
        num("RHQCWL", 10, 1, 600, QC),
        num("RHBuddySlope", 20, 0.1, 100, QC),
        num("RHQCDev", 3, 0.1, 20, QC),
        num("RHOutlier", 10, 0.1, 50, QC),
        num("RHOffset", 0, -20, 20, QC),
        num("TdryLevelDelta", 1, 0.001, 100, QC),
        num("RHLevelDelta", 10, 0.001, 100, QC),
        num("WspdLevelDelta", 10, 0.001, 100, QC),
        num("Wspd850LevelDelta", 2.5, 0.001, 100, QC),
        num("WdirLevelDelta", 10, 0.001, 100, QC),
        num("TropSmoothWL", 60, 1, 10000, QC),
        // Message headings, transmission, remembered directories.
        txt("UpsondeAbrHdr", ""),
        txt("UpsondeICAO", ""),
        txt("TempEmailAddress", "nobody"),
        num("ACtype", 0, 0, 1),
        num("BaudRateIndex", 2, 0, 100),
        num("CommPortIndex", 0, 0, 100),
        txt("ACagency", "AF001"),
        txt("MissionStorm", "WXWXA"),
        txt("MissionId", "TRAIN"),
        num("IcaoIndex", 1, 0, 100),
        txt("AbrHdrOvr", ""),
        txt("AtcfId", ""),
        txt("OptIcao", ""),
        txt("DataDir", "C:\\"),
        txt("WmoSaveDir", "C:\\"),
        txt("QCSaveDir", "C:\\"),
        txt("RawSaveDir", "C:\\"),
        txt("XYPlotSaveDir", "C:\\"),
        txt("SkewTPlotSaveDir", "C:\\"),
    };
}

}  // namespace

const std::vector<CatalogueEntry>& optionCatalogue() {
    static const std::vector<CatalogueEntry> catalogue = buildCatalogue();
    return catalogue;
}

const CatalogueEntry* findCatalogueEntry(const std::string& name) {
    for (const CatalogueEntry& entry : optionCatalogue()) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

}  // namespace velta
