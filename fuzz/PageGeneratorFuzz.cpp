// A hostile set all the way to the web test: the set file is read, its
// questions are expanded with the installed templates and the whole export
// (buttons, start page, frameset, question, feedback and sound pages) is
// written. Whatever the set says, nothing lands outside the start page and
// its test folder.
#include "building/ExpandSet.h"
#include "editor/OpenSet.h"
#include "editor/SetFile.h"
#include "editor/UserInterface.h"
#include "export/CreateWebPages.h"
#include "export/ExportLists.h"
#include "shell/Installation.h"
#include "shell/LangStrings.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDirIterator>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

class SilentUserInterface : public dorvel::UserInterface {
public:
    void showMessage(const std::string&, dorvel::Tone) override {}
    dorvel::Answer ask(const std::string&, dorvel::Buttons, dorvel::Tone) override { return dorvel::Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const dorvel::FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const dorvel::FileDialog&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The fuzz build's own installation folder: templates and buttons.
    dorvel::SetInstallationFolder(DORVEL_FUZZ_INSTALLATION);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    QTemporaryDir root;
    if (!root.isValid())
        __builtin_trap();
    const std::string setPath = dorvel::fromQString(root.filePath(QStringLiteral("set.vtd")));
    if (!dorvel::WriteStoredFile(setPath, text))
        __builtin_trap();

    auto set = std::make_unique<dorvel::OpenSet>();
    if (dorvel::ReadSetFile(setPath, *set) != dorvel::SetFileStatus::Ok)
        return 0;
    set->filePath = setPath;

    static const dorvel::LangStrings lang;
    SilentUserInterface ui;
    dorvel::ExportLists& lists = dorvel::TheExportLists();
    if (dorvel::ExpandSet(*set, ui, lang, lists, 0) == dorvel::kTemplateFileProblem)
        return 0;
    const std::string startPage = dorvel::fromQString(root.filePath(QStringLiteral("Quiz.htm")));
    // A scratch export: forcing every page onto the disk would slow each input.
    const dorvel::WebExport request{startPage, dorvel::WebTestName(set->testDetails, set->filePath), set->testDetails,
        "", 1, {}, true};
    dorvel::ExportWebTest(request, lists, lang, ui);

    QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString name = it.next().mid(root.path().size() + 1);
        if (name != QStringLiteral("set.vtd") && name != QStringLiteral("Quiz.htm") && name != QStringLiteral("Quizres"))
            __builtin_trap();
    }
    return 0;
}
