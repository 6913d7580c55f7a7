#include "classroom/ClassRoom.h"

#include "platform/RandomToken.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QString>

#include <algorithm>
#include <array>
#include <set>

namespace dorvel::classroom {

namespace {

std::int64_t NowSeconds()
{
    return QDateTime::currentSecsSinceEpoch();
}

std::int64_t NowMillis()
{
    return QDateTime::currentMSecsSinceEpoch();
}

std::string Json(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

QJsonObject ResponseObject(const Response& response)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(ResponseJson(response))).object();
}

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// A number as a CSV cell or a table shows it: 1, 0.5, 2.25.
std::string NumberText(double value)
{
    return QString::number(value, 'g', 6).toStdString();
}

// A cell a spreadsheet takes as text: quoted when it must be, and a leading
// character that would make it a formula neutralised.
std::string CsvCell(const std::string& text)
{
    std::string cell = text;
    if (!cell.empty() && std::string("=+-@\t\r").find(cell[0]) != std::string::npos)
        cell = "'" + cell;
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool SameSecret(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

}  // namespace

Reply ErrorReply(int status, const std::string& message)
{
    QJsonObject object;
    object.insert(QStringLiteral("error"), Q(message));
    return {status, Json(object)};
}

std::string ClassCode(int length)
{
    static const char kLetters[] = "ABCDEFGHJKMNPQRSTUVWXYZ23456789";
    std::string code;
    for (int i = 0; i < length; ++i)
        code += kLetters[QRandomGenerator::system()->bounded(static_cast<int>(sizeof kLetters - 1))];
    return code;
}

ClassRoom::ClassRoom(ClassStore& store, std::vector<ClassQuestion> questions)
    : m_store(store)
    , m_questions(std::move(questions))
{
}

bool ClassRoom::begin(const std::string& setPath, const std::string& title, std::string& error)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_students.clear();
    m_deleted = false;
    const std::vector<ClassRecord> open = m_store.openClassesOf(setPath);
    if (!open.empty()) {
        StoredClass stored;
        if (!m_store.load(open.front().id, stored)) {
            error = m_store.lastError();
            return false;
        }
        m_record = stored.record;
        for (StudentRecord& record : stored.students) {
            Student student;
            student.record = std::move(record);
            m_students.push_back(std::move(student));
        }
        // Ids run 1, 2, ...; a gap (never written so) would not match an index.
        std::sort(m_students.begin(), m_students.end(),
                  [](const Student& a, const Student& b) { return a.record.id < b.record.id; });
        for (std::size_t i = 0; i < m_students.size(); ++i) {
            if (m_students[i].record.id != static_cast<int>(i) + 1) {
                error = "the store's list of students has a gap";
                return false;
            }
        }
        for (const AnswerRecord& answer : stored.answers) {
            const ClassQuestion* asked = question(answer.question);
            Response response;
            std::string ignored;
            if (asked && answer.student >= 1 && answer.student <= static_cast<int>(m_students.size())
                && ReadResponse(answer.response, *asked, response, ignored))
                m_students[static_cast<std::size_t>(answer.student - 1)].responses[answer.question] = response;
        }
        return true;
    }
    m_record = {RandomToken(), setPath, title, ClassCode(), RandomToken(), 0, NowSeconds(), false};
    if (!m_store.addClass(m_record)) {
        error = m_store.lastError();
        return false;
    }
    return true;
}

ClassRecord ClassRoom::record() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_record;
}

bool ClassRoom::keepPort(int port)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_store.setPort(m_record.id, port))
        return false;
    m_record.port = port;
    return true;
}

const ClassQuestion* ClassRoom::question(int id) const
{
    for (const ClassQuestion& q : m_questions) {
        if (q.id == id)
            return &q;
    }
    return nullptr;
}

Reply ClassRoom::refusedIfClosed() const
{
    if (m_deleted)
        return ErrorReply(410, "This class has ended.");
    if (m_record.closed)
        return ErrorReply(403, "The teacher has closed the test; answers are no longer taken.");
    return {};
}

ClassRoom::Student* ClassRoom::student(const QJsonObject& body, Reply& refusal)
{
    const double id = body.value(QLatin1String("student")).toDouble(0);
    const std::string secret = body.value(QLatin1String("secret")).toString().toStdString();
    if (id >= 1 && id <= static_cast<double>(m_students.size()) && id == static_cast<int>(id)) {
        Student& found = m_students[static_cast<std::size_t>(id) - 1];
        if (SameSecret(found.record.secret, secret))
            return &found;
    }
    refusal = ErrorReply(403, "This page has not joined the class (unknown student or wrong secret).");
    return nullptr;
}

bool ClassRoom::spend(Student& student)
{
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - student.refilled).count();
    student.tokens = std::min(kStudentBurst, student.tokens + seconds * kStudentRate);
    student.refilled = now;
    if (student.tokens < 1)
        return false;
    student.tokens -= 1;
    return true;
}

Reply ClassRoom::join(const QJsonObject& body)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (Reply closed = refusedIfClosed(); closed.status != 200)
        return closed;
    const QString code = body.value(QLatin1String("code")).toString().simplified().toUpper();
    if (code.toStdString() != m_record.code)
        return ErrorReply(403, "Wrong class code.");
    const QString name = body.value(QLatin1String("name")).toString().simplified();
    if (name.isEmpty())
        return ErrorReply(400, "Type your name.");
    if (name.size() > kMaxNameChars)
        return ErrorReply(400, "The name is too long (at most " + std::to_string(kMaxNameChars) + " characters).");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return ErrorReply(400, "The name holds characters that are not letters.");
    }
    if (m_students.size() >= static_cast<std::size_t>(kMaxStudents))
        return ErrorReply(403, "The class is full.");
    Student student;
    student.record = {static_cast<int>(m_students.size()) + 1, name.toStdString(), RandomToken(), NowSeconds(), {}, 0, 0};
    if (!m_store.addStudent(m_record.id, student.record))
        return ErrorReply(503, "Not stored: " + m_store.lastError());
    m_students.push_back(student);
    QJsonObject reply;
    reply.insert(QStringLiteral("student"), student.record.id);
    reply.insert(QStringLiteral("secret"), Q(student.record.secret));
    reply.insert(QStringLiteral("name"), name);
    return {200, Json(reply)};
}

Reply ClassRoom::answer(const QJsonObject& body)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (Reply closed = refusedIfClosed(); closed.status != 200)
        return closed;
    Reply refusal;
    Student* found = student(body, refusal);
    if (!found)
        return refusal;
    if (found->record.finished)
        return ErrorReply(409, "The test is finished; answers are no longer taken.");
    const QJsonValue idValue = body.value(QLatin1String("question"));
    const ClassQuestion* asked = idValue.isDouble() ? question(idValue.toInt(-1)) : nullptr;
    if (!asked || idValue.toDouble() != idValue.toInt())
        return ErrorReply(404, "There is no such question in this test.");
    Response response;
    std::string error;
    if (!ReadResponse(body.value(QLatin1String("response")).toObject(), *asked, response, error))
        return ErrorReply(400, "The answer does not fit the question: " + error + ".");
    if (!spend(*found))
        return ErrorReply(429, "Too many answers at once; wait a moment.");
    if (!m_store.putAnswer(m_record.id, {found->record.id, asked->id, ResponseJson(response), NowMillis()}))
        return ErrorReply(503, "Not stored: " + m_store.lastError());
    found->responses[asked->id] = response;
    return {200, "{\"stored\":true}"};
}

Reply ClassRoom::progress(const QJsonObject& body)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (Reply closed = refusedIfClosed(); closed.status != 200)
        return closed;
    Reply refusal;
    Student* found = student(body, refusal);
    if (!found)
        return refusal;
    std::vector<int> order = found->record.order;
    if (body.contains(QLatin1String("order"))) {
        order.clear();
        std::set<int> seen;
        const QJsonArray given = body.value(QLatin1String("order")).toArray();
        if (given.size() > static_cast<qsizetype>(m_questions.size()))
            return ErrorReply(400, "The order names more questions than the test has.");
        for (const QJsonValue& item : given) {
            const int id = item.toInt(-1);
            if (!question(id) || !seen.insert(id).second)
                return ErrorReply(400, "The order names a question twice or one the test does not have.");
            order.push_back(id);
        }
    }
    const int position = body.value(QLatin1String("position")).toInt(found->record.position);
    if (position < 0 || position >= static_cast<int>(std::max<std::size_t>(1, m_questions.size())))
        return ErrorReply(400, "No such place in the test.");
    if (!spend(*found))
        return ErrorReply(429, "Too many requests at once; wait a moment.");
    if (!m_store.setProgress(m_record.id, found->record.id, order, position))
        return ErrorReply(503, "Not stored: " + m_store.lastError());
    found->record.order = order;
    found->record.position = position;
    return {200, "{\"stored\":true}"};
}

Reply ClassRoom::finish(const QJsonObject& body)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (Reply closed = refusedIfClosed(); closed.status != 200)
        return closed;
    Reply refusal;
    Student* found = student(body, refusal);
    if (!found)
        return refusal;
    if (!found->record.finished) {
        const std::int64_t now = NowSeconds();
        if (!m_store.setFinished(m_record.id, found->record.id, now))
            return ErrorReply(503, "Not stored: " + m_store.lastError());
        found->record.finished = now;
    }
    return {200, "{\"finished\":true}"};
}

Reply ClassRoom::state(const QJsonObject& body)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_deleted)
        return ErrorReply(410, "This class has ended.");
    Reply refusal;
    Student* found = student(body, refusal);
    if (!found)
        return refusal;
    QJsonObject responses;
    for (const auto& [id, response] : found->responses)
        responses.insert(QString::number(id), ResponseObject(response));
    QJsonArray order;
    for (int id : found->record.order)
        order.append(id);
    QJsonObject reply;
    reply.insert(QStringLiteral("name"), Q(found->record.name));
    reply.insert(QStringLiteral("responses"), responses);
    reply.insert(QStringLiteral("order"), order);
    reply.insert(QStringLiteral("position"), found->record.position);
    reply.insert(QStringLiteral("finished"), found->record.finished != 0);
    reply.insert(QStringLiteral("closed"), m_record.closed);
    return {200, Json(reply)};
}

bool ClassRoom::close(std::string& error)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_deleted && !m_store.setClosed(m_record.id, true)) {
        error = m_store.lastError();
        return false;
    }
    m_record.closed = true;
    return true;
}

bool ClassRoom::reopen(std::string& error)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_deleted || !m_store.setClosed(m_record.id, false)) {
        error = m_deleted ? "the class was deleted" : m_store.lastError();
        return false;
    }
    m_record.closed = false;
    return true;
}

bool ClassRoom::remove(std::string& error)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_store.deleteClass(m_record.id)) {
        error = m_store.lastError();
        return false;
    }
    m_deleted = true;
    m_record.closed = true;
    m_students.clear();
    return true;
}

StudentRow ClassRoom::row(const Student& student) const
{
    StudentRow row;
    row.id = student.record.id;
    row.name = student.record.name;
    row.position = student.record.position;
    row.finished = student.record.finished != 0;
    row.answered = static_cast<int>(student.responses.size());
    for (const ClassQuestion& q : m_questions) {
        const auto given = student.responses.find(q.id);
        const Mark mark = MarkResponse(q, given == student.responses.end() ? Response{} : given->second);
        row.score += mark.score;
        row.max += mark.max;
        row.marks.push_back(given == student.responses.end() ? -1 : mark.score);
    }
    return row;
}

ClassSummary ClassRoom::summary() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    ClassSummary summary;
    summary.title = m_record.title;
    summary.code = m_record.code;
    summary.closed = m_record.closed;
    summary.deleted = m_deleted;
    for (const Student& student : m_students)
        summary.students.push_back(row(student));
    for (const ClassQuestion& q : m_questions) {
        QuestionRow row;
        row.id = q.id;
        row.text = QString::fromStdString(q.question.text).simplified().left(60).toStdString();
        std::map<std::string, int> wrong;
        for (const Student& student : m_students) {
            const auto given = student.responses.find(q.id);
            if (given == student.responses.end())
                continue;
            ++row.answered;
            const Mark mark = MarkResponse(q, given->second);
            if (mark.score >= mark.max)
                ++row.right;
            else
                ++wrong[ResponseText(q, given->second)];
        }
        row.wrong.assign(wrong.begin(), wrong.end());
        std::stable_sort(row.wrong.begin(), row.wrong.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        if (row.wrong.size() > 3)
            row.wrong.resize(3);
        summary.questions.push_back(row);
    }
    return summary;
}

std::string ClassRoom::teacherJson() const
{
    const ClassSummary s = summary();
    QJsonArray students;
    for (const StudentRow& row : s.students) {
        QJsonObject student;
        student.insert(QStringLiteral("id"), row.id);
        student.insert(QStringLiteral("name"), Q(row.name));
        student.insert(QStringLiteral("answered"), row.answered);
        student.insert(QStringLiteral("finished"), row.finished);
        student.insert(QStringLiteral("score"), row.score);
        student.insert(QStringLiteral("max"), row.max);
        students.append(student);
    }
    QJsonArray questions;
    for (const QuestionRow& row : s.questions) {
        QJsonObject question;
        question.insert(QStringLiteral("id"), row.id);
        question.insert(QStringLiteral("answered"), row.answered);
        question.insert(QStringLiteral("right"), row.right);
        QJsonArray wrong;
        for (const auto& [answer, count] : row.wrong)
            wrong.append(QJsonObject{{QStringLiteral("answer"), Q(answer)}, {QStringLiteral("count"), count}});
        question.insert(QStringLiteral("wrong"), wrong);
        questions.append(question);
    }
    QJsonObject reply;
    reply.insert(QStringLiteral("title"), Q(s.title));
    reply.insert(QStringLiteral("code"), Q(s.code));
    reply.insert(QStringLiteral("closed"), s.closed);
    reply.insert(QStringLiteral("students"), students);
    reply.insert(QStringLiteral("questions"), questions);
    return Json(reply);
}

std::string ClassRoom::csv() const
{
    const ClassSummary s = summary();
    std::string text = "Name,Finished,Score,Max";
    for (const QuestionRow& q : s.questions)
        text += ",Q" + std::to_string(q.id);
    text += "\r\n";
    for (const StudentRow& row : s.students) {
        text += CsvCell(row.name) + "," + (row.finished ? "yes" : "no") + "," + NumberText(row.score) + ","
            + NumberText(row.max);
        for (double mark : row.marks)
            text += "," + (mark < 0 ? std::string() : NumberText(mark));
        text += "\r\n";
    }
    return text;
}

}  // namespace dorvel::classroom
