#include "ui/GraphPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velta {

GraphPage::GraphPage(Kind kind, CKarvoEdDoc& doc, VeltaDialogs& dialogs, QWidget* parent)
    : TabPage(doc, dialogs, parent), kind_(kind) {
    auto* layout = new QVBoxLayout(this);
    // TODO(graphs): the XY graph and the skew-T diagram with their print and image save.
    auto* label = new QLabel(kind == Kind::XY ? "XY graphs of the sounding will be shown here."
                                              : "The skew-T diagram of the sounding will be shown here.",
                             this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label);
}

}  // namespace velta
