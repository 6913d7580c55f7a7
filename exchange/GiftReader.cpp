#include "exchange/QuestionReaders.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"
#include "exchange/Reasons.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <variant>

namespace dorvel::exchange {

namespace {

// GIFT escapes its special characters with a backslash.
std::string unescape(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && std::string_view("~=#{}:\\n%").find(s[i + 1]) != std::string_view::npos) {
            out += s[i + 1] == 'n' ? '\n' : s[i + 1];
            ++i;
        } else {
            out += s[i];
        }
    }
    return out;
}

// The first unescaped `c` from `from`, or npos.
std::size_t findUnescaped(std::string_view s, char c, std::size_t from = 0)
{
    for (std::size_t i = from; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == c)
            return i;
    }
    return std::string_view::npos;
}

// A text of the question as marked text, by the format the question names.
std::string textOf(std::string_view raw, const std::string& format)
{
    const std::string text = unescape(Trimmed(raw));
    if (format == "plain" || format == "markdown")
        return text;
    // [html] and the default format (Moodle's "auto-format") are HTML where a
    // line break is a break.
    std::string withBreaks;
    for (const char c : text)
        withBreaks += c == '\n' ? std::string("<br>") : std::string(1, c);
    return MarkedTextFromHtml(withBreaks);
}

struct Item {
    char sign = 0;      // '=' or '~'
    double weight = 0;  // %N% in percent; the sign's default when absent
    bool weighted = false;
    std::string text;  // without feedback, still escaped
};

// The answers of "{...}" split at their unescaped = and ~.
std::vector<Item> splitItems(std::string_view body)
{
    std::vector<Item> items;
    std::size_t i = 0;
    while (i < body.size()) {
        if (body[i] == '\\') {
            if (!items.empty())
                items.back().text += body.substr(i, 2);
            i += 2;
            continue;
        }
        if (body[i] == '=' || body[i] == '~') {
            Item item;
            item.sign = body[i];
            item.weight = body[i] == '=' ? 100 : 0;
            ++i;
            if (i < body.size() && body[i] == '%') {
                // A weight is a number between two "%"; anything else is the
                // answer's own text.
                const std::size_t end = body.find('%', i + 1);
                bool isNumber = false;
                const double weight = end == std::string_view::npos ? 0
                                                                    : QString::fromUtf8(body.data() + i + 1, static_cast<qsizetype>(end - i - 1)).toDouble(&isNumber);
                if (isNumber) {
                    item.weight = weight;
                    item.weighted = true;
                    i = end + 1;
                }
            }
            items.push_back(item);
            continue;
        }
        if (!items.empty())
            items.back().text += body[i];
        ++i;
    }
    for (Item& item : items) {
        const std::size_t feedback = findUnescaped(item.text, '#');
        if (feedback != std::string::npos)
            item.text.erase(feedback);
        item.text = Trimmed(item.text);
    }
    return items;
}

bool isTrueFalse(const std::string& body, bool& truth)
{
    std::string word = body.substr(0, findUnescaped(body, '#'));
    word = Trimmed(word);
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (word == "T" || word == "TRUE")
        return truth = true, true;
    if (word == "F" || word == "FALSE")
        return truth = false, true;
    return false;
}

// "{#...}": one number with a tolerance, a range "a..b", or several "=" answers.
std::variant<AnswerField, int> numericAnswer(std::string_view body)
{
    std::vector<Item> items = splitItems(body);
    if (items.empty()) {
        std::string single(body.substr(0, findUnescaped(body, '#')));
        items.push_back({'=', 100, false, Trimmed(single)});
    }
    std::vector<AnswerField> right;
    for (const Item& item : items) {
        if (item.weight < 100) {
            if (item.weight > 0)
                return reason::kSeveralRight;
            continue;
        }
        const std::string t = unescape(item.text);
        std::optional<AnswerField> field;
        if (const std::size_t dots = t.find(".."); dots != std::string::npos) {
            const std::optional<std::string> low = NumberText(t.substr(0, dots));
            const std::optional<std::string> high = NumberText(t.substr(dots + 2));
            if (low && high) {
                field = AnswerField{};
                field->numeric = field->range = true;
                field->answers = {*low, *high};
            }
        } else {
            const std::size_t colon = t.find(':');
            field = NumericField(t.substr(0, colon), colon == std::string::npos ? "" : t.substr(colon + 1));
        }
        if (!field)
            return reason::kNotANumber;
        right.push_back(*field);
    }
    if (right.empty())
        return reason::kNoRightAnswer;
    if (right.size() == 1)
        return right.front();
    AnswerField exact;
    exact.numeric = true;
    for (const AnswerField& f : right) {
        if (f.range)
            return reason::kSeveralRight;
        exact.answers.push_back(f.answers.front());
    }
    if (exact.answers.size() > static_cast<std::size_t>(kMaxAcceptedAnswers))
        return reason::kTooManyAnswers;
    return exact;
}

// One question's text (everything between blank lines, comments removed).
void readQuestion(ImportResult& result, std::string_view block, int position)
{
    std::string rest(block);
    Question q;
    // Name, text and answers each stay within the limit of one text.
    if (rest.size() > 8 * kMaxTextLength) {
        Skip(result, position, rest.substr(0, 200), reason::kTextTooLong);
        return;
    }
    if (rest.rfind("::", 0) == 0) {
        const std::size_t end = findUnescaped(rest, ':', 2);
        if (end != std::string::npos && end + 1 < rest.size() && rest[end + 1] == ':') {
            q.name = unescape(Trimmed(std::string_view(rest).substr(2, end - 2)));
            rest.erase(0, end + 2);
            rest = Trimmed(rest);
        }
    }
    std::string format;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t end = rest.find(']');
        if (end != std::string::npos && end < 12) {
            format = rest.substr(1, end - 1);
            rest.erase(0, end + 1);
        }
    }
    const std::size_t open = findUnescaped(rest, '{');
    // Listed by its name, or else by its text up to the answers.
    const std::string label = q.name.empty() ? unescape(Trimmed(rest.substr(0, std::min<std::size_t>(open, 200)))) : q.name;
    if (open == std::string::npos) {
        Skip(result, position, label, reason::kUnsupportedType);  // a description: text without answers
        return;
    }
    const std::size_t close = findUnescaped(rest, '}', open + 1);
    if (close == std::string::npos || findUnescaped(rest, '{', open + 1) < close
        || findUnescaped(rest, '{', close + 1) != std::string::npos || findUnescaped(rest, '}', close + 1) != std::string::npos) {
        // Answers again on a later line: most likely the next question, typed
        // without the empty line GIFT puts between questions.
        const std::size_t lineEnd = close == std::string::npos ? close : rest.find('\n', close);
        const bool nextQuestion = lineEnd != std::string::npos && findUnescaped(rest, '{', lineEnd) != std::string::npos;
        Skip(result, position, label, nextQuestion ? reason::kNoEmptyLine : reason::kUnreadable);
        return;
    }
    const std::string body = Trimmed(std::string_view(rest).substr(open + 1, close - open - 1));
    const std::string before = Trimmed(std::string_view(rest).substr(0, open));
    const std::string after = Trimmed(std::string_view(rest).substr(close + 1));
    // Text after the answers makes a "missing word" question: the answers
    // stand where the blank is.
    q.text = textOf(after.empty() ? before : before + " _____ " + after, format);

    bool truth = true;
    if (body.empty()) {
        Skip(result, position, label, reason::kEssay);
        return;
    }
    if (isTrueFalse(body, truth)) {
        q.kind = Kind::TrueFalse;
        q.statements = {{std::string(), truth}};
        Keep(result, std::move(q), position);
        return;
    }
    if (body.front() == '#') {
        const auto field = numericAnswer(std::string_view(body).substr(1));
        if (const int* why = std::get_if<int>(&field)) {
            Skip(result, position, label, *why);
            return;
        }
        q.kind = Kind::Typed;
        q.fields = {std::get<AnswerField>(field)};
        Keep(result, std::move(q), position);
        return;
    }
    const std::vector<Item> items = splitItems(body);
    if (items.empty()) {
        Skip(result, position, label, reason::kUnreadable);
        return;
    }
    bool anyWrong = false;
    for (const Item& item : items) {
        if (item.sign == '=' && item.text.find("->") != std::string::npos) {
            Skip(result, position, label, reason::kMatching);
            return;
        }
        anyWrong = anyWrong || item.sign == '~';
    }
    if (!anyWrong) {
        // Only "=" answers: each is an accepted typed answer.
        AnswerField field;
        for (const Item& item : items) {
            if (item.weight < 100) {
                Skip(result, position, label, reason::kSeveralRight);
                return;
            }
            field.answers.push_back(textOf(item.text, "plain"));
        }
        if (field.answers.size() > static_cast<std::size_t>(kMaxAcceptedAnswers)) {
            Skip(result, position, label, reason::kTooManyAnswers);
            return;
        }
        q.kind = Kind::Typed;
        q.fields = {field};
        Keep(result, std::move(q), position);
        return;
    }
    std::vector<int> right;
    for (const Item& item : items) {
        if (item.weight > 0 && item.weight < 100) {
            Skip(result, position, label, reason::kSeveralRight);
            return;
        }
        if (item.weight >= 100)
            right.push_back(static_cast<int>(q.choices.size()));
        q.choices.push_back(textOf(item.text, format));
    }
    if (const std::optional<int> problem = ChoiceProblem(q.choices, right)) {
        Skip(result, position, label, *problem);
        return;
    }
    q.kind = Kind::Choice;
    q.rightChoice = right.front();
    Keep(result, std::move(q), position);
}

}  // namespace

ImportResult ReadGift(std::string_view bytes)
{
    ImportResult result;
    const std::string text = NormalisedText(bytes);
    std::string block;
    int position = 0;
    std::vector<std::string> categories;
    auto endBlock = [&] {
        const std::string question = Trimmed(block);
        block.clear();
        if (question.empty())
            return;
        readQuestion(result, question, ++position);
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trimmed(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.rfind("//", 0) == 0)
            continue;
        if (line.rfind("$CATEGORY:", 0) == 0) {
            endBlock();
            const std::string last = LastCategory(line.substr(10));
            if (!last.empty() && std::find(categories.begin(), categories.end(), last) == categories.end())
                categories.push_back(last);
            continue;
        }
        if (line.empty()) {
            endBlock();
            continue;
        }
        block += line;
        block += '\n';
    }
    endBlock();
    if (categories.size() == 1)
        result.category = categories.front();
    return result;
}

}  // namespace dorvel::exchange
