#include "document/KarvoEdDoc.h"

#include <fstream>

#include "document/FileLocator.h"

namespace velta {

std::string configurationNotFoundMessage(const std::string& path) {
    return "Unable to access the configuration file: " + path;
}

std::string configurationBrokenMessage() {
    return "There is a problem with the XML configuration\nfile. It needs to be fixed before Velta can\n"
           "proceed. Sorry, but Velta has to exit. :-(\n\n(Hint - try opening the XML file in a web browser.)";
}

std::unique_ptr<CKarvoEdDoc> CKarvoEdDoc::create(VeltaDialogs& dialogs, const std::string& programVersion,
                                                 int& exitCode, const std::string& configPath) {
    exitCode = 0;
    std::string path = configPath;
    if (path.empty()) {
        LocatedFile located = locateFile("velta.xml");
        if (!located.found) {
            dialogs.messageBox(configurationNotFoundMessage(located.path));
            exitCode = 1;
            return nullptr;
        }
        path = located.path;
    }
    auto registry = std::make_unique<Registry>(path);
    if (registry->status() != 0) {
        dialogs.messageBox(configurationBrokenMessage());
        exitCode = 1;
        return nullptr;
    }
    return std::unique_ptr<CKarvoEdDoc>(new CKarvoEdDoc(dialogs, programVersion, std::move(registry)));
}

CKarvoEdDoc::CKarvoEdDoc(VeltaDialogs& dialogs, std::string programVersion, std::unique_ptr<Registry> registry)
    : dialogs_(dialogs),
      programVersion_(std::move(programVersion)),
      messageTime_(std::time(nullptr) + 120),
      registry_(std::move(registry)),
      configuration_(std::make_unique<ConfigSet>(*registry_)) {}

CKarvoEdDoc::~CKarvoEdDoc() { close(); }

void CKarvoEdDoc::setStatusReporter(StatusReporter* reporter) {
    reporter_ = reporter;
    if (processor_) processor_->setStatusReporter(reporter_);
}

bool CKarvoEdDoc::open(const std::string& path) {
    if (ConfigOption* dataDir = configuration_->option("DataDir")) {
        dataDir->setText(directoryOf(path));
        saveConfiguration(true);
    }
    path_ = path;
    loadState_ = Loading;
    processor_ = std::make_unique<SoundingProcessor>(*configuration_, programVersion_);
    processor_->setStatusReporter(reporter_);

    std::ifstream input(path, std::ios::binary);
    if (!input.is_open()) {
        dialogs_.messageBox(path + ": unable to open the file.\n");
        loadState_ = NotLoaded;
        return false;
    }
    if (!processor_->load(path, input)) {
        dialogs_.messageBox(path + ": file is not in an acceptable format for Velta.\n" +
                            processor_->loadErrorText());
        loadState_ = NotLoaded;
        return false;
    }
    process();
    loadState_ = Processed;
    return true;
}

void CKarvoEdDoc::process() {
    if (!processor_ || processing_) return;
    processing_ = true;
    processor_->doQC();
    if (processor_->qcFailed()) dialogs_.messageBox(processor_->qcErrorText());
    processor_->doLevels();
    processor_->doWMO();
    processing_ = false;
}

void CKarvoEdDoc::optionsCommand() {
    if (!dialogs_.editOptions(*configuration_)) return;
    if (configuration_->modified()) {
        auto notice = dialogs_.notice("Immediate values for configuration '" + configuration_->name() +
                                      "' are being saved...");
        saveConfiguration(true);
    }
}

void CKarvoEdDoc::saveConfiguration(bool immediateOnly) {
    configuration_->save(immediateOnly);
    reportFailedConfigurationSave(dialogs_, *registry_);
}

void reportFailedConfigurationSave(VeltaDialogs& dialogs, const Registry& registry) {
    if (!registry.lastSaveFailed()) return;
    dialogs.messageBox("The configuration could not be saved.\n" + registry.lastSaveError() +
                       "\n\nThe changed options are kept; Velta writes them again at the next save.");
}

void CKarvoEdDoc::restoreDefaultsCommand() {
    configuration_->restoreDefaults();
    dialogs_.messageBox(
        "\nQC Processing options have been set to default values. You can save them when you close this "
        "sounding.");
}

void CKarvoEdDoc::close() {
    if (closed_) return;
    closed_ = true;
    if (!configuration_->modified()) return;
    const std::string name = configuration_->name();
    // The question names the sounding, so that at exit each one can be told apart.
    const std::string file = path_.substr(path_.find_last_of("/\\") == std::string::npos ? 0 : path_.find_last_of("/\\") + 1);
    const std::string sounding = file.empty() ? std::string() : " for the sounding " + file;
    if (dialogs_.query("QC processing options were changed" + sounding +
                       ". Do you want to save them as the current processing options for the '" + name +
                       "' configuration set?")) {
        auto notice = dialogs_.notice("The configuration '" + name + "' is being saved...");
        saveConfiguration(false);
    }
}

}  // namespace velta
