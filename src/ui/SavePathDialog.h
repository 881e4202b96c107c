// The save-as dialog of the message and image savers: title, filters, start
// directory, default name and extension from the core's dialog settings.
#pragma once

#include <optional>
#include <string>

#include "wmo/MessageFile.h"

class QWidget;

namespace velta {

// The chosen path, or nothing when the dialog was cancelled. A filter text
// without its pattern in parentheses gets it appended.
std::optional<std::string> askSavePath(QWidget* parent, const MessageSaveDialogSettings& settings);

}  // namespace velta
