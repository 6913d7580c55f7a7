#include "classroom/ClassMarking.h"

#include "marking/Marking.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <set>

namespace dorvel::classroom {

namespace {

QString Collapsed(const std::string& text)
{
    return QString::fromStdString(text).simplified();
}

}  // namespace

Mark MarkResponse(const ClassQuestion& classQuestion, const Response& response)
{
    const dorvel::Mark marked
        = MarkQuestion(classQuestion.question, dorvel::Response{response.chosen, response.statements, response.typed});
    return {marked.score, marked.max, marked.forTeacher, marked.parts};
}

bool ReadResponse(const std::string& json, const ClassQuestion& classQuestion, Response& response, std::string& error)
{
    response = {};
    QJsonParseError parsed{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parsed);
    if (parsed.error != QJsonParseError::NoError || !document.isObject()) {
        error = "the answer is not a JSON object";
        return false;
    }
    return ReadResponse(document.object(), classQuestion, response, error);
}

bool ReadResponse(const QJsonObject& object, const ClassQuestion& classQuestion, Response& response, std::string& error)
{
    const Question& q = classQuestion.question;
    const auto integers = [&](const char* name, int low, int high, std::size_t most, std::vector<int>& out) {
        const QJsonValue value = object.value(QLatin1String(name));
        if (value.isUndefined() || value.isNull())
            return true;
        if (!value.isArray() || static_cast<std::size_t>(value.toArray().size()) > most) {
            error = std::string("\"") + name + "\" is not a list this question can have";
            return false;
        }
        for (const QJsonValue& item : value.toArray()) {
            const double number = item.toDouble(-1e9);
            if (!item.isDouble() || number != static_cast<int>(number) || number < low || number > high) {
                error = std::string("\"") + name + "\" holds a value this question does not have";
                return false;
            }
            out.push_back(static_cast<int>(number));
        }
        return true;
    };
    const bool choice = q.kind == QuestionKind::Choice;
    const bool trueFalse = q.kind == QuestionKind::TrueFalse;
    const int choices = static_cast<int>(q.choices.size());
    if (!integers("chosen", 0, choices - 1, choice ? q.choices.size() : 0, response.chosen)
        || !integers("statements", -1, 1, trueFalse ? q.statements.size() : 0, response.statements))
        return false;
    if (std::set<int>(response.chosen.begin(), response.chosen.end()).size() != response.chosen.size()) {
        error = "a choice is given twice";
        return false;
    }
    const QJsonValue typed = object.value(QLatin1String("typed"));
    if (!typed.isUndefined() && !typed.isNull()) {
        const std::size_t most = q.kind == QuestionKind::Typed ? q.fields.size() : 0;
        if (!typed.isArray() || static_cast<std::size_t>(typed.toArray().size()) > most) {
            error = "\"typed\" is not a list this question can have";
            return false;
        }
        for (const QJsonValue& item : typed.toArray()) {
            if (!item.isString() || item.toString().size() > kMaxTypedChars) {
                error = "a typed answer is not text of at most " + std::to_string(kMaxTypedChars) + " characters";
                return false;
            }
            response.typed.push_back(item.toString().toStdString());
        }
    }
    return true;
}

std::string ResponseJson(const Response& response)
{
    QJsonObject object;
    QJsonArray chosen, statements, typed;
    for (int c : response.chosen)
        chosen.append(c);
    for (int s : response.statements)
        statements.append(s);
    for (const std::string& t : response.typed)
        typed.append(QString::fromStdString(t));
    object.insert(QStringLiteral("chosen"), chosen);
    object.insert(QStringLiteral("statements"), statements);
    object.insert(QStringLiteral("typed"), typed);
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string ResponseText(const ClassQuestion& classQuestion, const Response& response)
{
    std::string text;
    const auto add = [&](const std::string& part) {
        if (!text.empty())
            text += ", ";
        text += part;
    };
    switch (classQuestion.question.kind) {
    case QuestionKind::Choice: {
        std::vector<int> chosen = response.chosen;
        std::sort(chosen.begin(), chosen.end());
        for (int c : chosen)
            add(std::string(1, static_cast<char>('A' + c)));
        break;
    }
    case QuestionKind::TrueFalse:
        for (int s : response.statements)
            add(s == 1 ? "T" : s == 0 ? "F"
                                      : "-");
        break;
    case QuestionKind::Typed:
        for (const std::string& t : response.typed)
            add(Collapsed(t).toStdString());
        break;
    }
    return text;
}

}  // namespace dorvel::classroom
