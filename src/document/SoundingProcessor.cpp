#include "document/SoundingProcessor.h"

#include <cstdio>
#include <istream>

#include "config/OverrideOptions.h"
#include "document/RecoveryStatistics.h"

namespace velta {
namespace {

constexpr const char* kStepsCategory = "Processing Steps";
constexpr const char* kErrorsCategory = "QC Processing Errors";

bool switchOn(const ConfigSet& set, const char* name) { return set.numericValue(name).value_or(0.0) != 0.0; }

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
    if (!switchOn(configuration_, "DoQC") || !loaded()) return;
    // The levels and the message of a previous run go with the QC series they came from.
    setStatus("QC processing...");
    engine_->run(*reporter_);
    qcFailed_ = engine_->errors(qcErrorText_);
    if (qcFailed_) addLines(log_, kErrorsCategory, qcErrorText_);
    setStatus("Ready");
    log_.add(kStepsCategory, "QC processing completed");
    writeRecoveryStatistics(*engine_->sounding(), log_);
}

void SoundingProcessor::doLevels() {
    if (!switchOn(configuration_, "DoLevels") || !engine_ || !engine_->qcDone()) return;
    // Significant levels are derived here once their selection is built.
}

void SoundingProcessor::doWMO() {
    if (!switchOn(configuration_, "DoWMO") || !engine_ || !engine_->qcDone()) return;
    log_.add(kStepsCategory, "WMO message coded");
    setStatus("Creating WMO message...");
    // Without levels there is nothing to code; the status text stays as it is.
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
            char buf[64];
            std::snprintf(buf, sizeof buf, "%12.5g", option.value());
            std::string text = buf;
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
