// Pictures of the editor window for a person to look at: the test details
// page and a question of each family, taken with QWidget::grab() on the
// platform it runs on (run it under Xvfb for real rendering).
//
//   window_screenshots <output folder>

#include "editor/QuestionListModel.h"
#include "editor/QuestionMediaEditing.h"
#include "editor/ui/QuestionMediaBox.h"
#include "editor/Workspace.h"
#include "shell/ui/AboutBox.h"
#include "shell/ui/MainWindow.h"
#include "storage/FileUtils.h"

#include <QApplication>
#include <QScreen>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace dorvel;

namespace {

void save(QWidget& widget, const QString& folder, const char* name)
{
    QCoreApplication::processEvents();
    const QString file = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!widget.grab().save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

template <typename T>
T* find(MainWindow& w, const char* name)
{
    return w.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

int main(int argc, char* argv[])
{
    // Settings of their own: the author's stay untouched, and no first-start
    // question stands in the way.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_screenshots <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Software"),
                    QStringLiteral("BorvaneVantricDV"));
        s.setValue(QStringLiteral("registryWarningNeeded"), 0);
        s.setValue(QStringLiteral("firstLaunch"), 0);
    }

    MainWindow window;
    window.show();
    if (!window.startCall({}))
        return 1;
    window.aboutBox().endSplash();
    Workspace& w = window.workspace();

    find<QLineEdit>(window, "TestName")->setText(QStringLiteral("Rivers and mountains of Europe"));
    find<QLineEdit>(window, "ExaminerName")->setText(QStringLiteral("Mrs A. Whitfield"));
    if (auto* styles = find<QComboBox>(window, "GraphicStyle"); styles && styles->count() > 1)
        styles->setCurrentIndex(1);
    w.NewQuestion();
    w.NewQuestion();
    w.questionList().requestSelection(0, 0);
    save(window, out, "1-test-details");

    struct Shot {
        int question;
        int type;
        const char* title;
        const char* texts[4];
        const char* name;
    };
    const Shot shots[] = {
        {1, 2, "Which river flows through Vienna, Budapest and Belgrade?", {"The Rhine", "The Danube", "The Elbe", "The Loire"}, "2-multiple-choice"},
        {2, 6, "Decide for each statement whether it is true.", {"Mont Blanc is the highest mountain of the Alps.", "The Seine flows into the Mediterranean.", "Lisbon lies on the Tagus.", "The Vistula flows through Warsaw."}, "3-true-false"},
        {3, 10, "Give the missing names.", {"Longest river of France:", "Capital on the Spree:", "Height of Mont Blanc in metres:", "Sea north of Poland:"}, "4-text"},
    };
    for (const Shot& shot : shots) {
        w.questionList().requestSelection(0, shot.question);
        find<QComboBox>(window, "QuestionType")->setCurrentIndex(shot.type);
        find<QPlainTextEdit>(window, "Title")->setPlainText(QString::fromLatin1(shot.title));
        for (int k = 0; k < 4; ++k)
            find<QPlainTextEdit>(window, ("Text" + std::to_string(k + 1)).c_str())
                ->setPlainText(QString::fromLatin1(shot.texts[k]));
        if (shot.type == 2) {
            find<QRadioButton>(window, "Select1")->setChecked(true);  // the Danube
            // A map beside the question, drawn here so the picture needs no file in the repository.
            const QString map = QDir(out).filePath(QStringLiteral("danube-map.png"));
            QImage image(480, 320, QImage::Format_RGB32);
            image.fill(QColor(170, 205, 235));
            for (int x = 0; x < 480; ++x)
                for (int y = 150 + x / 8; y < 160 + x / 8; ++y)
                    image.setPixel(x, y, qRgb(30, 80, 170));
            image.save(map);
            TakeQuestionMedia(w, window.ui(), window.lang(), MediaKind::Picture, map.toStdString());
            DescribeQuestionPicture(w, "Map: a blue river crossing the country from west to east");
            window.findChild<QuestionMediaBox*>()->refresh();
        }
        if (shot.type == 10) {
            const char* answers[] = {"Loire", "la Loire", "Berlin", "4808", "4809", "Baltic", "Baltic Sea"};
            const char* boxes[] = {"a10", "a11", "a20", "a30", "a31", "a40", "a41"};
            for (int i = 0; i < 7; ++i)
                find<QLineEdit>(window, boxes[i])->setText(QString::fromLatin1(answers[i]));
        }
        save(window, out, shot.name);
    }
    find<QComboBox>(window, "QuestionType")->setCurrentIndex(7);
    save(window, out, "5-text-one-field");

    // The maximised window, with a misspelt word underlined in the question.
    window.showMaximized();
    // A bare X server has no window manager to maximise: fill the screen by hand.
    window.setGeometry(window.screen()->availableGeometry());
    QApplication::processEvents();
    w.questionList().requestSelection(0, 1);
    find<QPlainTextEdit>(window, "Title")
        ->setPlainText(QStringLiteral("Which river flows thruogh Vienna, Budapest and Belgrade?"));
    QApplication::processEvents();
    save(window, out, "7-maximised");
    save(*find<QPlainTextEdit>(window, "Title"), out, "8-misspelt-word");
    window.showNormal();

    window.aboutBox().show();
    save(window.aboutBox(), out, "6-about");
    window.aboutBox().hide();
    return 0;
}
