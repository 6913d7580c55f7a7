#pragma once

#include "classroom/ClassMarking.h"
#include "classroom/ClassStore.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class QJsonObject;

// A class taking a test: who joined, what each student answered, and the
// marks the teacher's side works out from those answers. Every change is
// written to the store before it is confirmed; a class the store holds is
// taken up again where it stood (the teacher's machine restarted). What the
// students may ask (join, answer, progress, finish, their own state) and
// what only the teacher may (the whole class, closing, deleting) are apart.
namespace dorvel::classroom {

// An answer to a request: the HTTP status and a JSON body. Errors carry
// {"error": "..."} in words a teacher can read out.
struct Reply {
    int status = 200;
    std::string json;
};

struct StudentRow {
    int id = 0;
    std::string name;
    int answered = 0;  // questions with a response
    int position = 0;  // the question on screen, 0-based in the student's order
    bool finished = false;
    double score = 0;  // the teacher's side's marks
    double max = 0;
    std::vector<double> marks;  // per question in set order; -1 for no answer
};

struct QuestionRow {
    int id = 0;        // the question's number in the set
    std::string text;  // the start of its text
    int answered = 0;
    int right = 0;                                   // full marks
    std::vector<std::pair<std::string, int>> wrong;  // the most common wrong answers, most first
};

struct ClassSummary {
    std::string title;
    std::string code;
    bool closed = false;
    bool deleted = false;
    std::vector<StudentRow> students;
    std::vector<QuestionRow> questions;
};

class ClassRoom {
public:
    static constexpr int kMaxNameChars = 60;
    static constexpr int kMaxStudents = 1000;
    // Answers and moves one student may send: a burst, then so many a second.
    static constexpr double kStudentBurst = 60;
    static constexpr double kStudentRate = 10;

    ClassRoom(ClassStore& store, std::vector<ClassQuestion> questions);

    // Goes on with the class of `setPath` the store keeps open, or begins a
    // new one (a new code and teacher token). False with `error` when the
    // store does not take it.
    bool begin(const std::string& setPath, const std::string& title, std::string& error);
    // The class as it is kept (code, teacher token, port).
    ClassRecord record() const;
    bool keepPort(int port);

    // The students' requests, each a parsed JSON body.
    Reply join(const QJsonObject& body);
    Reply answer(const QJsonObject& body);
    Reply progress(const QJsonObject& body);
    Reply finish(const QJsonObject& body);
    Reply state(const QJsonObject& body);

    // The teacher's.
    bool close(std::string& error);
    bool reopen(std::string& error);
    // Ends the class and deletes everything kept of it.
    bool remove(std::string& error);
    ClassSummary summary() const;
    std::string teacherJson() const;
    // One row per student, one column per question (its mark, empty when
    // not answered), RFC 4180.
    std::string csv() const;

    const std::vector<ClassQuestion>& questions() const { return m_questions; }

private:
    struct Student {
        StudentRecord record;
        std::map<int, Response> responses;  // by question id
        double tokens = kStudentBurst;
        std::chrono::steady_clock::time_point refilled = std::chrono::steady_clock::now();
    };
    // The student a body names with the right secret, or an error reply.
    Student* student(const QJsonObject& body, Reply& refusal);
    bool spend(Student& student);
    const ClassQuestion* question(int id) const;
    Reply refusedIfClosed() const;
    StudentRow row(const Student& student) const;

    ClassStore& m_store;
    std::vector<ClassQuestion> m_questions;
    mutable std::mutex m_mutex;
    ClassRecord m_record;
    bool m_deleted = false;
    std::vector<Student> m_students;  // by id - 1
};

// Reply helpers.
Reply ErrorReply(int status, const std::string& message);
// A random text of `length` letters and digits that cannot be mistaken for
// one another (no 0/O, 1/I/L).
std::string ClassCode(int length = 6);

}  // namespace dorvel::classroom
