#include "ui/FindingsConfirmation.h"

#include "document/KarvoEdDoc.h"
#include "extern/VeltaDialogs.h"

namespace velta {

bool confirmDespiteFindings(const CKarvoEdDoc& doc, VeltaDialogs& dialogs, const char* action) {
    const SoundingProcessor* processor = doc.processor();
    if (!processor) return true;
    const std::string question = findingsQuestion(processor->findings(), action);
    return question.empty() || dialogs.query(question);
}

}  // namespace velta
