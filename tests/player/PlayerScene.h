#pragma once

#include "bank/ExportLists.h"
#include "editor/Workspace.h"
#include "languages/LangStrings.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/building/ScopedEnvironment.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <string>

namespace dorvel::test {

// An editor's world for the player's tests: a fixture installation with a
// stand-in player file, a saved set of three choice questions, and a
// temporary folder and desktop of its own.
struct PlayerScene {
    PlayerScene();

    OpenSet& set() { return *workspace.current(); }
    // The preview of question n, as the editor's Preview writes it (bank and
    // start file). Returns the bank's path.
    std::string preview(int n);
    // The whole set built into a bank at `bankPath` by the building code.
    void build(const std::string& bankPath);

    std::string tmp() const { return dir.path("tmp"); }
    std::string previewFolder() const { return dir.path("run/dorvel-preview"); }

    TempFolder dir;
    ScopedEnvironment env;
    FixtureInstallation install;
    ScriptedUserInterface ui;
    LangStrings lang;
    Workspace workspace;
    ExportLists lists;
};

std::string Bytes(const std::string& path);

// Every file under `folder`, as paths relative to it, sorted.
std::vector<std::string> FilesUnder(const std::string& folder);

// A bank from parts: the header text H and the data section, with a length
// field that says `length` (the true length when negative).
std::string BankBytes(const std::string& header, const std::string& data, long long length = -1);

}  // namespace dorvel::test
