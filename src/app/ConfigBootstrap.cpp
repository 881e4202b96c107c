#include "app/ConfigBootstrap.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "document/FileLocator.h"
#include "extern/VeltaDialogs.h"

namespace velta {
namespace {

namespace fs = std::filesystem;

std::string envValue(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

bool envSet(const char* name) { return std::getenv(name) != nullptr; }

// The directory of a located file, made absolute so that it also names the
// working directory when the file was found there.
std::string absoluteDirectoryOf(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec) return directoryOf(path);
    return p.lexically_normal().parent_path().string();
}

bool bothFilesFound(std::string& xmlPath) {
    LocatedFile xml = locateFile("velta.xml");
    if (!xml.found) return false;
    if (!locateFile("velta.dtd").found) return false;
    xmlPath = xml.path;
    return true;
}

BootstrapResult failure(int exitCode = 1) { return BootstrapResult{false, exitCode, {}}; }

BootstrapResult createAndCopy(VeltaDialogs& dialogs, const std::string& target, const BootstrapInput& input) {
    std::error_code ec;
    if (!fs::exists(fs::path(target), ec)) {
        // Missing parents are made as well: a fresh account may not have its
        // configuration directory yet.
        if (!fs::create_directories(fs::path(target), ec) || ec) {
            dialogs.messageBox("Unable to create: \n" + target + "\n\n" + "Velta cannot continue\n");
            return failure();
        }
        dialogs.messageBox("The Velta configuration directory:\n" + target + "\n" + "has been created\n");
    }
    if (input.programDataDir.empty()) {
        dialogs.messageBox("The VELTAPROG environment variable is not set.\n"
                           "There is a problem with your Velta installation.\n"
                           "Velta cannot continue.\n");
        return failure();
    }
    std::string destinations[2];
    const char* names[2] = {"velta.xml", "velta.dtd"};
    for (int i = 0; i < 2; ++i) {
        std::string source = input.programDataDir + "/" + names[i];
        std::string destination = target + "/" + names[i];
        std::error_code copyError;
        fs::copy_file(source, destination, fs::copy_options::overwrite_existing, copyError);
        if (copyError) {
            dialogs.messageBox("Unable to copy from\n" + source + "\n" + "to\n" + destination + "\n" +
                               "Velta cannot continue.\n");
            return failure();
        }
        destinations[i] = destination;
    }
    dialogs.messageBox(
        "The following configuration files have been created\n"
        "from the default files in the Velta distribution:\n\n" +
        destinations[1] + "\n\n and \n\n" + destinations[0]);
    return BootstrapResult{true, 0, target};
}

}  // namespace

BootstrapResult bootstrapConfigDirectory(VeltaDialogs& dialogs, const BootstrapInput& input) {
    std::string xmlPath;
    // The directory is the one the documents will read their file from, which
    // may be the working directory.
    if (bothFilesFound(xmlPath)) return BootstrapResult{true, 0, absoluteDirectoryOf(xmlPath)};

    if (envSet("VELTACONFIG")) {
        const std::string dir = envValue("VELTACONFIG");
        const bool yes = dialogs.query(
            "Velta could not access your configuration files.\n\n"
            "The VELTACONFIG environment variable is set to \n" +
            dir + "\n\n" +
            "Shall I copy the default configuration files into this directory?\n"
            "(WARNING - this will overwrite velta.xml and velta.dtd,\n"
            "if they are already in this directory.)\n");
        if (!yes) return failure();
        return createAndCopy(dialogs, dir, input);
    }

    if (!input.userConfigDir.empty()) {
        const std::string dir = input.userConfigDir + "/Velta";
        ::setenv("VELTACONFIG", dir.c_str(), 1);
        if (bothFilesFound(xmlPath)) return BootstrapResult{true, 0, absoluteDirectoryOf(xmlPath)};
        const bool yes = dialogs.query(
            "Velta could not locate your configuration files, \n"
            "and your VELTACONFIG environment variable is not set.\n\n"
            "Normally the configuration files are stored in: \n" +
            dir + "\n" + "\n\n" +
            "Shall I create this directory and copy the default configuration files there?\n"
            "(Alternatively, you can set VELTACONFIG to a different locaton and run Velta again).");
        if (!yes) return failure();
        return createAndCopy(dialogs, dir, input);
    }

    dialogs.messageBox(
        "Velta could not locate your configuration files, \n"
        "and your VELTACONFIG environment variable is not set.\n\n"
        "The APPDATA environment variable is also missing.\n\n"
        "Velta does not know where to put your configuration files,\n"
        "and cannot continue. You need to set VELTACONFIG or\n"
        "fix APPDATA (which should be set by Windows).\n");
    return failure();
}

}  // namespace velta
