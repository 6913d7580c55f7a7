// A hostile set all the way to the web test: the set file is read, its
// questions are expanded with the installed templates and the whole export
// (buttons, start page, frameset, question, feedback and sound pages) is
// written. Whatever the set says, nothing lands outside the start page and
// its test folder.
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "export/CreateWebPages.h"
#include "languages/LangStrings.h"
#include "model/OpenSet.h"
#include "model/SetFile.h"
#include "platform/UserInterface.h"
#include "shell/Installation.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"

#include <QDirIterator>
#include <QFile>
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

// A real picture beside every set (2 x 2 pixels, PNG), so that a set naming
// "pic.png" takes the whole way of a question's picture: the media checks,
// the placing in the template and its description as the page's alt text.
constexpr unsigned char kPicture[] = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
                                      0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x01, 0x03, 0x00, 0x00, 0x00, 0x48, 0x78, 0x9f,
                                      0x67, 0x00, 0x00, 0x00, 0x03, 0x50, 0x4c, 0x54, 0x45, 0x46, 0x82, 0xb4, 0x16, 0xd4, 0x41, 0xf4, 0x00, 0x00, 0x00,
                                      0x0c, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0x60, 0x60, 0x60, 0x00, 0x00, 0x00, 0x04, 0x00, 0x01, 0x27, 0x34,
                                      0x27, 0x0a, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

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
    QFile picture(root.filePath(QStringLiteral("pic.png")));
    if (!picture.open(QIODevice::WriteOnly)
        || picture.write(reinterpret_cast<const char*>(kPicture), sizeof kPicture) != sizeof kPicture)
        __builtin_trap();
    picture.close();

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
    const dorvel::WebExport request{startPage, dorvel::WebTestName(set->testDetails, set->filePath), set->testDetails, "", 1, {}, true};
    dorvel::ExportWebTest(request, lists, lang, ui);

    QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString name = it.next().mid(root.path().size() + 1);
        if (name != QStringLiteral("set.vtd") && name != QStringLiteral("pic.png") && name != QStringLiteral("Quiz.htm")
            && name != QStringLiteral("Quizres"))
            __builtin_trap();
    }
    return 0;
}
