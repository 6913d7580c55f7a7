#include "exchange/QuestionReaders.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"
#include "exchange/Reasons.h"

#include <cctype>

namespace dorvel::exchange {

namespace {

// "B. text", "B) text", "B)text" or "B.<tab>text": the letter's index, or -1.
int optionLetter(const std::string& line)
{
    if (line.size() >= 3 && line[0] >= 'A' && line[0] <= 'Z' && (line[1] == '.' || line[1] == ')'))
        return line[0] - 'A';
    return -1;
}

bool isAnswerLine(const std::string& line)
{
    return line.rfind("ANSWER:", 0) == 0;
}

}  // namespace

ImportResult ReadAiken(std::string_view bytes)
{
    ImportResult result;
    const std::string text = NormalisedText(bytes);
    int position = 0;
    Question q;
    bool open = false;    // a question's text has been read
    bool broken = false;  // an option out of order: the question cannot be read
    auto reset = [&] {
        q = Question{};
        open = broken = false;
    };
    auto unfinished = [&] {
        if (open)
            Skip(result, ++position, q.text, reason::kNoRightAnswer);
        reset();
    };
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trimmed(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        if (!open) {
            q.text = line;
            open = true;
            continue;
        }
        if (isAnswerLine(line)) {
            ++position;
            std::string letter = Trimmed(line.substr(7));
            // "ANSWER: B." and "ANSWER: B)" name B as well.
            if (letter.size() == 2 && (letter[1] == '.' || letter[1] == ')'))
                letter.pop_back();
            const int right = letter.size() == 1 ? letter[0] - 'A' : -1;
            std::vector<int> rightList;
            if (right >= 0 && right < static_cast<int>(q.choices.size()))
                rightList.push_back(right);
            if (broken) {
                Skip(result, position, q.text, reason::kUnreadable);
            } else if (const std::optional<int> problem = ChoiceProblem(q.choices, rightList)) {
                Skip(result, position, q.text, *problem);
            } else {
                q.kind = Kind::Choice;
                q.rightChoice = right;
                Keep(result, std::move(q), position);
            }
            reset();
            continue;
        }
        int letter = optionLetter(line);
        // Only "A." begins the choices: "I.e. ..." goes on with the text.
        if (letter > 0 && q.choices.empty())
            letter = -1;
        if (letter < 0 && q.choices.empty()) {
            // The question's text goes on over several lines.
            q.text += "\n" + line;
            continue;
        }
        if (letter < 0) {
            // A new question began before the last one named its answer.
            unfinished();
            q.text = line;
            open = true;
            continue;
        }
        if (letter != static_cast<int>(q.choices.size()))
            broken = true;
        q.choices.push_back(Trimmed(line.substr(2)));
    }
    unfinished();
    return result;
}

}  // namespace dorvel::exchange
