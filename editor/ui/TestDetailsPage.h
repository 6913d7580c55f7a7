#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dorvel {

class Workspace;

// The test details page: name, examiner, options and graphic style of the
// current set. Every change goes to the workspace at once, which ignores it
// while the page is being filled.
class TestDetailsPage : public QWidget {
    Q_OBJECT

public:
    // The option boxes: cheating, printing, reviewing, the student's name.
    static constexpr int kChecks = 4;

    TestDetailsPage(Workspace& workspace, QWidget* parent = nullptr);

    // Fills the controls from the current set (called with updating set).
    void ShowTestDetails();
    // Replaces the items of the style list without counting as an edit.
    void setStyleNames(const std::vector<std::string>& names);
    // Shows the preview picture of the style chosen in the list.
    void ShowStyleImage();
    void EnableSetControls(bool enabled);
    void showTestName(const std::string& name);

    // The preview picture of a style folder: Style.gif, else .jpg, else .bmp;
    // "" when none exists.
    static std::string StyleImageFile(const std::string& styleFolder);

signals:
    void newQuestionClicked();

private:
    void place(QWidget* w, int x, int y, int width, int height);

    Workspace& m_workspace;
    QLabel* m_testNameLabel;
    QLineEdit* m_testName;
    QLabel* m_examinerNameLabel;
    QLineEdit* m_examinerName;
    QGroupBox* m_options;
    QCheckBox* m_checks[kChecks];
    QLabel* m_styleLabel;
    QComboBox* m_graphicStyle;
    QLabel* m_styleImage;
    QLabel* m_passMarkLabel;
    QSpinBox* m_passMark;
    QPushButton* m_newQuestion;
};

}  // namespace dorvel
