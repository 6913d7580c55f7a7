// The class's server as the students' browsers and the teacher reach it:
// real HTTP on the loopback interface, a real store.
#include "classroom/ClassRoom.h"
#include "classroom/ClassServer.h"
#include "classroom/ClassStore.h"
#include "tests/support/LoopbackClient.h"
#include "tests/support/TempFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace dorvel::classroom;
using dorvel::test::HttpReply;
using dorvel::test::LoopbackConnection;
using dorvel::test::ParseReply;

std::vector<ClassQuestion> Questions()
{
    ClassQuestion choice{4, {}};
    choice.question.kind = dorvel::QuestionKind::Choice;
    choice.question.choices = {dorvel::Choice{"Danube", 0, ""}, dorvel::Choice{"Rhine", 1, ""}, dorvel::Choice{"Loire", 0, ""}};
    ClassQuestion trueFalse{5, {}};
    trueFalse.question.kind = dorvel::QuestionKind::TrueFalse;
    trueFalse.question.statements = {dorvel::Statement{"Paris is on the Seine", true, "", ""},
                                     dorvel::Statement{"Rome is on the Rhine", false, "", ""}};
    ClassQuestion typed{7, {}};
    typed.question.kind = dorvel::QuestionKind::Typed;
    typed.question.fields = {dorvel::AnswerField{"River", dorvel::FieldKind::AnyText, {dorvel::Accepted{"Rhine", ""}}, ""}};
    return {choice, trueFalse, typed};
}

QJsonObject Object(const std::string& json)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

class ClassServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("test/index.htm", "<html><head><title>t</title></head><body>test</body></html>");
        folder.write("test/indexres/q1.htm", "question one");
        folder.write("test/.hidden", "hidden");
        folder.write("secret.txt", "not for students");
        openClass();
    }
    void openClass()
    {
        std::string error;
        store = ClassStore::open(folder.path("classes.sqlite"), error);
        ASSERT_TRUE(store) << error;
        room = std::make_unique<ClassRoom>(*store, Questions());
        ASSERT_TRUE(room->begin("/sets/rivers.vtd", "Rivers", error)) << error;
        server = std::make_unique<ClassServer>(*room, folder.path("test"), "index.htm");
        ASSERT_TRUE(server->start("127.0.0.1", port, error)) << error;
        port = server->port();
    }
    void restart()
    {
        server.reset();
        room.reset();
        store.reset();
        openClass();
    }
    HttpReply send(const std::string& method, const std::string& target, const std::string& body = {},
                   const std::string& extra = "Content-Type: application/json\r\n", const std::string& host = {},
                   const char* from = nullptr)
    {
        LoopbackConnection connection(port, 0, from);
        EXPECT_TRUE(connection.connected());
        std::string request = method + " " + target + " HTTP/1.1\r\nHost: "
            + (host.empty() ? "127.0.0.1:" + std::to_string(port) : host) + "\r\nConnection: close\r\n" + extra;
        if (method == "POST")
            request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        request += "\r\n";
        connection.send(request);
        // A body past the limit is refused from its length alone; the
        // reply comes before the server reads any of it.
        if (body.size() <= ClassServerLimits{}.bodyBytes)
            connection.send(body);
        return ParseReply(connection.receiveAll(10000));
    }
    HttpReply post(const std::string& path, const std::string& body) { return send("POST", path, body); }
    struct Joined {
        int id = 0;
        std::string secret;
        std::string auth() const
        {
            return "\"student\":" + std::to_string(id) + ",\"secret\":\"" + secret + "\"";
        }
    };
    Joined join(const std::string& name)
    {
        const HttpReply reply = post("/api/join", "{\"name\":\"" + name + "\",\"code\":\"" + room->record().code + "\"}");
        EXPECT_EQ(reply.status, 200) << reply.body;
        const QJsonObject object = Object(reply.body);
        return {object.value(QStringLiteral("student")).toInt(), object.value(QStringLiteral("secret")).toString().toStdString()};
    }
    StoredClass kept()
    {
        StoredClass stored;
        EXPECT_TRUE(store->load(room->record().id, stored));
        return stored;
    }

    dorvel::test::TempFolder folder;
    std::unique_ptr<ClassStore> store;
    std::unique_ptr<ClassRoom> room;
    std::unique_ptr<ClassServer> server;
    std::uint16_t port = 0;
};

TEST_F(ClassServerTest, AStudentJoinsAnswersGoesOnAfterARestartAndTheTeacherSeesTheMarks)
{
    const Joined ann = join("Ann");
    const Joined bob = join("  Bob   Baker ");
    EXPECT_EQ(post("/api/progress", "{" + ann.auth() + ",\"order\":[7,4,5],\"position\":1}").status, 200);
    EXPECT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[2]}}").status, 200);
    // Given again: the later answer counts.
    EXPECT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[1]}}").status, 200);
    EXPECT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":5,\"response\":{\"statements\":[1,1]}}").status, 200);
    EXPECT_EQ(post("/api/answer", "{" + bob.auth() + ",\"question\":7,\"response\":{\"typed\":[\" rhine \"]}}").status, 200);
    EXPECT_EQ(post("/api/answer", "{" + bob.auth() + ",\"question\":4,\"response\":{\"chosen\":[2]}}").status, 200);

    restart();  // the teacher's machine restarted: same store, same port

    const HttpReply state = post("/api/state", "{" + ann.auth() + "}");
    ASSERT_EQ(state.status, 200) << state.body;
    const QJsonObject kept = Object(state.body);
    EXPECT_EQ(kept.value(QStringLiteral("position")).toInt(), 1);
    EXPECT_EQ(kept.value(QStringLiteral("order")).toArray(), (QJsonArray{7, 4, 5}));
    EXPECT_EQ(kept.value(QStringLiteral("responses")).toObject().value(QStringLiteral("4")).toObject().value(QStringLiteral("chosen")).toArray(),
              QJsonArray{1});
    // A student's own state names nobody else.
    EXPECT_EQ(state.body.find("Bob"), std::string::npos);

    EXPECT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":7,\"response\":{\"typed\":[\"Rhone\"]}}").status, 200);
    EXPECT_EQ(post("/api/finish", "{" + ann.auth() + "}").status, 200);
    const HttpReply late = post("/api/answer", "{" + ann.auth() + ",\"question\":7,\"response\":{\"typed\":[\"Rhine\"]}}");
    EXPECT_EQ(late.status, 409);

    const HttpReply teacher = send("GET", "/api/teacher", {}, {});
    ASSERT_EQ(teacher.status, 200);
    const QJsonArray students = Object(teacher.body).value(QStringLiteral("students")).toArray();
    ASSERT_EQ(students.size(), 2);
    const QJsonObject first = students[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("name")).toString(), QStringLiteral("Ann"));
    EXPECT_TRUE(first.value(QStringLiteral("finished")).toBool());
    // Choice right (1), one statement of two (1), the typed field wrong (0).
    EXPECT_EQ(first.value(QStringLiteral("score")).toDouble(), 2);
    EXPECT_EQ(first.value(QStringLiteral("max")).toDouble(), 4);
    EXPECT_EQ(students[1].toObject().value(QStringLiteral("name")).toString(), QStringLiteral("Bob Baker"));
    EXPECT_EQ(students[1].toObject().value(QStringLiteral("score")).toDouble(), 1);
    const QJsonObject choice = Object(teacher.body).value(QStringLiteral("questions")).toArray()[0].toObject();
    EXPECT_EQ(choice.value(QStringLiteral("answered")).toInt(), 2);
    EXPECT_EQ(choice.value(QStringLiteral("right")).toInt(), 1);
    EXPECT_EQ(choice.value(QStringLiteral("wrong")).toArray()[0].toObject().value(QStringLiteral("answer")).toString(),
              QStringLiteral("C"));

    EXPECT_EQ(room->csv(), "Name,Finished,Score,Max,Q4,Q5,Q7\r\nAnn,yes,2,4,1,1,0\r\nBob Baker,no,1,4,0,,1\r\n");
}

TEST_F(ClassServerTest, RefusesHostileRequestsWithClearErrorsAndStoresNothingOfThem)
{
    const Joined ann = join("Ann");
    const Joined bob = join("Bob");
    ASSERT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[1]}}").status, 200);
    const std::string code = room->record().code;
    const std::string megabyteName = "{\"name\":\"" + std::string(1 << 20, 'x') + "\",\"code\":\"" + code + "\"}";
    struct Case {
        const char* what;
        HttpReply reply;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {"a name of 1 MB", post("/api/join", megabyteName), 413, "too large"},
        {"a name of 61 characters", post("/api/join", "{\"name\":\"" + std::string(61, 'n') + "\",\"code\":\"" + code + "\"}"), 400, "too long"},
        {"an empty name", post("/api/join", "{\"name\":\"  \",\"code\":\"" + code + "\"}"), 400, "name"},
        {"a wrong class code", post("/api/join", "{\"name\":\"Eve\",\"code\":\"WRONG1\"}"), 403, "Wrong class code"},
        {"a question that does not exist", post("/api/answer", "{" + ann.auth() + ",\"question\":99,\"response\":{}}"), 404, "no such question"},
        {"a choice the question has not", post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[3]}}"), 400, "does not fit"},
        {"another student's id", post("/api/answer", "{\"student\":" + std::to_string(bob.id) + ",\"secret\":\"" + ann.secret + "\",\"question\":4,\"response\":{\"chosen\":[0]}}"), 403, "not joined"},
        {"a student that does not exist", post("/api/answer", "{\"student\":3,\"secret\":\"" + ann.secret + "\",\"question\":4,\"response\":{\"chosen\":[0]}}"), 403, "not joined"},
        {"a wrong secret", post("/api/answer", "{\"student\":1,\"secret\":\"guess\",\"question\":4,\"response\":{\"chosen\":[0]}}"), 403, "not joined"},
        {"another student's state", post("/api/state", "{\"student\":" + std::to_string(bob.id) + ",\"secret\":\"" + ann.secret + "\"}"), 403, "not joined"},
        {"not JSON", post("/api/join", "name=Eve"), 400, "not a JSON object"},
        {"a form post", send("POST", "/api/join", "{}", "Content-Type: text/plain\r\n"), 415, "JSON"},
        {"another Host", send("GET", "/", {}, {}, "evil.example:" + std::to_string(port)), 421, "address"},
        {"another Host on a post", send("POST", "/api/join", "{\"name\":\"Eve\",\"code\":\"" + code + "\"}", "Content-Type: application/json\r\n", "evil.example"), 421, "address"},
        {"a way up", send("GET", "/test/../secret.txt", {}, {}), 404, "Not found"},
        {"a way up, encoded", send("GET", "/test/%2e%2e/secret.txt", {}, {}), 404, "Not found"},
        {"a hidden file", send("GET", "/test/.hidden", {}, {}), 404, "Not found"},
        {"another method", send("DELETE", "/api/teacher", {}, {}), 405, "Only"},
        {"the teacher's view from another machine", send("GET", "/api/teacher", {}, {}, {}, "127.0.0.2"), 403, "teacher"},
        {"closing from another machine", send("POST", "/api/close", "{}", "Content-Type: application/json\r\n", {}, "127.0.0.2"), 403, "teacher"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.reply.status, c.status) << c.what << ": " << c.reply.body.substr(0, 200);
        EXPECT_NE(QString::fromStdString(c.reply.body).indexOf(QLatin1String(c.says), 0, Qt::CaseInsensitive), -1)
            << c.what << ": " << c.reply.body.substr(0, 200);
    }
    // The teacher's token opens the view from another machine.
    const std::string token = room->record().teacherToken;
    EXPECT_EQ(send("GET", "/api/teacher?token=" + token, {}, {}, {}, "127.0.0.2").status, 200);
    EXPECT_EQ(send("GET", "/api/teacher", {}, "Authorization: Bearer " + token + "\r\n", {}, "127.0.0.2").status, 200);
    EXPECT_EQ(send("GET", "/api/teacher?token=" + token + "x", {}, {}, {}, "127.0.0.2").status, 403);
    // What is served: the join page, the script, the test's files.
    EXPECT_EQ(send("GET", "/test/indexres/q1.htm", {}, {}).body, "question one");
    EXPECT_NE(send("GET", "/test/index.htm", {}, {}).body.find("<title>t</title><script src=\"/class.js\"></script></head>"), std::string::npos);
    EXPECT_NE(send("GET", "/", {}, {}).body.find("/test/index.htm"), std::string::npos);
    EXPECT_NE(send("GET", "/class.js", {}, {}).body.find("DorvelAdapters"), std::string::npos);

    // Closed by the teacher: no joins, no answers.
    EXPECT_EQ(send("POST", "/api/close", "{}").status, 200);
    const HttpReply afterJoin = post("/api/join", "{\"name\":\"Late\",\"code\":\"" + code + "\"}");
    const HttpReply afterAnswer = post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[0]}}");
    EXPECT_EQ(afterJoin.status, 403);
    EXPECT_EQ(afterAnswer.status, 403);
    EXPECT_NE(afterAnswer.body.find("closed"), std::string::npos);

    const StoredClass stored = kept();
    ASSERT_EQ(stored.students.size(), 2u);
    EXPECT_EQ(stored.students[0].name, "Ann");
    EXPECT_EQ(stored.students[1].name, "Bob");
    ASSERT_EQ(stored.answers.size(), 1u);
    EXPECT_EQ(stored.answers[0].response, R"({"chosen":[1],"statements":[],"typed":[]})");
}

TEST_F(ClassServerTest, LimitsTheRateOfOneStudentAndOfOneDevicesJoins)
{
    const Joined ann = join("Ann");
    int refused = 0;
    for (int i = 0; i < static_cast<int>(ClassRoom::kStudentBurst) + 10; ++i) {
        const HttpReply reply = post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[1]}}");
        refused += reply.status == 429;
    }
    EXPECT_GE(refused, 5);
    int joinsRefused = 0;
    for (int i = 0; i < 45; ++i)
        joinsRefused += post("/api/join", "{\"name\":\"S" + std::to_string(i) + "\",\"code\":\"" + room->record().code + "\"}").status == 429;
    EXPECT_GE(joinsRefused, 3);
}

TEST_F(ClassServerTest, DeletingTheClassRemovesItsResultsAndEndsTheStudentsPages)
{
    const Joined ann = join("Ann");
    ASSERT_EQ(post("/api/answer", "{" + ann.auth() + ",\"question\":4,\"response\":{\"chosen\":[1]}}").status, 200);
    const std::string id = room->record().id;
    ASSERT_EQ(send("POST", "/api/delete", "{}").status, 200);
    EXPECT_EQ(post("/api/state", "{" + ann.auth() + "}").status, 410);
    StoredClass stored;
    EXPECT_FALSE(store->load(id, stored));
    EXPECT_TRUE(store->openClassesOf("/sets/rivers.vtd").empty());
}

}  // namespace
