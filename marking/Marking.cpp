#include "marking/Marking.h"

#include "storage/TextCodec.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <charconv>
#include <set>

namespace dorvel {

namespace {

// The blanks of a typed answer: what JavaScript's \s matches, so that the
// web test's copy of these rules (marking.js) collapses the same characters.
bool isBlank(char32_t c)
{
    return c == U'\t' || c == U'\n' || c == U'\v' || c == U'\f' || c == U'\r' || c == U' ' || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000
        || c == 0xFEFF;
}

// Runs of blanks as one space, none at either end.
std::string tidy(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (const char32_t c : CodePoints(text)) {
        if (isBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        out += EncodeUtf8(c);
    }
    return out;
}

std::string lower(const std::string& text)
{
    std::string out;
    icu::UnicodeString::fromUTF8(text).toLower(icu::Locale::getRoot()).toUTF8String(out);
    return out;
}

std::string upper(const std::string& text)
{
    std::string out;
    icu::UnicodeString::fromUTF8(text).toUpper(icu::Locale::getRoot()).toUTF8String(out);
    return out;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

double markChoice(const Question& q, const Response& response)
{
    std::set<int> chosen;
    for (const int k : response.chosen)
        if (k >= 0 && k < static_cast<int>(q.choices.size()))
            chosen.insert(k);
    if (!q.manyRight)
        return chosen.size() == 1 && q.choices[static_cast<std::size_t>(*chosen.begin())].weight > 0 ? 1 : 0;
    double sum = 0;
    for (const int k : chosen)
        sum += q.choices[static_cast<std::size_t>(k)].weight;
    return std::clamp(sum, 0.0, 1.0);
}

}  // namespace

bool ReadTypedNumber(std::string_view text, double& value)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    bool digits = false;
    while (i < text.size() && isDigit(text[i])) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        std::size_t j = i + 1;
        std::string fraction;
        while (j < text.size() && isDigit(text[j]))
            fraction += text[j++];
        if (digits || !fraction.empty()) {
            number += (digits ? "." : "0.") + fraction;
            digits = true;
            i = j;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                exponent += text[j++];
            number += exponent;
        }
    }
    // from_chars, unlike strtod, does not follow the locale's decimal point.
    // A number too large for a double is none (JavaScript reads it as
    // Infinity, which marking.js refuses alike).
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    return ec == std::errc() && end == number.data() + number.size();
}

bool AnswerAccepted(FieldKind kind, const std::vector<Accepted>& accepted, std::string_view typed)
{
    const std::string answer = tidy(typed);
    if (answer.empty())
        return false;
    if (kind == FieldKind::NumberRange) {
        double v = 0, low = 0, high = 0;
        if (accepted.size() < 2 || !ReadTypedNumber(answer, v) || !ReadTypedNumber(tidy(accepted[0].text), low)
            || !ReadTypedNumber(tidy(accepted[1].text), high))
            return false;
        return v >= std::min(low, high) && v <= std::max(low, high);
    }
    if (kind == FieldKind::Numbers) {
        double v = 0;
        if (!ReadTypedNumber(answer, v))
            return false;
        for (const Accepted& a : accepted) {
            double n = 0;
            if (ReadTypedNumber(tidy(a.text), n) && n == v)
                return true;
        }
        return false;
    }
    const std::string answerLower = lower(answer), answerUpper = upper(answer);
    for (const Accepted& a : accepted) {
        const std::string text = tidy(a.text);
        if (!text.empty() && (lower(text) == answerLower || upper(text) == answerUpper))
            return true;
    }
    return false;
}

Mark MarkQuestion(const Question& q, const Response& response)
{
    Mark mark;
    switch (q.kind) {
    case QuestionKind::Choice:
        mark.max = 1;
        mark.parts.push_back(markChoice(q, response));
        break;
    case QuestionKind::TrueFalse:
        for (std::size_t k = 0; k < q.statements.size(); ++k) {
            const int given = k < response.statements.size() ? response.statements[k] : -1;
            const bool right = (given == 1 && q.statements[k].isTrue) || (given == 0 && !q.statements[k].isTrue);
            mark.parts.push_back(right ? 1 : 0);
        }
        mark.max = static_cast<double>(q.statements.size());
        break;
    case QuestionKind::Typed:
        for (std::size_t f = 0; f < q.fields.size(); ++f) {
            const std::string typed = f < response.typed.size() ? response.typed[f] : std::string();
            mark.parts.push_back(AnswerAccepted(q.fields[f].kind, q.fields[f].accepted, typed) ? 1 : 0);
        }
        mark.max = static_cast<double>(q.fields.size());
        break;
    }
    for (const double part : mark.parts)
        mark.score += part;
    return mark;
}

}  // namespace dorvel
