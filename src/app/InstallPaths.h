// Where the program finds its installed files and the user's configuration.
#pragma once

#include <QString>

namespace velta {

// The installation's data directory (default velta.xml, velta.dtd and Docs/):
// $VELTAPROG when set; otherwise the first of <exe>/../share/velta, the
// configured install prefix and the build tree's share/velta that holds
// velta.xml. Empty when none does.
QString programDataDir();

// Makes $VELTAPROG name the data directory for the rest of the process when it
// is not set, so that every later lookup (help documents, default files) finds
// the installed files without the variable.
void exportProgramDataDir();

// The per-user configuration directory ("Velta" goes inside it).
QString userConfigDir();

}  // namespace velta
