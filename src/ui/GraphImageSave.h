// Saving a graph page as an image: the save-as dialog's settings (shared by
// the XY graph and the skew-T), the remembered directory and the image size.
#pragma once

#include <string>

#include "wmo/MessageFile.h"

namespace velta {

class CKarvoEdDoc;
class ConfigSet;

// "XY Graphics Save" with PNG first, or JPEG first when PlotFileFormat is 1.
MessageSaveDialogSettings graphSaveDialogSettings(const ConfigSet& config, const std::string& directoryOption,
                                                  const std::string& dataPath);

// "JPEG" for a .jpg or .jpeg file, otherwise "PNG".
const char* graphImageFormat(const std::string& path);

// PlotPixelsX and PlotPixelsY as integers.
int plotPixelsX(const ConfigSet& config);
int plotPixelsY(const ConfigSet& config);

// Stores the chosen file's directory in the document's option and saves the immediate options.
void rememberGraphSaveDirectory(CKarvoEdDoc& doc, const std::string& directoryOption, const std::string& path);

}  // namespace velta
