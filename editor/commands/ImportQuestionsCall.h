#pragma once

namespace dorvel {
class LangStrings;
class UserInterface;
class Workspace;
}

namespace dorvel::exchange {

// File > Import Questions: asks for a GIFT, Aiken or Moodle XML file and
// opens what it holds as new unsaved sets (100 questions each, as many as
// there are free entries), then lists what was not imported and why.
void ImportQuestionsCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang);

// File > Export Questions: asks for the format and the file, and writes the
// current set's questions there.
void ExportQuestionsCall(Workspace& workspace, UserInterface& ui, const LangStrings& lang);

}  // namespace dorvel::exchange
