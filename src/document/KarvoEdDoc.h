// One opened sounding: its own copy of the configuration file and active set,
// the processor that runs the pipeline, and the document commands (Options,
// Restore Defaults, Recompute, the save question at close). Windows wrap it;
// it shows everything through the dialog interface.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "config/ConfigSet.h"
#include "config/Registry.h"
#include "document/SoundingProcessor.h"
#include "extern/VeltaDialogs.h"
#include "sounding/StatusReporter.h"

namespace velta {

class CKarvoEdDoc {
public:
    enum LoadState { NotLoaded = 0, Loading = 1, Processed = 2 };

    // Reads the configuration file (located as usual when configPath is empty). A
    // missing or broken file is shown through the dialogs and answers nullptr with
    // exitCode 1: the program cannot work without its options.
    static std::unique_ptr<CKarvoEdDoc> create(VeltaDialogs& dialogs, const std::string& programVersion,
                                               int& exitCode, const std::string& configPath = {});
    // Asks the save question when options changed (see close()).
    ~CKarvoEdDoc();
    CKarvoEdDoc(const CKarvoEdDoc&) = delete;
    CKarvoEdDoc& operator=(const CKarvoEdDoc&) = delete;

    // Remembers the directory, loads and processes the file. A file no reader
    // accepts is reported and answers false; the document is then to be discarded.
    bool open(const std::string& path);
    // QC, levels and message; a QC failure is shown once.
    void process();

    // Tools > Options: the option pages; confirmed changes save the immediate options.
    void optionsCommand();
    // Tools > Restore Defaults: every option back to its default; nothing is reprocessed.
    void restoreDefaultsCommand();
    // Tools > Recompute (after the view stored its override fields): processes again.
    void recompute() { process(); }
    // Asks whether changed options are to be saved to the active set; runs once.
    void close();
    // Saves the set (only the immediate options, or all of them and the active set's name);
    // a file that cannot be written is shown with the reason, and the changes are written
    // again at the next save.
    void saveConfiguration(bool immediateOnly);

    // The status reporter is not owned; the window layer gives its own.
    void setStatusReporter(StatusReporter* reporter);

    SoundingProcessor* processor() { return processor_.get(); }
    const SoundingProcessor* processor() const { return processor_.get(); }
    ConfigSet& configuration() { return *configuration_; }
    Registry& registry() { return *registry_; }
    const std::string& path() const { return path_; }
    std::time_t messageTime() const { return messageTime_; }
    int loadState() const { return loadState_; }
    bool processing() const { return processing_; }

private:
    CKarvoEdDoc(VeltaDialogs& dialogs, std::string programVersion, std::unique_ptr<Registry> registry);

    VeltaDialogs& dialogs_;
    std::string programVersion_;
    std::string path_;
    std::time_t messageTime_ = 0;
    int loadState_ = NotLoaded;
    bool closed_ = false;
    bool processing_ = false;
    StatusReporter* reporter_ = nullptr;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<ConfigSet> configuration_;
    std::unique_ptr<SoundingProcessor> processor_;
};

// The fatal messages of a configuration file that cannot be used.
std::string configurationNotFoundMessage(const std::string& path);
std::string configurationBrokenMessage();
// Shows why the last save of the registry failed; nothing when it succeeded.
void reportFailedConfigurationSave(VeltaDialogs& dialogs, const Registry& registry);

}  // namespace velta
