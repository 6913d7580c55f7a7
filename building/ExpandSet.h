#pragma once

#include <string>

namespace dorvel {

class Workspace;
class UserInterface;
class LangStrings;
struct ExportLists;

// Status texts handed on by ExpandSet (besides BuildBankLists' "0" / "mf...").
inline constexpr const char* kTemplateFileProblem = "templateFileProblem";

// Fills the templates of the current set's graphic style with its questions
// and hands the expanded question files to BuildBankLists, which fills
// `lists`. questionNumber 0 expands the whole set with its pre-test page;
// 1..100 expands that question alone. webLimit (web export) stops before
// question 30. Returns "templateFileProblem" after reporting the bad template
// to the author, otherwise BuildBankLists' status. Nothing is written to disk.
std::string ExpandSet(Workspace& workspace, UserInterface& ui, const LangStrings& lang,
                      ExportLists& lists, int questionNumber, bool webLimit);

}  // namespace dorvel
