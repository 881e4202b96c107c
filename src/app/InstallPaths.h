// Where the program finds its installed files and the user's configuration.
#pragma once

#include <QString>

namespace velta {

// The installation's data directory (default velta.xml, velta.dtd and Docs/),
// found relative to the program (programDataDirectory). Empty when there is none.
QString programDataDir();

// Makes $VELTAPROG name the data directory for the rest of the process when it
// is not set, so that every later lookup (help documents, default files) finds
// the installed files without the variable.
void exportProgramDataDir();

// The per-user configuration directory ("Velta" goes inside it).
QString userConfigDir();

}  // namespace velta
