// "class": runs a set in class. Serves its web test to the students'
// browsers, keeps every answer in a store, and prints the address, the
// class code and then a live table of the class.
#include "cli/Commands.h"

#include "classroom/ClassRoom.h"
#include "classroom/ClassServer.h"
#include "classroom/ClassSession.h"
#include "classroom/ClassStore.h"
#include "classroom/QrCode.h"
#include "platform/UserInterface.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QString>
#include <QTemporaryDir>
#include <QTime>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace dorvel::cli {

namespace {

using namespace dorvel::classroom;

class QuietUserInterface : public UserInterface {
public:
    void showMessage(const std::string& text, Tone) override { std::fprintf(stderr, "dorvel-cli: %s\n", text.c_str()); }
    Answer ask(const std::string&, Buttons, Tone) override { return Answer::Yes; }
    std::vector<std::string> chooseOpenFiles(const FileDialog&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const FileDialog&) override { return std::nullopt; }
};

std::string Padded(std::string text, std::size_t width)
{
    // Width in characters, not bytes.
    const QString shown = QString::fromStdString(text);
    if (static_cast<std::size_t>(shown.size()) > width)
        return shown.left(static_cast<qsizetype>(width)).toStdString();
    return text + std::string(width - static_cast<std::size_t>(shown.size()), ' ');
}

std::string Number(double value)
{
    return QString::number(value, 'g', 6).toStdString();
}

std::string Table(const ClassSummary& s)
{
    std::string text;
    int finished = 0;
    for (const StudentRow& row : s.students)
        finished += row.finished;
    text += "-- " + QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString() + "  "
        + std::to_string(s.students.size()) + " joined, " + std::to_string(finished) + " finished"
        + (s.closed ? ", closed" : "") + "\n";
    text += Padded("Name", 24) + Padded("Answered", 10) + Padded("Finished", 10) + "Score\n";
    const std::string total = std::to_string(s.questions.size());
    for (const StudentRow& row : s.students) {
        text += Padded(row.name, 24) + Padded(std::to_string(row.answered) + "/" + total, 10)
            + Padded(row.finished ? "yes" : "no", 10) + (row.finished ? Number(row.score) + "/" + Number(row.max) : "")
            + "\n";
    }
    text += Padded("Question", 10) + Padded("Answered", 10) + Padded("Right", 8) + "Most common wrong answers\n";
    for (const QuestionRow& row : s.questions) {
        std::string wrong;
        for (const auto& [answer, count] : row.wrong)
            wrong += (wrong.empty() ? "" : "; ") + answer + " (" + std::to_string(count) + ")";
        const std::string right = row.answered ? std::to_string((100 * row.right + row.answered / 2) / row.answered) + " %" : "";
        text += Padded(std::to_string(row.id), 10) + Padded(std::to_string(row.answered), 10) + Padded(right, 8) + wrong
            + "\n";
    }
    return text;
}

}  // namespace

int runClass(const Args& args, Context& context)
{
    std::string setPath, where, host = "127.0.0.1";
    std::optional<int> port;
    bool qr = true;
    bool usage = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--port" && i + 1 < args.size()) {
            bool ok = false;
            port = QString::fromStdString(args[++i]).toInt(&ok);
            if (!ok || *port < 0 || *port > 65535)
                return fail("not a port: " + args[i]);
        } else if (args[i] == "--db" && i + 1 < args.size()) {
            where = args[++i];
        } else if (args[i] == "--host" && i + 1 < args.size()) {
            host = args[++i];
        } else if (args[i] == "--no-qr") {
            qr = false;
        } else if (args[i].rfind("--", 0) == 0 || !setPath.empty()) {
            usage = true;
        } else {
            setPath = args[i];
        }
    }
    if (usage || setPath.empty()) {
        std::fputs("usage: dorvel-cli class SET.vtd [--port N] [--db FILE|postgresql://USER@HOST/DB] [--host ADDR|lan]"
                   " [--no-qr]\n",
                   stderr);
        return 2;
    }
    if (host == "lan") {
        host = NetworkAddress();
        if (host.empty())
            return fail("this machine has no network address besides the loopback");
    }

    QTemporaryDir folder;
    if (!folder.isValid())
        return fail("no temporary folder for the test's pages");
    QuietUserInterface ui;
    const PreparedClass prepared = PrepareClass(setPath, folder.path().toStdString(), context.lang, context.language, ui);
    if (!prepared.error.empty())
        return fail(prepared.error);
    if (where.empty())
        where = DefaultStoreFor(setPath);
    std::string error;
    const std::unique_ptr<ClassStore> store = ClassStore::open(where, error);
    if (!store)
        return fail(error);
    ClassRoom room(*store, prepared.questions);
    if (!room.begin(prepared.setPath, prepared.title, error))
        return fail("cannot keep the class: " + error);
    // A class taken up again is served where its students' pages look for it.
    const int kept = room.record().port;
    ClassServer server(room, folder.path().toStdString(), prepared.startPage);
    if (!server.start(host, static_cast<std::uint16_t>(port ? *port : kept), error)) {
        if (port || !kept || !server.start(host, 0, error))
            return fail(error);
        std::fprintf(stderr, "dorvel-cli: port %d is taken; the students must open the new address\n", kept);
    }
    if (!room.keepPort(server.port()))
        std::fprintf(stderr, "dorvel-cli: the port was not kept in the store: %s\n", store->lastError().c_str());

    std::printf("Students open: %s\n", server.studentAddress().c_str());
    std::printf("Class code: %s\n", room.record().code.c_str());
    std::printf("Teacher's view: %s\n", server.teacherAddress().c_str());
    std::printf("Results are kept in: %s\n", store->isPostgres() ? "the PostgreSQL server" : where.c_str());
    if (host == "127.0.0.1")
        std::printf("Only this computer can reach it; --host lan serves the school's network.\n");
    if (qr)
        std::printf("%s", QrCodeText(QrCodeOf(server.studentAddress())).c_str());
    std::printf("Type: close, open, csv FILE, delete (ends the class and deletes its results), quit\n");
    std::fflush(stdout);

    std::string shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const std::string table = Table(room.summary());
        // The time stamp changes every second: compare what follows it.
        const std::string body = table.substr(table.find('\n'));
        if (body != shown) {
            shown = body;
            std::printf("%s", table.c_str());
            std::fflush(stdout);
        }
    });
    timer.start(1000);

    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line)) {
            input.setEnabled(false);  // standard input ended: go on serving
            return;
        }
        std::string failure;
        if (line == "close") {
            std::puts(room.close(failure) ? "The test is closed: no more answers are taken." : failure.c_str());
        } else if (line == "open") {
            std::puts(room.reopen(failure) ? "The test is open again." : failure.c_str());
        } else if (line.rfind("csv ", 0) == 0) {
            QFile file(QString::fromStdString(line.substr(4)));
            const std::string csv = room.csv();
            const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                && file.write(csv.data(), static_cast<qint64>(csv.size())) == static_cast<qint64>(csv.size()) && file.flush();
            std::puts(written ? ("Written: " + line.substr(4)).c_str() : ("Not written: " + line.substr(4)).c_str());
        } else if (line == "delete") {
            server.stop();
            std::puts(room.remove(failure) ? "The class has ended and its results are deleted." : failure.c_str());
            QCoreApplication::exit(failure.empty() ? 0 : 1);
        } else if (line == "quit") {
            QCoreApplication::exit(0);
        } else if (!line.empty()) {
            std::puts("Type: close, open, csv FILE, delete, quit");
        }
        std::fflush(stdout);
    });
    return QCoreApplication::exec();
}

}  // namespace dorvel::cli
