#pragma once

#include <string>

namespace dorvel {

class Workspace;
class UserInterface;
class LangStrings;
struct ExportLists;
struct BankWriteResult;

// Builds the whole current set into a bank chosen by the author and offers
// to start the player on it.
void BuildButtonClick(Workspace& workspace, UserInterface& ui, const LangStrings& lang, ExportLists& lists);

// The bank a chosen name stands for: its extension becomes ".vtb".
std::string BankPathFor(const std::string& chosenPath);

// Tells the author that a bank could not be written (key s32 with the path
// and the reason). Used by the preview and the build.
void ReportBankNotWritten(UserInterface& ui, const LangStrings& lang, const std::string& bankPath,
                          const BankWriteResult& result);

}  // namespace dorvel
