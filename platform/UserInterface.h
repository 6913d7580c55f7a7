#pragma once

#include <optional>
#include <string>
#include <vector>

// Everything the logic asks or tells the author goes through this interface.
// The editor window implements it with dialogs; tests script it; the command
// line answers without asking.
namespace dorvel {

enum class Answer {
    Yes,
    No,
    Cancel,
};

enum class Buttons {
    Ok,
    YesNo,
    YesNoCancel,
    YesCancel,
};

// How a question is presented (icon and default button).
enum class Tone {
    Information,
    Question,
    Warning,
    Confirmation,
    Error,
    // A question whose Yes throws work away: No is the default button.
    Caution,
};

// The file dialogs a language pack retitles by name (its component lines
// "SaveWebDialog Title ..."): the window finds a dialog's texts by this
// name, never by its title.
enum class NamedDialog { None,
                         OpenSet,
                         SaveSet,
                         SaveBank,
                         SaveWebTest };

struct NamedDialogTexts {
    NamedDialog dialog;
    const char* name;    // the component's name in a language pack
    const char* title;   // the title when no pack retitles it
    const char* filter;  // "Dorvel Files|*.vtd"
};

inline constexpr NamedDialogTexts kNamedDialogs[] = {
    {NamedDialog::OpenSet, "OpenDialog1", "Open Dorvel File...", "Dorvel Files|*.vtd"},
    {NamedDialog::SaveSet, "SaveDialog1", "Save Dorvel File...", "Dorvel Files|*.vtd"},
    {NamedDialog::SaveBank, "SaveBankDialog", "Save Question Bank As...", "Question Banks|*.vtb"},
    // The double blank is the title every language pack has known it by.
    {NamedDialog::SaveWebTest, "SaveWebDialog", "Save Web Test  As...", "Web Pages|*htm"},
};

struct FileDialog {
    NamedDialog named = NamedDialog::None;
    std::string title;
    std::string filter;            // "Dorvel Files|*.vtd"
    std::string folder;            // where the dialog starts
    std::string proposedName;      // file name offered
    std::string defaultExtension;  // without the dot; "" for none
    bool allowMultiple = false;
    // When given, an open dialog sets it to the index of the filter the
    // author chose (its pair in `filter`, counted from 0).
    int* chosenFilter = nullptr;
};

// A file dialog of a named kind, with its title and filter.
inline FileDialog NamedFileDialog(NamedDialog named)
{
    FileDialog dialog;
    dialog.named = named;
    for (const NamedDialogTexts& d : kNamedDialogs) {
        if (d.dialog == named) {
            dialog.title = d.title;
            dialog.filter = d.filter;
        }
    }
    return dialog;
}

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void showMessage(const std::string& text, Tone tone = Tone::Information) = 0;
    // A message with a list that may be long (what an import left out): a
    // dialog shows the list where it can be scrolled. By default one message.
    virtual void showMessageWithList(const std::string& text, const std::string& list, Tone tone)
    {
        showMessage(list.empty() ? text : text + "\n\n" + list, tone);
    }
    virtual Answer ask(const std::string& text, Buttons buttons, Tone tone) = 0;
    // Empty when the author cancels.
    virtual std::vector<std::string> chooseOpenFiles(const FileDialog& dialog) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialog& dialog) = 0;
    // One of `options` (an index), nothing when the author cancels. Without
    // anyone to ask, the first option.
    virtual std::optional<int> chooseOne(const std::string& /*question*/, const std::vector<std::string>& /*options*/)
    {
        return 0;
    }

    // Spoken messages: the key becomes the last message and may be played.
    virtual void announce(const std::string& /*key*/) {}

    // The progress window of long commands. Each change is shown at once.
    virtual void progressShow() {}
    virtual void progressHide() {}
    virtual void progressCaption(const std::string& /*text*/) {}
    virtual void progressLabel(const std::string& /*text*/) {}
    virtual void progressPosition(int /*position0to100*/) {}
    virtual void progressAdvance(int /*by*/) {}

    // The system's "open" action on a file, folder or address.
    virtual bool openWithSystem(const std::string& /*pathOrUrl*/) { return false; }
};

}  // namespace dorvel
