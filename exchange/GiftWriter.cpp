#include "exchange/QuestionWriters.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"

#include <QString>

namespace dorvel::exchange {

namespace {

// GIFT's special characters take a backslash; a line break becomes "\n".
std::string escaped(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        if (std::string_view("~=#{}:\\").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string html(const std::string& marked)
{
    return escaped(HtmlFromMarkedText(marked));
}

// An answer after "=" or "~": a leading "%" would read as a weight.
std::string answerText(const std::string& text)
{
    return !text.empty() && text.front() == '%' ? "\\" + text : text;
}

std::string numericAnswer(const AnswerField& field)
{
    if (field.range)
        return "#" + escaped(field.answers[0]) + ".." + escaped(field.answers[1]);
    if (field.answers.size() == 1)
        return "#" + escaped(field.answers[0]);
    std::string out = "#";
    for (const std::string& a : field.answers)
        out += "\n\t=" + escaped(a) + ":0";
    return out + "\n";
}

void writeQuestion(std::string& out, const Question& q)
{
    if (!q.name.empty())
        out += "::" + escaped(q.name) + "::";
    out += "[html]" + html(q.text) + " {";
    switch (q.kind) {
    case Kind::Choice:
        for (std::size_t k = 0; k < q.choices.size(); ++k)
            out += std::string("\n\t") + (static_cast<int>(k) == q.rightChoice ? "=" : "~") + answerText(html(q.choices[k]));
        out += "\n";
        break;
    case Kind::TrueFalse:
        out += q.statements.front().isTrue ? "T" : "F";
        break;
    case Kind::Typed: {
        const AnswerField& field = q.fields.front();
        if (field.numeric) {
            out += numericAnswer(field);
        } else {
            for (const std::string& a : field.answers)
                out += "\n\t=" + answerText(escaped(a));
            out += "\n";
        }
        break;
    }
    }
    out += "}\n\n";
}

}  // namespace

bool GiftCarries(const Question& q)
{
    if (q.kind != Kind::Typed)
        return true;
    for (const AnswerField& field : q.fields)
        for (const std::string& answer : field.answers)
            if (!field.numeric && answer.find("->") != std::string::npos)
                return false;
    return true;
}

std::string GiftText(const std::vector<ExportQuestion>& questions, const std::string& category)
{
    std::string out;
    if (!category.empty())
        out += "$CATEGORY: " + CategoryPath(category) + "\n\n";
    for (const ExportQuestion& e : questions) {
        if (!GiftCarries(e.question))
            continue;
        out += "// question: " + std::to_string(e.number) + "\n";
        for (const Question& one : SingleAnswerQuestions(e.question, true))
            writeQuestion(out, one);
    }
    return out;
}

}  // namespace dorvel::exchange
