#pragma once

#include <string>

namespace dorvel {

class Workspace;

// The current question named `name` (model/QuestionName.h); typing on is one
// undo step. False when no question is shown.
bool NameQuestion(Workspace& workspace, const std::string& name);

}  // namespace dorvel
