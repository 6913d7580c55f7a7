#pragma once

#include "classroom/ClassRoom.h"
#include "classroom/ClassServer.h"
#include "classroom/ClassSession.h"
#include "classroom/ClassStore.h"

#include <QDialog>
#include <QTemporaryDir>

#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace dorvel {

class LangStrings;
class UserInterface;
struct OpenSet;

// Run in class: the window of a running class. The teacher chooses where to
// serve (this computer only, or the school's network) and starts; the window
// then shows the address as text and as a QR code, the class code, a live
// table of the students and the figures of each question, and closes the
// test, exports the results as CSV, prints a class list, or ends the class
// and deletes its results.
class ClassWindow : public QDialog {
    Q_OBJECT

public:
    // `setPath` is the saved set the class runs.
    ClassWindow(QWidget* parent, std::string setPath, const LangStrings& lang, std::string language, UserInterface& ui);
    ~ClassWindow() override;

    // Starts serving on `address` ("127.0.0.1" or this machine's address
    // in the school's network); false (after telling the teacher) when it
    // cannot.
    bool startClass(const std::string& address);
    bool running() const { return m_server != nullptr; }
    classroom::ClassRoom* room() const { return m_room.get(); }
    classroom::ClassServer* server() const { return m_server.get(); }
    // Fills the tables from the class now (the timer does it every second).
    void refresh();
    // The class list as it is printed (HTML).
    QString classListHtml() const;
    bool writeCsv(const std::string& path);
    // The end of the class: everything kept of it deleted; no questions asked.
    bool endAndDelete();

private:
    QString text(int n) const;
    void exportCsv();
    void printList();
    void askEndAndDelete();

    std::string m_setPath;
    const LangStrings& m_lang;
    std::string m_language;
    UserInterface& m_ui;
    QTemporaryDir m_folder;
    classroom::PreparedClass m_prepared;
    std::unique_ptr<classroom::ClassStore> m_store;
    std::unique_ptr<classroom::ClassRoom> m_room;
    std::unique_ptr<classroom::ClassServer> m_server;

    QComboBox* m_where = nullptr;
    QPushButton* m_start = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_code = nullptr;
    QLabel* m_qr = nullptr;
    QLabel* m_kept = nullptr;
    QTableWidget* m_students = nullptr;
    QTableWidget* m_questions = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_csv = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_delete = nullptr;
    QTimer* m_timer = nullptr;
};

// The Run in class button: opens the window for the current set, which must
// be saved (the class runs the set on the disk).
void RunInClass(QWidget* parent, const OpenSet& set, const LangStrings& lang, const std::string& language,
                UserInterface& ui);

}  // namespace dorvel
