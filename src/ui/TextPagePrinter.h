// Draws text pages on a printer or a print preview: heading in bold, a rule,
// the lines in a fixed-pitch font, a rule near the bottom, then the footer and
// the page number in light italics. Positions are in twips from the page's
// top left corner.
#pragma once

#include <string>
#include <vector>

#include "ui/TabPage.h"

class QPrinter;

namespace velta {

// Prints every page; the footer is the same on each page.
void printTextPages(QPrinter& printer, const std::vector<TextPage>& pages, const std::string& footer);

}  // namespace velta
