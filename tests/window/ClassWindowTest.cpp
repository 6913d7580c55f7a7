// Run in Class from the editor: the button beside Create Web Pages opens the
// class window, which serves the saved set, shows address, QR code and class
// code, fills its tables as students answer, exports CSV, prints a class
// list, and ends the class with its results deleted.
#include "classroom/ui/ClassWindow.h"
#include "editor/Workspace.h"
#include "storage/FileUtils.h"
#include "tests/support/LoopbackClient.h"
#include "tests/window/WindowFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace dorvel::test {
namespace {

class ClassWindowTest : public WindowTest {};

HttpReply Post(std::uint16_t port, const std::string& path, const std::string& body)
{
    LoopbackConnection connection(port);
    connection.send("POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port)
                    + "\r\nConnection: close\r\nContent-Type: application/json\r\nContent-Length: "
                    + std::to_string(body.size()) + "\r\n\r\n" + body);
    return ParseReply(connection.receiveAll(10000));
}

TEST_F(ClassWindowTest, AskForASavedSetThenRunsTheClassAndEndsIt)
{
    startWindow();
    // A new set is not on the disk yet: the teacher is asked to save it.
    workspace().NewSet();
    control<QPushButton>("RunInClassButton")->click();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().find("save the set first"), std::string::npos) << ui.messages.back();
    EXPECT_EQ(window->findChild<ClassWindow*>(), nullptr);

    const std::string set = dir.path("Rivers.vtd");
    ASSERT_TRUE(QFile::copy(QStringLiteral(DORVEL_BUILD_INSTALL_DIR "/Samples/General Knowledge.vtd"), toQString(set)));
    ASSERT_TRUE(workspace().OpenSetFile(set));
    control<QPushButton>("RunInClassButton")->click();
    auto* classWindow = window->findChild<ClassWindow*>();
    ASSERT_NE(classWindow, nullptr);
    ASSERT_TRUE(classWindow->startClass("127.0.0.1"));
    const std::uint16_t port = classWindow->server()->port();
    EXPECT_EQ(classWindow->findChild<QLabel*>(QStringLiteral("Address"))->text().toStdString(),
              "http://127.0.0.1:" + std::to_string(port) + "/");
    const QString code = classWindow->findChild<QLabel*>(QStringLiteral("ClassCode"))->text();
    EXPECT_EQ(code.size(), 6);
    EXPECT_FALSE(classWindow->findChild<QLabel*>(QStringLiteral("AddressCode"))->pixmap().isNull());

    const HttpReply joined = Post(port, "/api/join", "{\"name\":\"Ann <b>\",\"code\":\"" + code.toStdString() + "\"}");
    ASSERT_EQ(joined.status, 200) << joined.body;
    const QJsonObject who = QJsonDocument::fromJson(QByteArray::fromStdString(joined.body)).object();
    const std::string auth = "\"student\":1,\"secret\":\"" + who.value(QStringLiteral("secret")).toString().toStdString() + "\"";
    // Question 1 of the sample: Mars (the second choice) is the Red Planet.
    ASSERT_EQ(Post(port, "/api/answer", "{" + auth + ",\"question\":1,\"response\":{\"chosen\":[1]}}").status, 200);
    ASSERT_EQ(Post(port, "/api/finish", "{" + auth + "}").status, 200);

    classWindow->refresh();
    auto* students = classWindow->findChild<QTableWidget*>(QStringLiteral("Students"));
    ASSERT_EQ(students->rowCount(), 1);
    EXPECT_EQ(students->item(0, 0)->text(), QStringLiteral("Ann <b>"));
    EXPECT_EQ(students->item(0, 1)->text(), QStringLiteral("1 / 11"));
    EXPECT_TRUE(students->item(0, 3)->text().startsWith(QStringLiteral("1 / "))) << students->item(0, 3)->text().toStdString();
    auto* questions = classWindow->findChild<QTableWidget*>(QStringLiteral("Questions"));
    ASSERT_EQ(questions->rowCount(), 11);
    EXPECT_EQ(questions->item(0, 2)->text(), QStringLiteral("100 %"));

    ASSERT_TRUE(classWindow->writeCsv(dir.path("results.csv")));
    QFile csv(toQString(dir.path("results.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("Name,Finished,Score,Max,Q1,Q2,"));
    // The class list escapes what the students typed.
    EXPECT_TRUE(classWindow->classListHtml().contains(QStringLiteral("Ann &lt;b&gt;")));

    ASSERT_TRUE(classWindow->endAndDelete());
    EXPECT_EQ(students->rowCount(), 0);
    std::string error;
    auto store = classroom::ClassStore::open(dir.path("Rivers.classes.sqlite"), error);
    ASSERT_TRUE(store) << error;
    EXPECT_TRUE(store->openClassesOf(fromQString(QFileInfo(toQString(set)).canonicalFilePath())).empty());
    // The server is gone with the class.
    EXPECT_FALSE(LoopbackConnection(port).connected());
}

}  // namespace
}  // namespace dorvel::test
