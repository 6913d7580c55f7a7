#pragma once

#include "media/MediaCheck.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace dorvel {

class LangStrings;
class SoundPlayer;
class UserInterface;
class Workspace;

// The current question's picture and sound on the question page: a
// thumbnail, Picture... and Sound... to choose a file, play, and remove
// either, and a one-line description of the picture for students who cannot
// see it (open while a picture is named). Every change goes through the core
// (editor/QuestionMediaEditing.h).
class QuestionMediaBox : public QWidget {
    Q_OBJECT

public:
    QuestionMediaBox(Workspace& workspace, UserInterface& ui, const LangStrings& lang, QWidget* parent = nullptr);

    // The player the play button uses (the window's; none: the button stays off).
    void setSoundPlayer(SoundPlayer* player) { m_player = player; }
    // Shows the current question's files.
    void refresh();
    // Files dropped onto the question page.
    void takeDroppedFiles(const std::vector<std::string>& paths);
    // The picture's description: a sentence, so the page places it where it
    // has the room (under the question text, as wide).
    QLineEdit* descriptionBox() const { return m_description; }

private:
    void choose(MediaKind kind);
    void remove(MediaKind kind);
    void play();

    Workspace& m_workspace;
    UserInterface& m_ui;
    const LangStrings& m_lang;
    SoundPlayer* m_player = nullptr;
    QLabel* m_thumbnail;
    QLabel* m_soundName;
    QPushButton* m_choosePicture;
    QToolButton* m_removePicture;
    QLineEdit* m_description;
    QPushButton* m_chooseSound;
    QToolButton* m_playSound;
    QToolButton* m_removeSound;
};

}  // namespace dorvel
