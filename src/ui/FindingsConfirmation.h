// Before the message of a drop with findings of the drop diagnosis is sent or
// e-mailed, the operator confirms, seeing the findings.
#pragma once

namespace velta {

class CKarvoEdDoc;
class VeltaDialogs;

// True when the drop has no findings or the operator answers yes; action is
// "Send" or "E-mail".
bool confirmDespiteFindings(const CKarvoEdDoc& doc, VeltaDialogs& dialogs, const char* action);

}  // namespace velta
