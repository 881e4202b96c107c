// Runs the pipeline for one opened sounding: load, quality control, significant
// levels and the TEMP DROP message, keeping the processing log.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/ConfigSet.h"
#include "levels/SignificantLevels.h"
#include "qc/QCEngine.h"
#include "sounding/ProcessingLog.h"
#include "sounding/StatusReporter.h"
#include "wmo/TempMessage.h"

namespace velta {

// Adds each line of a text to a log category: every piece before a newline, and
// a non-empty rest after the last one.
void addLines(ProcessingLog& log, const std::string& category, const std::string& text);

using NameValueList = std::vector<std::pair<std::string, std::string>>;

class SoundingProcessor {
public:
    SoundingProcessor(ConfigSet& configuration, std::string programVersion);
    ~SoundingProcessor();
    SoundingProcessor(const SoundingProcessor&) = delete;
    SoundingProcessor& operator=(const SoundingProcessor&) = delete;

    // The reporter is not owned; without one, progress goes nowhere.
    void setStatusReporter(StatusReporter* reporter) { reporter_ = reporter ? reporter : &silent_; }

    // Reads the file from the stream; true when a reader accepted it.
    bool load(const std::string& path, std::istream& input);
    bool loaded() const { return engine_ && engine_->loaded(); }
    std::string loadErrorText() const { return engine_ ? engine_->loadErrorText() : std::string(); }

    void doQC();
    void doLevels();
    void doWMO();
    // DoQC, DoLevels and DoWMO in turn.
    void processAll();

    bool qcFailed() const { return qcFailed_; }
    const std::string& qcErrorText() const { return qcErrorText_; }

    // The levels and the message of the last run, or nullptr.
    SignificantLevels* levels() { return levels_.get(); }
    const SignificantLevels* levels() const { return levels_.get(); }
    // Why the last run coded no message although DoWMO was on (QC left no
    // pressure or no temperature); empty otherwise.
    const std::string& noMessageReason() const { return noMessageReason_; }
    TempMessage* message() { return message_.get(); }
    const TempMessage* message() const { return message_.get(); }

    // What the last QC run's drop diagnosis found (none before a run).
    const std::vector<DropFinding>& findings() const {
        static const std::vector<DropFinding> none;
        return engine_ ? engine_->diagnosis().findings : none;
    }

    QCEngine* engine() { return engine_.get(); }
    const QCEngine* engine() const { return engine_.get(); }
    int levelsGeneration() const { return levelsGeneration_; }
    int messageGeneration() const { return messageGeneration_; }
    int messageGroupCount() const { return messageGroupCount_; }
    const std::string& programVersion() const { return programVersion_; }
    ConfigSet& configuration() { return configuration_; }
    const ConfigSet& configuration() const { return configuration_; }

    SoundingHeader header() const;
    // File name without its directory, a blank, and the reader's description.
    std::string soundingDescription() const;
    int systemFamily() const;

    const ProcessingLog& log() const { return log_; }
    std::vector<std::string> logCategories() const { return log_.categoryNames(); }
    const std::vector<std::string>& logLines(const std::string& category) const { return log_.lines(category); }

    // One (name, value) per option in name order; numbers as "%12.5g" without leading blanks.
    NameValueList processingOptions() const;
    // KarvoEditorVersion, SoundingDescription, ConfigSetName.
    NameValueList processingInformation() const;

private:
    void setStatus(const std::string& text) { reporter_->setStatus(text); }

    ConfigSet& configuration_;
    std::string programVersion_;
    StatusReporter silent_;
    StatusReporter* reporter_ = &silent_;
    ProcessingLog log_;
    std::unique_ptr<QCEngine> engine_;
    std::unique_ptr<SignificantLevels> levels_;
    std::unique_ptr<TempMessage> message_;
    int levelsGeneration_ = 0;
    int messageGeneration_ = 0;
    int messageGroupCount_ = 0;
    bool qcFailed_ = false;
    std::string qcErrorText_;
    std::string noMessageReason_;
};

}  // namespace velta
