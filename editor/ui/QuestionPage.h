#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QDragEnterEvent;
class QDropEvent;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;

namespace dorvel {

class LangStrings;
class QuestionMediaBox;
class RadioGroup;
class UserInterface;
class Workspace;

// The question page: type, question text, the four answer groups and the
// option pages of the three families. Controls are named after the record
// fields they edit; every change goes to the workspace at once.
class QuestionPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kGroups = 4;
    static constexpr int kAnswersPerField = 5;

    QuestionPage(Workspace& workspace, UserInterface& ui, const LangStrings& lang, QWidget* parent = nullptr);

    QuestionMediaBox& media() { return *m_media; }

    // Fills the controls from question n of the current set (updating set).
    void ShowQuestion(int n);
    // Option page, labels and visible answer groups for the chosen type.
    void LayoutForType();
    void EnableSetControls(bool enabled);

signals:
    void newQuestionClicked();
    void deleteQuestionClicked();
    void previewQuestionClicked();

protected:
    // A picture or sound file dropped anywhere on the page, its text boxes
    // included (they would otherwise take the file's name as text).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Larger than its first size, the page gives the question text the extra
    // height and shares the extra width between the answer texts and options.
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildOptionPages();
    // Marks the answers of field k that are not numbers when it takes numbers.
    void markNumberAnswers(int k);
    // A field of the question shown, as stored ("" when none is shown).
    std::string currentField(const std::string& field) const;
    QLabel* label(const char* name, const QString& text, int x, int y, int width, int height);

    Workspace& m_workspace;
    const LangStrings& m_lang;
    QLabel* m_typeLabel;
    QComboBox* m_type;
    QCheckBox* m_disabled;
    QLineEdit* m_name;
    QLabel* m_titleLabel;
    QPlainTextEdit* m_title;
    std::array<QLabel*, kGroups> m_textLabels{};
    std::array<QPlainTextEdit*, kGroups> m_texts{};
    QStackedWidget* m_optionPages = nullptr;
    QButtonGroup* m_selectGroup = nullptr;
    std::array<QRadioButton*, kGroups> m_select{};
    std::array<RadioGroup*, kGroups> m_tf{};
    std::array<RadioGroup*, kGroups> m_tType{};
    std::array<QScrollArea*, kGroups> m_scrollTexts{};
    std::array<std::array<QLineEdit*, kAnswersPerField>, kGroups> m_answers{};
    QLabel* m_answerLabel = nullptr;
    QPushButton* m_delete;
    QPushButton* m_preview;
    QPushButton* m_newQuestion;
    QuestionMediaBox* m_media;
    QLineEdit* m_description;
};

}  // namespace dorvel
