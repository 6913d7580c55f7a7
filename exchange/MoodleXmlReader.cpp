#include "exchange/QuestionReaders.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"
#include "exchange/Reasons.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace dorvel::exchange {

namespace {

struct XmlAnswer {
    double fraction = 0;
    std::string text;
    std::string format;
    std::string tolerance;
};

// A <file> of a question: Moodle embeds the pictures of a text in base64.
struct XmlFile {
    std::string name;  // its path and name as the text refers to it ("/map.png")
    std::string encoding;
    bool inText = false;    // a file of the question's text: only those are read
    std::string base64;     // without blanks
    bool tooLarge = false;  // more than a picture may be: not kept, never decoded
};

// The base64 characters of the largest picture taken.
constexpr std::size_t kMaxPictureBase64 = (static_cast<std::size_t>(kMaxPictureBytes) + 2) / 3 * 4;

// How a text refers to the files that come with it.
constexpr std::string_view kPluginFile = "@@PLUGINFILE@@";

// What a <question> element holds, as far as we read it.
struct XmlQuestion {
    std::string type;
    std::string name;
    std::string text;
    std::string textFormat = "html";
    std::string single = "true";
    std::string category;
    std::vector<XmlAnswer> answers;
    std::vector<XmlFile> files;
    bool tooLong = false;
};

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string textIn(const std::string& text, const std::string& format)
{
    const std::string f = lower(format);
    if (f == "plain_text")
        return NormalisedText(text);
    if (f == "markdown")
        return MarkedTextFromMarkdown(NormalisedText(text));
    if (f == "moodle_auto_format") {
        // Text where the tags HTML knows are tags and a line break is a break.
        std::string withBreaks;
        for (const char c : NormalisedText(text))
            withBreaks += c == '\n' ? std::string("<br>") : std::string(1, c);
        return MarkedTextFromHtml(withBreaks, Tags::KnownOnly);
    }
    return MarkedTextFromHtml(text);
}

// The last part of a file's path, for the author.
std::string fileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The picture a file holds, or why it cannot be one.
MediaVerdict decodedPicture(const XmlFile& file, std::string& bytes)
{
    if (file.tooLarge)
        return MediaVerdict::TooLarge;
    if (lower(file.encoding) != "base64")
        return MediaVerdict::WrongContent;
    const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
        QByteArray::fromRawData(file.base64.data(), static_cast<qsizetype>(file.base64.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return MediaVerdict::WrongContent;
    const MediaCheck check = CheckMediaBytes(fileName(file.name), MediaKind::Picture,
                                             std::string_view(decoded.decoded.constData(), static_cast<std::size_t>(decoded.decoded.size())));
    if (!check.ok())
        return check.verdict;
    bytes = decoded.decoded.toStdString();
    return MediaVerdict::Ok;
}

// The question's picture: the first picture of its text whose file the
// question carries and the media checks take. Every other picture and
// file of the question is listed as left out (returned).
std::vector<LeftOut> takePicture(Question& q, const XmlQuestion& x, int position, const std::string& label)
{
    std::vector<LeftOut> leftOut;
    auto leave = [&](int why, const std::string& detail, MediaVerdict verdict = MediaVerdict::Ok) {
        // A sound is no picture: it was not left out for being a second one.
        std::string ext = detail.substr(std::min(detail.size(), detail.rfind('.')));
        ext = lower(ext);
        MediaKind kind = MediaKind::Picture;
        if (why == reason::kFileLeftOut && MediaKindOfExtension(ext, kind) && kind == MediaKind::Sound)
            why = reason::kSoundLeftOut;
        // A file named twice is one file left out, said once.
        for (const LeftOut& l : leftOut)
            if (l.reason == why && l.detail == detail)
                return;
        leftOut.push_back({position, ShortLabel(label), why, detail, verdict});
    };
    std::vector<bool> referred(x.files.size(), false);
    std::size_t taken = x.files.size();
    const std::string format = lower(x.textFormat);
    const bool html = format != "plain_text" && format != "markdown";
    for (const HtmlImage& image : html ? ImagesInHtml(x.text) : std::vector<HtmlImage>{}) {
        if (image.src.compare(0, kPluginFile.size(), kPluginFile) != 0) {
            leave(reason::kFileLeftOut, image.src);  // a picture from elsewhere
            continue;
        }
        // Names are URL-encoded; a platform may add "?time=..." to the address.
        std::string ref = image.src.substr(kPluginFile.size());
        ref = ref.substr(0, ref.find('?'));
        ref = QUrl::fromPercentEncoding(QByteArray::fromStdString(ref)).toStdString();
        std::size_t k = 0;
        while (k < x.files.size() && !(x.files[k].inText && x.files[k].name == ref))
            ++k;
        if (k == x.files.size()) {
            leave(reason::kPictureNotInFile, fileName(ref));
            continue;
        }
        if (referred[k])
            continue;  // the same picture shown twice
        referred[k] = true;
        if (taken < x.files.size()) {
            leave(reason::kFileLeftOut, fileName(ref));
            continue;
        }
        std::string bytes;
        const MediaVerdict verdict = decodedPicture(x.files[k], bytes);
        if (verdict != MediaVerdict::Ok) {
            leave(reason::kPictureRefused, fileName(ref), verdict);
            continue;
        }
        taken = k;
        q.picture = {fileName(ref), std::move(bytes), NormalisedText(image.alt)};
    }
    for (std::size_t k = 0; k < x.files.size(); ++k)
        if (!referred[k])
            leave(reason::kFileLeftOut, fileName(x.files[k].name));
    return leftOut;
}

bool isRight(double fraction)
{
    return fraction >= 99.99;
}

void convert(ImportResult& result, const XmlQuestion& x, int position)
{
    Question q;
    q.name = NormalisedText(x.name);
    q.text = textIn(x.text, x.textFormat);
    // A name that is only the start of the text (what platforms and our own
    // export give a question without one) is no name of its own.
    if (q.name == ShortLabel(q.text))
        q.name.clear();
    const std::string label = q.name.empty() ? q.text : q.name;
    if (x.tooLong) {
        Skip(result, position, label.substr(0, 200), reason::kTextTooLong);
        return;
    }
    const std::string type = lower(x.type);
    if (type == "multichoice") {
        if (lower(x.single) == "false" || x.single == "0") {
            Skip(result, position, label, reason::kSeveralRight);
            return;
        }
        std::vector<int> right;
        for (const XmlAnswer& a : x.answers) {
            if (a.fraction > 0 && !isRight(a.fraction)) {
                Skip(result, position, label, reason::kSeveralRight);
                return;
            }
            if (isRight(a.fraction))
                right.push_back(static_cast<int>(q.choices.size()));
            q.choices.push_back(textIn(a.text, a.format));
        }
        if (const std::optional<int> problem = ChoiceProblem(q.choices, right)) {
            Skip(result, position, label, *problem);
            return;
        }
        q.kind = Kind::Choice;
        q.rightChoice = right.front();
    } else if (type == "truefalse") {
        int truth = -1;
        for (const XmlAnswer& a : x.answers)
            if (isRight(a.fraction))
                truth = lower(MarkedTextFromHtml(a.text)) == "true" ? 1 : 0;
        if (truth < 0) {
            Skip(result, position, label, reason::kNoRightAnswer);
            return;
        }
        q.kind = Kind::TrueFalse;
        q.statements = {{std::string(), truth == 1}};
    } else if (type == "shortanswer") {
        AnswerField field;
        for (const XmlAnswer& a : x.answers) {
            if (a.fraction > 0 && !isRight(a.fraction)) {
                Skip(result, position, label, reason::kSeveralRight);
                return;
            }
            if (!isRight(a.fraction))
                continue;
            // Accepted answers are plain text whatever format they name.
            const std::string answer = NormalisedText(a.text);
            if (answer.find('*') != std::string::npos) {
                Skip(result, position, label, reason::kWildcard);
                return;
            }
            field.answers.push_back(answer);
        }
        if (field.answers.empty()) {
            Skip(result, position, label, reason::kNoRightAnswer);
            return;
        }
        if (field.answers.size() > static_cast<std::size_t>(kMaxAcceptedAnswers)) {
            Skip(result, position, label, reason::kTooManyAnswers);
            return;
        }
        q.kind = Kind::Typed;
        q.fields = {field};
    } else if (type == "numerical") {
        std::vector<AnswerField> right;
        for (const XmlAnswer& a : x.answers) {
            if (a.fraction > 0 && !isRight(a.fraction)) {
                Skip(result, position, label, reason::kSeveralRight);
                return;
            }
            if (!isRight(a.fraction))
                continue;
            const std::optional<AnswerField> field = NumericField(MarkedTextFromHtml(a.text), a.tolerance);
            if (!field) {
                Skip(result, position, label, reason::kNotANumber);
                return;
            }
            right.push_back(*field);
        }
        if (right.empty()) {
            Skip(result, position, label, reason::kNoRightAnswer);
            return;
        }
        AnswerField field = right.front();
        if (right.size() > 1) {
            field = AnswerField{};
            field.numeric = true;
            for (const AnswerField& f : right) {
                if (f.range) {
                    Skip(result, position, label, reason::kSeveralRight);
                    return;
                }
                field.answers.push_back(f.answers.front());
            }
            if (field.answers.size() > static_cast<std::size_t>(kMaxAcceptedAnswers)) {
                Skip(result, position, label, reason::kTooManyAnswers);
                return;
            }
        }
        q.kind = Kind::Typed;
        q.fields = {field};
    } else if (type == "matching" || type == "ddmatch") {
        Skip(result, position, label, reason::kMatching);
        return;
    } else if (type == "essay") {
        Skip(result, position, label, reason::kEssay);
        return;
    } else if (type == "multianswer") {
        Skip(result, position, label, reason::kCloze);
        return;
    } else {
        Skip(result, position, label, reason::kUnsupportedType);
        return;
    }
    std::vector<LeftOut> leftOut = takePicture(q, x, position, label);
    const std::size_t kept = result.questions.size();
    Keep(result, std::move(q), position);
    // Only a question that came in has parts that did not.
    if (result.questions.size() > kept)
        result.leftOut.insert(result.leftOut.end(), leftOut.begin(), leftOut.end());
}

}  // namespace

ImportResult ReadMoodleXml(std::string_view bytes)
{
    ImportResult result;
    // The reader never loads anything from outside: external entities stay
    // unresolved. A document type is refused outright all the same, so that
    // no declared entity can be expanded (entity bombs) either.
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    std::vector<std::string> path;
    std::vector<std::string> categories;
    std::string current;  // the category the next questions go into
    XmlQuestion question;
    bool inQuestion = false;
    int position = 0;
    std::string* collecting = nullptr;  // the text being read, if any
    XmlFile* collectingFile = nullptr;  // the file being read, if any
    auto refuse = [&](int why, const std::string& detail) {
        ImportResult refused;
        refused.error = why;
        refused.errorDetail = detail;
        return refused;
    };
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference)
            return refuse(reason::kDocumentType, {});
        if (token == QXmlStreamReader::StartElement) {
            if (static_cast<int>(path.size()) >= kMaxXmlDepth)
                return refuse(reason::kTooDeep, std::to_string(xml.lineNumber()));
            const std::string name = xml.name().toString().toStdString();
            path.push_back(name);
            const std::size_t depth = path.size();
            collecting = nullptr;
            collectingFile = nullptr;
            if (depth == 2 && name == "question" && path[0] == "quiz") {
                question = XmlQuestion{};
                question.type = xml.attributes().value(QStringLiteral("type")).toString().toStdString();
                inQuestion = true;
            } else if (inQuestion && depth == 3 && name == "answer") {
                XmlAnswer answer;
                answer.fraction = xml.attributes().value(QStringLiteral("fraction")).toString().toDouble();
                answer.format = xml.attributes().value(QStringLiteral("format")).toString().toStdString();
                question.answers.push_back(answer);
            } else if (inQuestion && depth == 3 && name == "questiontext") {
                const QString format = xml.attributes().value(QStringLiteral("format")).toString();
                if (!format.isEmpty())
                    question.textFormat = format.toStdString();
            } else if (inQuestion && depth == 3 && name == "single") {
                collecting = &question.single;
                question.single.clear();
            } else if (inQuestion && depth == 4 && name == "text") {
                const std::string& parent = path[2];
                if (parent == "name")
                    collecting = &question.name;
                else if (parent == "questiontext")
                    collecting = &question.text;
                else if (parent == "category")
                    collecting = &question.category;
                else if (parent == "answer" && !question.answers.empty())
                    collecting = &question.answers.back().text;
            } else if (inQuestion && depth == 4 && name == "tolerance" && path[2] == "answer" && !question.answers.empty()) {
                collecting = &question.answers.back().tolerance;
            } else if (inQuestion && depth >= 4 && name == "file") {
                const QXmlStreamAttributes attributes = xml.attributes();
                XmlFile file;
                std::string folder = attributes.value(QStringLiteral("path")).toString().toStdString();
                if (folder.empty() || folder.back() != '/')
                    folder += '/';
                file.name = folder + attributes.value(QStringLiteral("name")).toString().toStdString();
                file.encoding = attributes.value(QStringLiteral("encoding")).toString().toStdString();
                file.inText = depth == 4 && path[2] == "questiontext";
                question.files.push_back(std::move(file));
                if (question.files.back().inText)
                    collectingFile = &question.files.back();
            }
        } else if (token == QXmlStreamReader::Characters && collectingFile) {
            XmlFile& file = *collectingFile;
            for (const QChar c : xml.text()) {
                if (file.tooLarge)
                    break;
                if (c.isSpace())
                    continue;
                // Past the limit the file is refused before it is decoded.
                if (file.base64.size() == kMaxPictureBase64) {
                    file.tooLarge = true;
                    std::string().swap(file.base64);
                    break;
                }
                file.base64 += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '!';
            }
        } else if (token == QXmlStreamReader::Characters && collecting) {
            const QByteArray text = xml.text().toUtf8();
            if (collecting->size() + static_cast<std::size_t>(text.size()) > kMaxTextLength)
                question.tooLong = true;
            else
                collecting->append(text.constData(), static_cast<std::size_t>(text.size()));
        } else if (token == QXmlStreamReader::EndElement) {
            collecting = nullptr;
            collectingFile = nullptr;
            if (path.size() == 2 && inQuestion) {
                inQuestion = false;
                if (lower(question.type) == "category") {
                    const std::string category = LastCategory(NormalisedText(question.category));
                    current = category;
                    if (!category.empty() && std::find(categories.begin(), categories.end(), category) == categories.end())
                        categories.push_back(category);
                } else {
                    const std::size_t count = result.questions.size();
                    convert(result, question, ++position);
                    if (result.questions.size() > count)
                        result.questions.back().category = current;
                }
            }
            if (!path.empty())
                path.pop_back();
        }
    }
    if (xml.hasError())
        return refuse(reason::kNotWellFormed,
                      std::to_string(xml.lineNumber()) + ": " + xml.errorString().toStdString());
    if (categories.size() == 1)
        result.category = categories.front();
    return result;
}

}  // namespace dorvel::exchange
