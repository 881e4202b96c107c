// The XY Graph and Skew-T pages. The charts are drawn by the graph tools;
// until they are in place the page names what it will show.
#pragma once

#include "ui/TabPage.h"

namespace velta {

class GraphPage : public TabPage {
    Q_OBJECT
public:
    enum class Kind { XY, SkewT };
    GraphPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent = nullptr);
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace velta
