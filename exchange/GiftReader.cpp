#include "exchange/QuestionReaders.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"
#include "exchange/Reasons.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QUrl>

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

// The first unescaped "::" from `from`, or npos.
std::size_t findNameEnd(std::string_view s, std::size_t from)
{
    for (std::size_t i = from; i + 1 < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == ':' && s[i + 1] == ':')
            return i;
    }
    return std::string_view::npos;
}

// A text's format marker at its start ("[html]", "[moodle]", "[plain]",
// "[markdown]"), taken off `text`; "" when it has none.
std::string takeFormat(std::string& text)
{
    const std::string t = Trimmed(text);
    if (t.empty() || t.front() != '[')
        return {};
    const std::size_t end = t.find(']');
    if (end == std::string::npos)
        return {};
    std::string name = t.substr(1, end - 1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name != "html" && name != "moodle" && name != "plain" && name != "markdown")
        return {};
    text = t.substr(end + 1);
    return name;
}

// A text of the question as marked text, by the format the question names.
std::string textOf(std::string_view raw, const std::string& format)
{
    const std::string text = unescape(Trimmed(raw));
    if (format == "plain")
        return text;
    if (format == "markdown")
        return MarkedTextFromMarkdown(text);
    // [html] is HTML; the default format and [moodle] (Moodle's
    // "auto-format") are text in which the tags HTML knows are tags. In
    // both a line break is a break.
    std::string withBreaks;
    for (const char c : text)
        withBreaks += c == '\n' ? std::string("<br>") : std::string(1, c);
    return MarkedTextFromHtml(withBreaks, format == "html" ? Tags::Html : Tags::KnownOnly);
}

// A choice or answer as marked text: its own format marker, else the question's.
std::string answerText(std::string raw, const std::string& questionFormat)
{
    const std::string own = takeFormat(raw);
    return textOf(raw, own.empty() ? questionFormat : own);
}

// The last part of a path.
std::string lastPart(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The picture that `src` names in the file's folder: its bytes, or the
// reason it cannot come (with the media checks' verdict). Only a relative
// path that stays inside the folder is followed, never ".." nor a link out.
int pictureBeside(const std::string& folder, const std::string& src, std::string& bytes, MediaVerdict& verdict)
{
    std::string ref = src.substr(0, src.find_first_of("?#"));
    ref = QUrl::fromPercentEncoding(QByteArray::fromStdString(ref)).toStdString();
    if (folder.empty() || ref.empty() || ref.front() == '/' || ref.find_first_of(":\\") != std::string::npos)
        return reason::kPictureNotBeside;
    for (std::size_t start = 0; start <= ref.size();) {
        std::size_t end = ref.find('/', start);
        if (end == std::string::npos)
            end = ref.size();
        if (ref.compare(start, end - start, "..") == 0)
            return reason::kPictureNotBeside;
        start = end + 1;
    }
    const QString root = QFileInfo(QString::fromStdString(folder)).canonicalFilePath();
    const QFileInfo info(QString::fromStdString(folder) + QLatin1Char('/') + QString::fromStdString(ref));
    const QString real = info.canonicalFilePath();
    if (root.isEmpty() || real.isEmpty() || !real.startsWith(root + QLatin1Char('/')))
        return reason::kPictureNotBeside;
    verdict = MediaVerdict::Ok;
    if (!QFileInfo(real).isFile())
        verdict = MediaVerdict::NotAFile;
    else if (QFileInfo(real).size() > kMaxPictureBytes)
        verdict = MediaVerdict::TooLarge;
    QFile file(real);
    if (verdict == MediaVerdict::Ok && !file.open(QIODevice::ReadOnly))
        verdict = MediaVerdict::Missing;
    if (verdict == MediaVerdict::Ok) {
        const QByteArray read = file.read(kMaxPictureBytes + 1);
        bytes.assign(read.constData(), static_cast<std::size_t>(read.size()));
        verdict = CheckMediaBytes(lastPart(ref), MediaKind::Picture, bytes).verdict;
    }
    if (verdict != MediaVerdict::Ok) {
        bytes.clear();
        return reason::kPictureRefused;
    }
    return 0;
}

// The question's picture: the first picture of its HTML that the file's
// folder holds and the media checks take. Every other picture, and every
// sound the text links to, is listed as left out (returned).
std::vector<LeftOut> takePictures(Question& q, const std::string& html, const std::string& folder, int position,
                                  const std::string& label)
{
    std::vector<LeftOut> leftOut;
    std::vector<std::string> seen;
    auto leave = [&](int why, const std::string& detail, MediaVerdict verdict = MediaVerdict::Ok) {
        leftOut.push_back({position, ShortLabel(label), why, detail, verdict});
    };
    for (const HtmlImage& image : ImagesInHtml(html)) {
        if (image.src.empty() || std::find(seen.begin(), seen.end(), image.src) != seen.end())
            continue;  // the same picture shown twice is one picture
        seen.push_back(image.src);
        if (!q.picture.bytes.empty()) {
            leave(reason::kFileLeftOut, image.src);
            continue;
        }
        std::string bytes;
        MediaVerdict verdict = MediaVerdict::Ok;
        if (const int why = pictureBeside(folder, image.src, bytes, verdict)) {
            leave(why, image.src, verdict);
            continue;
        }
        const std::string path = image.src.substr(0, image.src.find_first_of("?#"));
        q.picture = {lastPart(QUrl::fromPercentEncoding(QByteArray::fromStdString(path)).toStdString()), std::move(bytes),
                     NormalisedText(image.alt)};
    }
    for (const std::string& link : LinksInHtml(html)) {
        const std::string path = link.substr(0, link.find_first_of("?#"));
        const std::size_t dot = path.rfind('.');
        std::string ext = dot == std::string::npos ? std::string() : path.substr(dot);
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        MediaKind kind = MediaKind::Picture;
        if (std::find(seen.begin(), seen.end(), link) != seen.end() || !MediaKindOfExtension(ext, kind))
            continue;
        seen.push_back(link);
        leave(kind == MediaKind::Sound ? reason::kSoundLeftOut : reason::kFileLeftOut, link);
    }
    return leftOut;
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
    // Text before the first "=" or "~" is an answer too (sign 0: the caller
    // says what it is), as in "{t}" or "{#3:2 =4}".
    const std::size_t firstSign = std::min(findUnescaped(body, '='), findUnescaped(body, '~'));
    if (!Trimmed(body.substr(0, std::min(firstSign, findUnescaped(body, '#')))).empty()) {
        items.push_back({0, 0, false, std::string(body.substr(0, std::min(firstSign, body.size())))});
        i = std::min(firstSign, body.size());
    }
    while (i < body.size()) {
        if (body[i] == '\\') {
            if (!items.empty())
                items.back().text += body.substr(i, 2);
            i += 2;
            continue;
        }
        if (body[i] == '=' || body[i] == '~') {
            // "~=right": the "~" before the "=" marks nothing (Moodle drops
            // the empty answer it would make).
            if (!items.empty() && items.back().sign == '~' && !items.back().weighted && Trimmed(items.back().text).empty())
                items.pop_back();
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
    // Upper case only, as Moodle reads it: "{t}" is a short answer "t".
    word = Trimmed(word);
    if (word == "T" || word == "TRUE")
        return truth = true, true;
    if (word == "F" || word == "FALSE")
        return truth = false, true;
    return false;
}

// "{#...}": one number with a tolerance, a range "a..b", or several "=" answers.
std::variant<AnswerField, int> numericAnswer(std::string_view body)
{
    // A "~" begins the feedback for every wrong number ("{#3:2 ~#Think
    // again}"): it holds no answer.
    body = body.substr(0, findUnescaped(body, '~'));
    std::vector<Item> items = splitItems(body);
    // The first answer needs no "=": "{#3:2 =4:0}".
    if (!items.empty() && items.front().sign == 0)
        items.front() = {'=', 100, false, items.front().text};
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
void readQuestion(ImportResult& result, std::string_view block, int position, const std::string& folder)
{
    std::string rest(block);
    Question q;
    // Name, text and answers each stay within the limit of one text.
    if (rest.size() > 8 * kMaxTextLength) {
        Skip(result, position, rest.substr(0, 200), reason::kTextTooLong);
        return;
    }
    if (rest.rfind("::", 0) == 0) {
        // A name may hold a colon of its own: "::Unit 3: Verbs::".
        const std::size_t end = findNameEnd(rest, 2);
        if (end != std::string::npos) {
            q.name = unescape(Trimmed(std::string_view(rest).substr(2, end - 2)));
            rest.erase(0, end + 2);
            rest = Trimmed(rest);
        }
    }
    const std::string format = takeFormat(rest);
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
    std::string body = Trimmed(std::string_view(rest).substr(open + 1, close - open - 1));
    // "####" begins the general feedback, for every kind of question.
    for (std::size_t i = 0; i + 3 < body.size(); ++i) {
        if (body[i] == '\\') {
            ++i;
        } else if (body.compare(i, 4, "####") == 0) {
            body = Trimmed(std::string_view(body).substr(0, i));
            break;
        }
    }
    const std::string before = Trimmed(std::string_view(rest).substr(0, open));
    const std::string after = Trimmed(std::string_view(rest).substr(close + 1));
    // Text after the answers makes a "missing word" question: the answers
    // stand where the blank is.
    const std::string rawText = unescape(after.empty() ? before : before + " _____ " + after);
    q.text = textOf(after.empty() ? before : before + " _____ " + after, format);
    // Pictures and sounds come only with text that may hold HTML.
    auto keep = [&](Question&& kept) {
        std::vector<LeftOut> leftOut;
        if (format != "plain" && format != "markdown")
            leftOut = takePictures(kept, rawText, folder, position, label);
        const std::size_t count = result.questions.size();
        Keep(result, std::move(kept), position);
        // Only a question that came in has parts that did not.
        if (result.questions.size() > count)
            result.leftOut.insert(result.leftOut.end(), leftOut.begin(), leftOut.end());
    };

    bool truth = true;
    if (body.empty()) {
        Skip(result, position, label, reason::kEssay);
        return;
    }
    if (isTrueFalse(body, truth)) {
        q.kind = Kind::TrueFalse;
        q.statements = {{std::string(), truth}};
        keep(std::move(q));
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
        keep(std::move(q));
        return;
    }
    std::vector<Item> items = splitItems(body);
    if (items.empty()) {
        Skip(result, position, label, reason::kUnreadable);
        return;
    }
    const bool anyWrong = std::any_of(items.begin(), items.end(), [](const Item& item) { return item.sign == '~'; });
    // An answer without a sign is a wrong choice among choices, else an
    // accepted answer ("{t}").
    if (items.front().sign == 0)
        items.front() = anyWrong ? Item{'~', 0, false, items.front().text} : Item{'=', 100, false, items.front().text};
    // Pairs "a -> 1" make a matching question; with a "~" among the answers
    // it is a choice question whose choices hold "->".
    if (!anyWrong && std::any_of(items.begin(), items.end(), [](const Item& item) { return item.text.find("->") != std::string::npos; })) {
        Skip(result, position, label, reason::kMatching);
        return;
    }
    if (!anyWrong) {
        // Only "=" answers: each is an accepted typed answer; one of 0 % (as
        // Moodle's own export writes them) is a wrong answer with feedback.
        AnswerField field;
        for (const Item& item : items) {
            if (item.weight <= 0)
                continue;
            if (item.weight < 100) {
                Skip(result, position, label, reason::kSeveralRight);
                return;
            }
            std::string answer = item.text;
            takeFormat(answer);
            field.answers.push_back(textOf(answer, "plain"));
        }
        if (field.answers.size() > static_cast<std::size_t>(kMaxAcceptedAnswers)) {
            Skip(result, position, label, reason::kTooManyAnswers);
            return;
        }
        q.kind = Kind::Typed;
        q.fields = {field};
        keep(std::move(q));
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
        q.choices.push_back(answerText(item.text, format));
    }
    if (const std::optional<int> problem = ChoiceProblem(q.choices, right)) {
        Skip(result, position, label, *problem);
        return;
    }
    q.kind = Kind::Choice;
    q.rightChoice = right.front();
    keep(std::move(q));
}

}  // namespace

ImportResult ReadGift(std::string_view bytes, const std::string& folder)
{
    ImportResult result;
    const std::string text = NormalisedText(bytes);
    std::string block;
    int position = 0;
    std::vector<std::string> categories;
    std::string current;  // the category the next questions go into
    auto endBlock = [&] {
        const std::string question = Trimmed(block);
        block.clear();
        if (question.empty())
            return;
        const std::size_t count = result.questions.size();
        readQuestion(result, question, ++position, folder);
        if (result.questions.size() > count)
            result.questions.back().category = current;
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
            current = last;
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
