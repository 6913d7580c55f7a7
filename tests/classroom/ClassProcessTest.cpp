// `dorvel-cli class` as its own process with a whole class of simulated
// students: 60 that answer every question of the sample at a class's pace
// (compressed), the server killed in the middle and started again, then a
// burst of 600 answers at once. Every answer the server confirmed must be
// in the store, each student goes on where it stopped, and the teacher's
// side marks every student. Response times and the peak resident size are
// printed as figures (lines beginning "[ figures  ]"), never asserted.
#include "classroom/ClassMarking.h"
#include "classroom/ClassStore.h"
#include "model/OpenSet.h"
#include "model/Question.h"
#include "model/SetFile.h"
#include "storage/FileUtils.h"
#include "tests/support/LoopbackClient.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace dorvel {
namespace {

using namespace std::chrono_literals;
using classroom::ClassQuestion;
using Clock = std::chrono::steady_clock;

const std::string kSample = std::string(DORVEL_BUILD_INSTALL_DIR) + "/Samples/General Knowledge.vtd";

// The running command and what it printed first.
class ClassProcess {
public:
    ClassProcess(const std::string& set, const std::string& store)
    {
        m_process.start(QStringLiteral(DORVEL_CLI), {QStringLiteral("class"), toQString(set), QStringLiteral("--db"), toQString(store), QStringLiteral("--no-qr")});
        // The address and the class code come first.
        while (code.empty() && m_process.waitForReadyRead(60000)) {
            while (m_process.canReadLine()) {
                const std::string line = m_process.readLine().trimmed().toStdString();
                if (line.rfind("Students open: http://127.0.0.1:", 0) == 0)
                    port = static_cast<std::uint16_t>(std::stoi(line.substr(32)));
                if (line.rfind("Class code: ", 0) == 0)
                    code = line.substr(12);
            }
        }
    }
    ~ClassProcess() { kill(); }
    void kill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();  // SIGKILL: nothing is tidied up
            m_process.waitForFinished(30000);
        }
    }
    long peakKilobytes() const
    {
        std::ifstream status("/proc/" + std::to_string(m_process.processId()) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0)
                return std::atol(line.c_str() + 6);
        }
        return -1;
    }
    std::uint16_t port = 0;
    std::string code;

private:
    QProcess m_process;
};

// A browser's kept-alive connection, as far as posting JSON goes. A lost
// connection is opened again; 0 is returned when no answer came.
class Client {
public:
    Client(std::atomic<std::uint16_t>& port, std::string from)
        : m_port(port)
        , m_from(std::move(from))
    {
    }
    int post(const std::string& path, const std::string& body, std::string* reply = nullptr)
    {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!m_connection || !m_connection->connected())
                m_connection = std::make_unique<test::LoopbackConnection>(m_port.load(), 0, m_from.c_str());
            const std::string request = "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(m_port.load())
                + "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
            if (m_connection->connected() && m_connection->send(request)) {
                std::string raw;
                std::size_t headEnd = std::string::npos, length = 0;
                while (true) {
                    const std::string piece = m_connection->receive(65536, 10000);
                    if (piece.empty())
                        break;
                    raw += piece;
                    if (headEnd == std::string::npos && (headEnd = raw.find("\r\n\r\n")) != std::string::npos) {
                        const std::size_t at = raw.find("Content-Length: ");
                        length = at < headEnd ? std::stoul(raw.substr(at + 16)) : 0;
                    }
                    if (headEnd != std::string::npos && raw.size() >= headEnd + 4 + length)
                        break;
                }
                if (headEnd != std::string::npos && raw.size() >= headEnd + 4 + length) {
                    if (reply)
                        *reply = raw.substr(headEnd + 4, length);
                    return std::stoi(raw.substr(9, 3));
                }
            }
            m_connection.reset();
        }
        return 0;
    }

private:
    std::atomic<std::uint16_t>& m_port;
    std::string m_from;
    std::unique_ptr<test::LoopbackConnection> m_connection;
};

// What a right (or a wrong) answer to each question is, from the set.
std::string AnswerTo(const ClassQuestion& q, bool right)
{
    QJsonObject response;
    switch (q.question.kind) {
    case QuestionKind::Choice: {
        const auto found = std::find_if(q.question.choices.begin(), q.question.choices.end(),
                                        [](const Choice& c) { return c.weight > 0; });
        const int index = static_cast<int>(found - q.question.choices.begin());
        response.insert(QStringLiteral("chosen"),
                        QJsonArray{right ? index : (index + 1) % static_cast<int>(q.question.choices.size())});
        break;
    }
    case QuestionKind::TrueFalse: {
        QJsonArray statements;
        for (const auto& s : q.question.statements)
            statements.append((s.isTrue == right) ? 1 : 0);
        response.insert(QStringLiteral("statements"), statements);
        break;
    }
    case QuestionKind::Typed: {
        QJsonArray typed;
        for (const auto& f : q.question.fields)
            typed.append(right ? QString::fromStdString(f.accepted.at(0).text) : QStringLiteral("zzz"));
        response.insert(QStringLiteral("typed"), typed);
        break;
    }
    }
    return QJsonDocument(response).toJson(QJsonDocument::Compact).toStdString();
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(share * static_cast<double>(values.size())))];
}

TEST(ClassProcess, SixtyStudentsAKillInTheMiddleAndABurstOfSixHundredLoseNoAnswer)
{
    test::TempFolder folder;
    const std::string set = folder.path("Quiz.vtd");
    ASSERT_TRUE(QFile::copy(toQString(kSample), toQString(set)));
    const std::string store = folder.path("class.sqlite");
    OpenSet openSet;
    ASSERT_EQ(ReadSetFile(set, openSet), SetFileStatus::Ok);
    std::vector<ClassQuestion> questions;
    for (int n = 1; n <= openSet.questionCount(); ++n)
        questions.push_back({n, ReadQuestion(openSet.questionSlots[static_cast<std::size_t>(n)])});
    ASSERT_GT(questions.size(), 10u);

    auto server = std::make_unique<ClassProcess>(set, store);
    ASSERT_NE(server->port, 0);
    const std::string code = server->code;
    std::atomic<std::uint16_t> port = server->port;

    constexpr int kStudents = 60;
    constexpr int kBurstPerStudent = 10;
    std::mutex mutex;
    std::vector<double> paceMs, burstMs;
    std::map<std::pair<int, int>, std::string> confirmed;  // (student, question) -> response
    std::map<int, bool> allRight;                          // by student id
    std::atomic<int> answeredBeforeKill = 0, failed = 0, finished = 0, refused = 0;
    std::atomic<bool> serverDown = false;
    std::atomic<int> burstGo = 0;

    const auto student = [&](int index) {
        // Each device has an address of its own, as in a classroom.
        Client client(port, "127.0.1." + std::to_string(2 + index));
        std::string reply;
        int status = 0;
        for (int attempt = 0; attempt < 100 && status != 200; ++attempt) {
            status = client.post("/api/join", "{\"name\":\"Student " + std::to_string(index + 1) + "\",\"code\":\"" + code + "\"}", &reply);
            if (status != 200)
                std::this_thread::sleep_for(100ms);
        }
        if (status != 200) {
            ++failed;
            return;
        }
        const QJsonObject joined = QJsonDocument::fromJson(QByteArray::fromStdString(reply)).object();
        const int id = joined.value(QStringLiteral("student")).toInt();
        const std::string auth = "\"student\":" + std::to_string(id) + ",\"secret\":\""
            + joined.value(QStringLiteral("secret")).toString().toStdString() + "\"";
        const bool right = index % 2 == 0;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            allRight[id] = right;
        }
        // A student's own order, as the page shuffles it.
        std::vector<int> order;
        for (const ClassQuestion& q : questions)
            order.push_back(q.id);
        std::rotate(order.begin(), order.begin() + index % static_cast<int>(order.size()), order.end());
        std::string orderJson;
        for (int n : order)
            orderJson += (orderJson.empty() ? "" : ",") + std::to_string(n);
        client.post("/api/progress", "{" + auth + ",\"order\":[" + orderJson + "],\"position\":0}");

        const auto send = [&](const ClassQuestion& q, const std::string& response, std::vector<double>& times) {
            const std::string body = "{" + auth + ",\"question\":" + std::to_string(q.id) + ",\"response\":" + response + "}";
            // Like the page: what was not confirmed is sent again.
            for (int attempt = 0; attempt < 300; ++attempt) {
                const auto begun = Clock::now();
                const int code = client.post("/api/answer", body);
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begun).count();
                if (code == 200) {
                    const std::lock_guard<std::mutex> lock(mutex);
                    if (!serverDown)
                        times.push_back(ms);
                    confirmed[{id, q.id}] = response;
                    return true;
                }
                if (code == 429)
                    ++refused;
                std::this_thread::sleep_for(100ms);
            }
            ++failed;
            return false;
        };
        for (std::size_t position = 0; position < order.size(); ++position) {
            // A class's pace: some seconds a question, compressed here to
            // 100 to 300 ms, different for each student.
            std::this_thread::sleep_for(std::chrono::milliseconds(100 + (index * 37 + static_cast<int>(position) * 53) % 200));
            const ClassQuestion& q = *std::find_if(questions.begin(), questions.end(),
                                                   [&](const ClassQuestion& c) { return c.id == order[position]; });
            if (send(q, AnswerTo(q, right), paceMs))
                ++answeredBeforeKill;
            client.post("/api/progress", "{" + auth + ",\"position\":" + std::to_string(position) + "}");
        }
        // After a reload: the server gives back what it keeps.
        status = client.post("/api/state", "{" + auth + "}", &reply);
        const QJsonObject state = QJsonDocument::fromJson(QByteArray::fromStdString(reply)).object();
        EXPECT_EQ(status, 200);
        EXPECT_EQ(state.value(QStringLiteral("responses")).toObject().size(), static_cast<qsizetype>(questions.size()));
        EXPECT_EQ(state.value(QStringLiteral("order")).toArray().size(), static_cast<qsizetype>(questions.size()));
        EXPECT_EQ(state.value(QStringLiteral("position")).toInt(), static_cast<int>(questions.size()) - 1);

        // The burst: every student sends ten answers again at the same moment.
        ++burstGo;
        while (burstGo.load() < kStudents + 1)
            std::this_thread::sleep_for(1ms);
        for (int k = 0; k < kBurstPerStudent; ++k) {
            const ClassQuestion& q = questions[static_cast<std::size_t>(k) % questions.size()];
            send(q, AnswerTo(q, right), burstMs);
        }
        if (client.post("/api/finish", "{" + auth + "}") == 200)
            ++finished;
    };

    std::vector<std::thread> threads;
    for (int i = 0; i < kStudents; ++i)
        threads.emplace_back(student, i);

    // Killed once a third of the answers are in, started again at once.
    const auto third = static_cast<int>(kStudents * questions.size() / 3);
    while (answeredBeforeKill.load() < third && failed.load() == 0)
        std::this_thread::sleep_for(10ms);
    const long peakBefore = server->peakKilobytes();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        serverDown = true;
    }
    const std::size_t confirmedAtKill = [&] {
        const std::lock_guard<std::mutex> lock(mutex);
        return confirmed.size();
    }();
    server->kill();
    server = std::make_unique<ClassProcess>(set, store);
    EXPECT_EQ(server->port, port.load()) << "a class taken up again is served on its port";
    EXPECT_EQ(server->code, code);
    {
        const std::lock_guard<std::mutex> lock(mutex);
        serverDown = false;
    }

    // The burst starts when every student is through the test.
    while (burstGo.load() < kStudents && failed.load() == 0)
        std::this_thread::sleep_for(10ms);
    const auto burstBegun = Clock::now();
    ++burstGo;
    for (std::thread& t : threads)
        t.join();
    const double burstSeconds = std::chrono::duration<double>(Clock::now() - burstBegun).count();
    const long peakAfter = server->peakKilobytes();
    server->kill();
    EXPECT_EQ(failed.load(), 0);
    EXPECT_EQ(finished.load(), kStudents);

    // Every confirmed answer is in the store, as it was sent.
    std::string error;
    auto kept = classroom::ClassStore::open(store, error);
    ASSERT_TRUE(kept) << error;
    const auto classes = kept->openClassesOf(QFileInfo(toQString(set)).canonicalFilePath().toStdString());
    ASSERT_EQ(classes.size(), 1u);
    classroom::StoredClass stored;
    ASSERT_TRUE(kept->load(classes[0].id, stored));
    EXPECT_EQ(stored.students.size(), static_cast<std::size_t>(kStudents));
    EXPECT_EQ(confirmed.size(), static_cast<std::size_t>(kStudents) * questions.size());
    std::size_t same = 0;
    std::map<int, double> scores, maxima;
    for (const classroom::AnswerRecord& answer : stored.answers) {
        const auto sent = confirmed.find({answer.student, answer.question});
        ASSERT_NE(sent, confirmed.end());
        classroom::Response mine, theirs;
        const ClassQuestion& q = *std::find_if(questions.begin(), questions.end(),
                                               [&](const ClassQuestion& c) { return c.id == answer.question; });
        ASSERT_TRUE(classroom::ReadResponse(sent->second, q, mine, error));
        ASSERT_TRUE(classroom::ReadResponse(answer.response, q, theirs, error));
        same += mine == theirs;
    }
    EXPECT_EQ(same, confirmed.size());
    for (const classroom::StudentRecord& s : stored.students)
        EXPECT_NE(s.finished, 0) << s.name;

    std::vector<double> all = paceMs;
    all.insert(all.end(), burstMs.begin(), burstMs.end());
    std::printf("[ figures  ] %d students, %zu questions: %zu answers at a class's pace, p50 %.1f ms, p95 %.1f ms, max %.1f ms\n",
                kStudents, questions.size(), paceMs.size(), Percentile(paceMs, 0.5), Percentile(paceMs, 0.95),
                Percentile(paceMs, 1.0));
    std::printf("[ figures  ] burst of %d answers: %.2f s in all, p50 %.1f ms, p95 %.1f ms, max %.1f ms; %d refused for rate (sent again)\n",
                kStudents * kBurstPerStudent, burstSeconds, Percentile(burstMs, 0.5), Percentile(burstMs, 0.95),
                Percentile(burstMs, 1.0), refused.load());
    std::printf("[ figures  ] killed after %zu confirmed answers; peak resident size %ld kB before the kill, %ld kB after the class and the burst\n",
                confirmedAtKill, peakBefore, peakAfter);
}

// What the teacher types: the results as CSV, closing, and the end of the
// class with its results deleted (the program then ends).
TEST(ClassProcess, TheTeachersLinesWriteTheResultsCloseAndDeleteTheClass)
{
    test::TempFolder folder;
    const std::string set = folder.path("Quiz.vtd");
    ASSERT_TRUE(QFile::copy(toQString(kSample), toQString(set)));
    const std::string csv = folder.path("results.csv");
    const test::ProgramRun run = test::RunProgram(
        DORVEL_CLI, {"class", set, "--no-qr"}, "csv " + csv + "\nclose\nsomething\ndelete\n", 60);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("Students open: http://127.0.0.1:", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("\nClass code: "), std::string::npos);
    EXPECT_NE(run.out.find("Written: " + csv), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("no more answers are taken"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Type: close, open, csv FILE, delete, quit"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("its results are deleted"), std::string::npos) << run.out;
    QFile written(toQString(csv));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), "Name,Finished,Score,Max,Q1,Q2,Q3,Q4,Q5,Q6,Q7,Q8,Q9,Q10,Q11\r\n");
    // The default store beside the set holds nothing of the class.
    std::string error;
    auto store = classroom::ClassStore::open(folder.path("Quiz.classes.sqlite"), error);
    ASSERT_TRUE(store) << error;
    EXPECT_TRUE(store->openClassesOf(QFileInfo(toQString(set)).canonicalFilePath().toStdString()).empty());
    // Wrong usage is told.
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"class"}).status, 2);
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"class", set, "--port", "70000"}).status, 1);
    EXPECT_EQ(test::RunProgram(DORVEL_CLI, {"class", set, "--host", "10.255.255.1"}).status, 1);
}

}  // namespace
}  // namespace dorvel
