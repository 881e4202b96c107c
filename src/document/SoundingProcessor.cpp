#include "document/SoundingProcessor.h"

#include <fmt/printf.h>
#include <ctime>
#include <istream>

#include "config/OverrideOptions.h"
#include "document/FileRemarks.h"
#include "document/RecoveryStatistics.h"
#include "wmo/MessageCoder.h"

namespace velta {
namespace {

constexpr const char* kStepsCategory = "Processing Steps";
constexpr const char* kErrorsCategory = "QC Processing Errors";
constexpr const char* kInputCategory = "Input File";
constexpr const char* kConfigurationCategory = "Configuration";

bool switchOn(const ConfigSet& set, const char* name) { return set.numericValue(name).value_or(0.0) != 0.0; }

std::string textOption(const ConfigSet& set, const char* name) {
    const ConfigOption* option = set.option(name);
    return option ? option->text() : std::string();
}

std::string baseName(const std::string& path) {
    auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

void addLines(ProcessingLog& log, const std::string& category, const std::string& text) {
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        log.add(category, text.substr(start, nl - start));
    if (start < text.size()) log.add(category, text.substr(start));
}

SoundingProcessor::SoundingProcessor(ConfigSet& configuration, std::string programVersion)
    : configuration_(configuration), programVersion_(std::move(programVersion)) {}

SoundingProcessor::~SoundingProcessor() = default;

bool SoundingProcessor::load(const std::string& path, std::istream& input) {
    setStatus("Loading Data...");
    engine_.reset();
    engine_ = std::make_unique<QCEngine>(path, input, configuration_, log_);
    if (engine_->loaded()) {
        // The surface altitude lives only while this document is open.
        setSurfaceAltitude(configuration_, engine_->surfaceAltitude());
    }
    setStatus("Ready");
    return engine_->loaded();
}

void SoundingProcessor::doQC() {
    qcFailed_ = false;
    qcErrorText_.clear();
    log_.clear();
    if (loaded()) addLines(log_, kInputCategory, engine_->source().notes());
    for (const std::string& note : configuration_.repairNotes()) log_.add(kConfigurationCategory, note);
    if (!switchOn(configuration_, "DoQC") || !loaded()) return;
    // The levels and the message of a previous run go with the QC series they came from.
    levels_.reset();
    message_.reset();
    setStatus("QC processing...");
    engine_->run(*reporter_);
    qcFailed_ = engine_->errors(qcErrorText_);
    if (qcFailed_) addLines(log_, kErrorsCategory, qcErrorText_);
    setStatus("Ready");
    log_.add(kStepsCategory, "QC processing completed");
    writeRecoveryStatistics(*engine_->sounding(), log_);
    writeFileRemarks(engine_->sounding()->header(), log_);
    for (const DropFinding& finding : engine_->diagnosis().findings) log_.add(kDiagnosisCategory, finding.line());
}

void SoundingProcessor::doLevels() {
    if (!switchOn(configuration_, "DoLevels") || !engine_ || !engine_->qcDone()) return;
    levels_.reset();
    const SoundingHeader header = engine_->headerWithOverrides();
    setStatus("calculating levels...");

    LevelSeries series;
    series.pres = engine_->series("QCPres");
    series.tdry = engine_->series("QCTdry");
    series.rh = engine_->series("QCRH");
    series.wspd = engine_->series("QCWspd");
    series.wdir = engine_->series("QCWdir");
    series.u = engine_->series("QCU");
    series.v = engine_->series("QCV");
    series.alt = engine_->series(engine_->finalAltitudeSeries());
    series.lat = engine_->series("QCLat");
    series.lon = engine_->series("QCLon");
    series.dz = engine_->series("QCDz");

    LevelOptions options;
    auto number = [this](const char* name, double fallback) {
        return configuration_.numericValue(name).value_or(fallback);
    };
    options.tdryLevelDelta = number("TdryLevelDelta", options.tdryLevelDelta);
    options.rhLevelDelta = number("RHLevelDelta", options.rhLevelDelta);
    options.wspdLevelDelta = number("WspdLevelDelta", options.wspdLevelDelta);
    options.wspd850LevelDelta = number("Wspd850LevelDelta", options.wspd850LevelDelta);
    options.wdirLevelDelta = number("WdirLevelDelta", options.wdirLevelDelta);
    options.tropSmoothWL = number("TropSmoothWL", options.tropSmoothWL);
    options.ascending = header.ascending;
    options.ptuwindtimediff = header.ptuwindtimediff;

    double surfaceAltitude = MissingValue;
    if (auto v = configuration_.numericValue("sfcAltOverride"))
        surfaceAltitude = *v;
    else if (auto sfc = configuration_.numericValue("SfcAltitude"))
        surfaceAltitude = switchOn(configuration_, "SfcAltUnknown") ? MissingValue : *sfc;

    levels_ = std::make_unique<SignificantLevels>(*reporter_, series, options, surfaceAltitude);
    ++levelsGeneration_;
    setStatus("Ready");
    log_.add(kStepsCategory, "Levels created");
}

void SoundingProcessor::doWMO() {
    if (!switchOn(configuration_, "DoWMO") || !engine_ || !engine_->qcDone()) return;
    message_.reset();
    noMessageReason_.clear();
    // A message is coded only from measured data: without any pressure or
    // temperature that QC kept, every group would be made up.
    for (const char* quantity : {"QCPres", "QCTdry"}) {
        const DataSeries* series = engine_->series(quantity);
        if (series && series->size() > 0) continue;
        noMessageReason_ = std::string("No WMO message coded: quality control left no ") +
                           (quantity[2] == 'P' ? "pressure" : "temperature") + " data.";
        log_.add(kStepsCategory, noMessageReason_);
        return;
    }
    log_.add(kStepsCategory, "WMO message coded");
    setStatus("Creating WMO message...");
    // Without levels there is nothing to code; the status text stays as it is.
    if (!levels_) return;

    SoundingHeader header = engine_->headerWithOverrides();
    if (auto alt = configuration_.numericValue("launchAltOverride")) {
        header.launchAltitude = *alt;
        header.launchAltitudeValid = true;
    }
    const bool excludeHeading = static_cast<int>(configuration_.numericValue("ExcludeAbrHdr").value_or(0.0)) != 0;
    if (header.ascending) {
        AscendingMessageOptions options;
        options.messageType = static_cast<int>(configuration_.numericValue("TempMsgType").value_or(2.0));
        header.callSign = textOption(configuration_, "CallSign");
        header.stationNumber = textOption(configuration_, "BSN");
        options.excludeAbbreviatedHeading = excludeHeading;
        options.headerOverride = textOption(configuration_, "UpsondeAbrHdr");
        options.icao = textOption(configuration_, "UpsondeICAO");
        options.codingTime = std::time(nullptr);
        message_ = std::make_unique<TempMessage>(codeAscendingMessage(levels_->levels(), header, options));
    } else {
        message_ = std::make_unique<TempMessage>(codeDropMessage(levels_->levels(), header, excludeHeading));
    }
    ++messageGeneration_;
    messageGroupCount_ = message_->groupCount();
    setStatus("Ready");
}

void SoundingProcessor::processAll() {
    doQC();
    doLevels();
    doWMO();
}

SoundingHeader SoundingProcessor::header() const {
    return engine_ ? engine_->headerWithOverrides() : SoundingHeader{};
}

std::string SoundingProcessor::soundingDescription() const {
    if (!engine_) return {};
    return baseName(engine_->path()) + " " + engine_->source().raw().soundingdescription;
}

int SoundingProcessor::systemFamily() const {
    return engine_ && engine_->sounding() ? engine_->sounding()->systemFamily() : 5;
}

NameValueList SoundingProcessor::processingOptions() const {
    NameValueList list;
    for (const auto& [name, option] : configuration_.options()) {
        if (option.numeric()) {
            std::string text = fmt::sprintf("%12.5g", option.value());
            text.erase(0, text.find_first_not_of(' '));
            list.emplace_back(name, text);
        } else {
            list.emplace_back(name, option.text());
        }
    }
    return list;
}

NameValueList SoundingProcessor::processingInformation() const {
    return {{"KarvoEditorVersion", programVersion_},
            {"SoundingDescription", soundingDescription()},
            {"ConfigSetName", configuration_.name()}};
}

}  // namespace velta
