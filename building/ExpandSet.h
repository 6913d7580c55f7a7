#pragma once

#include <string>

namespace dorvel {

struct OpenSet;
class UserInterface;
class LangStrings;
struct ExportLists;

// Status texts handed on by ExpandSet (besides BuildBankLists' "0" / "mf...").
inline constexpr const char* kTemplateFileProblem = "templateFileProblem";

// Fills the templates of the set's graphic style with its questions
// and hands the expanded question files to BuildBankLists, which fills
// `lists`. questionNumber 0 expands the whole set with its pre-test page;
// 1..100 expands that question alone (the web test and the bank alike hold
// every enabled question). Returns "templateFileProblem" after reporting the bad template
// to the author, otherwise BuildBankLists' status. Nothing is written to disk.
std::string ExpandSet(const OpenSet& set, UserInterface& ui, const LangStrings& lang, ExportLists& lists,
                      int questionNumber);

// The graphic style an export of these test details uses: the set's own when
// it is installed, otherwise the first installed one; empty when no style is
// installed.
std::string StyleUsedFor(const std::string& testDetails);

// The folder of StyleUsedFor inside the templates folder. Ends with a
// separator.
std::string TemplateFolderFor(const std::string& testDetails);

}  // namespace dorvel
