#include "exchange/QuestionChecks.h"

#include "exchange/MarkedText.h"
#include "exchange/Reasons.h"
#include "storage/TextCodec.h"

#include <QString>

#include <cctype>
#include <cmath>

namespace dorvel::exchange {

std::optional<int> ChoiceProblem(const std::vector<std::string>& choices, const std::vector<int>& right)
{
    // A blank choice would reach the students as a choice they cannot read.
    for (const std::string& choice : choices)
        if (ShowsNothing(choice))
            return reason::kEmptyChoice;
    if (choices.size() > static_cast<std::size_t>(kMaxChoices))
        return reason::kTooManyChoices;
    if (choices.size() < 2)
        return reason::kTooFewChoices;
    if (right.empty())
        return reason::kNoRightAnswer;
    if (right.size() > 1)
        return reason::kSeveralRight;
    return std::nullopt;
}

std::optional<int> LengthProblem(const Question& q)
{
    std::size_t longest = std::max(q.text.size(), q.name.size());
    for (const std::string& c : q.choices)
        longest = std::max(longest, c.size());
    for (const AnswerField& f : q.fields)
        for (const std::string& a : f.answers)
            longest = std::max(longest, a.size());
    if (longest > kMaxTextLength)
        return reason::kTextTooLong;
    return std::nullopt;
}

std::optional<std::string> NumberText(std::string_view text)
{
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
    s.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = s.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return QString::number(value, 'g', 15).toStdString();
}

std::optional<AnswerField> NumericField(std::string_view value, std::string_view tolerance)
{
    const std::optional<std::string> v = NumberText(value);
    const std::optional<std::string> t = tolerance.empty() ? std::string("0") : NumberText(tolerance);
    if (!v || !t)
        return std::nullopt;
    AnswerField field;
    field.numeric = true;
    const double tol = std::fabs(QString::fromStdString(*t).toDouble());
    if (tol == 0) {
        field.answers = {*v};
        return field;
    }
    const double mid = QString::fromStdString(*v).toDouble();
    field.range = true;
    field.answers = {QString::number(mid - tol, 'g', 15).toStdString(), QString::number(mid + tol, 'g', 15).toStdString()};
    return field;
}

std::string Trimmed(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string LastCategory(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '/')
            continue;
        if (i + 1 < path.size() && path[i + 1] == '/')
            ++i;
        else
            start = i + 1;
    }
    std::string name;
    for (std::size_t i = start; i < path.size(); ++i) {
        name += path[i];
        if (path[i] == '/' && i + 1 < path.size() && path[i + 1] == '/')
            ++i;
    }
    return Trimmed(name);
}

std::string CategoryPath(std::string_view name)
{
    std::string path = "$course$/top/";
    for (const char c : name)
        path += c == '/' ? std::string("//") : std::string(1, c == '\n' ? ' ' : c);
    return path;
}

namespace {

bool full(ImportResult& result)
{
    if (result.questions.size() + result.skipped.size() < kMaxQuestionsPerFile)
        return false;
    result.truncated = true;
    return true;
}

}  // namespace

void Skip(ImportResult& result, int position, const std::string& nameOrText, int why)
{
    if (!full(result))
        result.skipped.push_back({position, ShortLabel(nameOrText), why});
}

void Keep(ImportResult& result, Question q, int position)
{
    const std::string label = q.name.empty() ? q.text.substr(0, 200) : q.name.substr(0, 200);
    if (const std::optional<int> problem = LengthProblem(q)) {
        Skip(result, position, label, *problem);
        return;
    }
    // An accepted answer of blanks or control characters is no answer: the
    // set would store nothing for it.
    for (AnswerField& field : q.fields) {
        std::erase_if(field.answers, [](const std::string& a) { return DecodeText(CleanText(a)).empty(); });
        if (field.answers.empty() || (field.range && field.answers.size() != 2)) {
            Skip(result, position, label, reason::kNoRightAnswer);
            return;
        }
    }
    q.position = position;
    if (!full(result))
        result.questions.push_back(std::move(q));
}

}  // namespace dorvel::exchange
