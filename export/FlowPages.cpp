#include "export/FlowPages.h"

#include "building/ExpandSet.h"
#include "building/QuestionMediaExpansion.h"
#include "export/AccessibleTexts.h"
#include "export/CreateWebPages.h"
#include "export/ExportWrites.h"
#include "export/ExportedFiles.h"
#include "export/StartPages.h"
#include "export/InlineMarks.h"
#include "export/WebTemplates.h"
#include "export/WebText.h"
#include "languages/LangStrings.h"
#include "model/DefaultRecords.h"
#include "model/FieldKind.h"
#include "model/PassMark.h"
#include "platform/SystemFiles.h"
#include "storage/FileUtils.h"
#include "storage/PartFiles.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <QByteArray>

#include <algorithm>
#include <map>
#include <array>
#include <string_view>
#include <utility>

namespace dorvel {

namespace {

// ---- JSON ------------------------------------------------------------------

// A JSON string that may stand inside an HTML <script> of its own: < > &
// and the two line separators JavaScript once refused are written escaped.
std::string Json(std::string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '<': out += "\\u003c"; break;
        case '>': out += "\\u003e"; break;
        case '&': out += "\\u0026"; break;
        default:
            if (c < 0x20) {
                static const char* hex = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80
                       && (static_cast<unsigned char>(text[i + 2]) == 0xA8
                           || static_cast<unsigned char>(text[i + 2]) == 0xA9)) {
                out += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
                i += 2;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string Bool(bool b)
{
    return b ? "true" : "false";
}

// The HTML the escapers write holds every character beyond ASCII as a
// reference; the pages are UTF-8, so such characters go as they are.
std::string Utf8References(std::string_view html)
{
    std::string out;
    out.reserve(html.size());
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '&' && i + 2 < html.size() && html[i + 1] == '#') {
            const std::size_t end = html.find(';', i);
            if (end != std::string_view::npos && end - i <= 10) {
                char32_t code = 0;
                bool digits = end > i + 2;
                for (std::size_t k = i + 2; k < end && digits; ++k) {
                    digits = html[k] >= '0' && html[k] <= '9';
                    code = code * 10 + static_cast<char32_t>(html[k] - '0');
                }
                if (digits && code >= 160 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                    out += EncodeUtf8(code);
                    i = end;
                    continue;
                }
            }
        }
        out += html[i];
    }
    return out;
}

// A stored text as HTML with its inline marks, lines joined by <br>.
std::string MarkedHtml(std::string_view stored)
{
    std::string out;
    for (const std::string& line : MarkedHtmlLines(DecodeText(SafeStoredValue(stored)))) {
        if (!out.empty())
            out += "<br>";
        out += line;
    }
    return Utf8References(out);
}

std::string Plain(std::string_view stored)
{
    std::string text = DecodeText(SafeStoredValue(stored));
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// ---- the answers' encoding ---------------------------------------------

// Not readable at a glance in the page's source, as the classic pages keep
// them: each byte of the UTF-8 JSON XOR-ed with a running value, in base64.
// engine.js (decodeKey) reverses it.
std::string EncodeKey(const std::string& json)
{
    QByteArray bytes(json.data(), static_cast<qsizetype>(json.size()));
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ ((i * 7 + 13) & 255));
    return bytes.toBase64().toStdString();
}

// ---- the questions -------------------------------------------------------

enum class Kind { Choice,
                  TrueFalse,
                  Typed };

Kind KindOfType(int qType)
{
    if (qType <= 2)
        return Kind::Choice;
    if (qType <= 6)
        return Kind::TrueFalse;
    return Kind::Typed;
}

int CountOfType(int qType)
{
    if (qType <= 2)
        return std::max(qType, 0) + 2;
    if (qType <= 6)
        return qType - 2;
    return std::min(qType - 6, 6);
}

bool LeftOut(const std::string& record)
{
    return record.empty() || GetTagInt(record, "qDisabled", 0) == 1;
}

std::string MediaFileName(int question, const std::string& path, const char* what)
{
    // Flat in the test folder, so the list of exported files names them.
    return "q" + std::to_string(question) + what + LowerCase(ExtractFileExt(path));
}

std::string MimeTypeOf(const std::string& path)
{
    static const std::array<std::pair<const char*, const char*>, 12> types{{{".png", "image/png"},
                                                                            {".jpg", "image/jpeg"},
                                                                            {".jpeg", "image/jpeg"},
                                                                            {".gif", "image/gif"},
                                                                            {".bmp", "image/bmp"},
                                                                            {".svg", "image/svg+xml"},
                                                                            {".webp", "image/webp"},
                                                                            {".mp3", "audio/mpeg"},
                                                                            {".wav", "audio/wav"},
                                                                            {".ogg", "audio/ogg"},
                                                                            {".m4a", "audio/mp4"},
                                                                            {".mid", "audio/midi"}}};
    const std::string ext = LowerCase(ExtractFileExt(path));
    for (const auto& [e, type] : types) {
        if (ext == e)
            return type;
    }
    return "application/octet-stream";
}

std::string DataAddress(const std::string& path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return {};
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return "data:" + MimeTypeOf(path) + ";base64," + data.toBase64().toStdString();
}

// A file or folder name inside an address: what is not a plain letter,
// digit or one of - . _ ~ is percent-encoded (a "#" or "%" in a test's name).
std::string UrlPart(std::string_view name)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_'
            || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

struct QuestionJson {
    std::string shown;  // what the page shows
    std::string key;    // the answers
};

QuestionJson QuestionToJson(int id, const std::string& record, const FlowExport& request,
                            std::vector<FlowMedia>* media, std::vector<std::string>* missing)
{
    const int qType = GetTagInt(record, "qType", 2);
    const Kind kind = KindOfType(qType);
    const int count = CountOfType(qType);
    std::string q = "{\"id\":" + std::to_string(id) + ",\"kind\":"
        + Json(kind == Kind::Choice ? "choice" : kind == Kind::TrueFalse ? "truefalse"
                                                                         : "typed")
        + ",\"title\":" + Json(MarkedHtml(GetTag(record, "Title"))) + ",\"text\":\"\"";
    std::string key = "{";

    std::vector<QuestionMediaProblem> problems;
    const QuestionMediaUse use = UsableQuestionMedia(record, request.setFilePath, id, problems);
    for (const QuestionMediaProblem& p : problems) {
        if (missing)
            missing->push_back(p.path);
    }
    auto address = [&](const std::string& path, const char* what) {
        const std::string name = MediaFileName(id, path, what);
        if (request.singleFile)
            return DataAddress(path);
        if (media)
            media->push_back({name, path});
        // Addresses are read from the page, beside the test folder.
        return UrlPart(TestFolderBase(request.startPage)) + "/" + name;
    };
    if (!use.picture.empty()) {
        q += ",\"picture\":{\"src\":" + Json(address(use.picture, "-picture")) + ",\"alt\":"
            + Json(Plain(use.pictureDescription)) + ",\"width\":" + std::to_string(use.pictureWidth)
            + ",\"height\":" + std::to_string(use.pictureHeight) + "}";
    } else {
        q += ",\"picture\":null";
    }
    if (!use.sound.empty())
        q += ",\"sound\":{\"src\":" + Json(address(use.sound, "-sound")) + ",\"title\":\"\"}";
    else
        q += ",\"sound\":null";
    q += ",\"manyRight\":false,\"shuffle\":false";

    std::string choices, statements, fields, choiceKeys, statementKeys, fieldKeys;
    if (kind == Kind::Choice) {
        const int right = GetTagInt(record, "SelectAnswer", 0);
        for (int k = 1; k <= count; ++k) {
            choices += std::string(choices.empty() ? "" : ",") + "{\"text\":"
                + Json(MarkedHtml(GetTag(record, "Text" + std::to_string(k)))) + "}";
            choiceKeys += std::string(choiceKeys.empty() ? "" : ",") + "{\"weight\":" + (right == k - 1 ? "1" : "0")
                + ",\"feedback\":\"\"}";
        }
    } else if (kind == Kind::TrueFalse) {
        for (int k = 1; k <= count; ++k) {
            statements += std::string(statements.empty() ? "" : ",") + "{\"text\":"
                + Json(MarkedHtml(GetTag(record, "Text" + std::to_string(k)))) + "}";
            statementKeys += std::string(statementKeys.empty() ? "" : ",")
                + "{\"isTrue\":" + Bool(StatementIsTrue(record, k)) + ",\"feedbackTrue\":\"\",\"feedbackFalse\":\"\"}";
        }
    } else {
        for (int f = 1; f <= count; ++f) {
            const FieldKind fieldKind = FieldKindOf(record, f);
            const char* kindName = fieldKind == FieldKind::NumberRange ? "range"
                : fieldKind == FieldKind::Numbers                      ? "number"
                                                                       : "text";
            fields += std::string(fields.empty() ? "" : ",") + "{\"label\":"
                + Json(MarkedHtml(GetTag(record, "Text" + std::to_string(f)))) + ",\"kind\":" + Json(kindName) + "}";
            std::string accepted;
            for (int n = 0; n <= 9; ++n) {
                const std::string answer = Plain(GetTag(record, "a" + std::to_string(f) + std::to_string(n)));
                // A range's bounds keep their places (the first two answers).
                if (answer.empty() && !(fieldKind == FieldKind::NumberRange && n < 2))
                    continue;
                accepted += std::string(accepted.empty() ? "" : ",") + "{\"text\":" + Json(answer) + ",\"feedback\":\"\"}";
            }
            fieldKeys += std::string(fieldKeys.empty() ? "" : ",") + "{\"accepted\":[" + accepted
                + "],\"otherFeedback\":\"\"}";
        }
    }
    q += ",\"choices\":[" + choices + "],\"statements\":[" + statements + "],\"fields\":[" + fields + "]}";
    key += "\"choices\":[" + choiceKeys + "],\"statements\":[" + statementKeys + "],\"fields\":[" + fieldKeys
        + "],\"generalFeedback\":\"\"}";
    return {q, key};
}

// ---- texts and options ---------------------------------------------------

std::string PackText(const LangStrings& lang, int entry, const char* fallback)
{
    const std::string& text = lang.at(entry);
    return text.empty() ? std::string(fallback) : DecodeText(PackPlainText(text));
}

std::string StringsJson(const LangStrings& lang)
{
    const A11yTexts a11y = A11yTextsFrom(lang);
    std::string out = "{";
    auto add = [&](const char* name, const std::string& text) {
        out += std::string(out.size() > 1 ? "," : "") + Json(name) + ":" + Json(text);
    };
    for (std::size_t i = 0; i < kA11yTexts; ++i) {
        std::string text = a11y[i];
        // The shipped texts are Latin-1 with references; the page is UTF-8.
        add(std::string(kA11yKeys[i]).c_str(), DecodeText(PackPlainText(text)));
    }
    add("question", PackText(lang, 86, "Question"));
    add("controls", DecodeText(PackPlainText(a11y[static_cast<std::size_t>(A11yText::ControlsFrame)])));
    add("finishTitle", PackText(lang, 70, "You are about to finish the test."));
    add("finishNote", PackText(lang, 71, "After finishing you cannot change your answers."));
    add("started", PackText(lang, 75, "Started:"));
    add("finished", PackText(lang, 76, "Finished:"));
    add("reviewHint", PackText(lang, 77, "Use the arrows or the slider to look through your marked answers."));
    add("print", PackText(lang, 78, "Print these results"));
    add("results", PackText(lang, 79, "Results"));
    add("examiner", PackText(lang, 80, "Examiner:"));
    add("created", PackText(lang, 81, "Created:"));
    add("yourScore", PackText(lang, 82, "Your Score"));
    add("student", PackText(lang, 320, "Student:"));
    add("yourName", PackText(lang, 561, "Your name:"));
    add("typeName", PackText(lang, 562, "Please type your name, then start the test."));
    add("ok", PackText(lang, 620, "Finish the test"));
    add("cancel", PackText(lang, 621, "Back to the test"));
    add("noscript", PackText(lang, 622, "This test needs JavaScript."));
    return out + "}";
}

bool Flag(const std::string& details, const char* tag, int fallback)
{
    return GetTagInt(details, tag, fallback) == 1;
}

std::string DirectionOf(const std::string& lang)
{
    const std::string primary = LowerCase(lang.substr(0, lang.find('-')));
    for (const char* rtl : {"ar", "he", "fa", "ur", "yi", "ps", "dv", "ku", "sd"}) {
        if (primary == rtl)
            return "rtl";
    }
    return "ltr";
}

std::string Utf8Html(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Template(const char* name)
{
    return LoadWebTemplate(std::string("flow/") + name).value_or(std::string());
}

// The marking script: the shared one when the build carries it.
std::string MarkingScript()
{
    if (auto shared = LoadWebTemplate("flow/marking.js"))
        return *shared;
    return Template("marking-standin.js");
}

// Inline scripts must not hold a closing script tag.
std::string InlineScript(const std::string& code)
{
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = code.find("</"); at != std::string::npos; at = code.find("</", at + 2)) {
        out += code.substr(from, at - from) + "<\\/";
        from = at + 2;
    }
    return "<script>" + out + code.substr(from) + "</script>";
}

}  // namespace

std::string FlowThemeOf(const std::string& testDetails)
{
    const std::string style = LowerCase(GetTag(testDetails, "GraphicStyle"));
    for (const char* theme : {"chalkboard", "notebook", "seaside"}) {
        if (style == theme)
            return theme;
    }
    return "chalkboard";
}

std::vector<int> QuestionsClassicCannotShow(const std::vector<std::string>& questions)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const std::string& r = questions[i];
        if (LeftOut(r))
            continue;
        // Kinds and choices beyond today's records carry tags of their own.
        if (GetTagInt(r, "qType", 2) > 10 || !GetTag(r, "qKind").empty() || !GetTag(r, "c5").empty())
            out.push_back(static_cast<int>(i) + 1);
    }
    return out;
}

std::string FlowTestScript(const FlowExport& request, const LangStrings& lang, std::vector<FlowMedia>* media,
                           std::vector<std::string>* missing)
{
    const std::string& details = request.testDetails;
    std::string questions, keys;
    for (std::size_t i = 0; i < request.questions.size(); ++i) {
        const std::string& record = request.questions[i];
        if (LeftOut(record))
            continue;
        const int id = static_cast<int>(i) + 1;
        const QuestionJson q = QuestionToJson(id, record, request, media, missing);
        questions += (questions.empty() ? "" : ",\n") + q.shown;
        keys += std::string(keys.empty() ? "" : ",") + "\"" + std::to_string(id) + "\":" + q.key;
    }
    const std::string langTag = Say(A11yTextsFrom(lang), A11yText::Language);
    const std::string examiner = Plain(GetTag(details, "ExaminerName"));
    const std::string created = Plain(GetTag(details, "creationDisplayDate"));
    std::string out = "window.DorvelTest = {\n\"title\":" + Json(request.testName) + ",\"lang\":" + Json(langTag)
        + ",\"dir\":" + Json(DirectionOf(langTag)) + ",\"theme\":" + Json(FlowThemeOf(details))
        + ",\"examiner\":" + Json(examiner == "0" ? "" : examiner) + ",\"created\":" + Json(created == "0" ? "" : created)
        + ",\n\"strings\":" + StringsJson(lang) + ",\n\"options\":{"
        + "\"randomOrder\":" + Bool(Flag(details, "PresentInRandomOrder", 0))
        + ",\"allowMarking\":" + Bool(Flag(details, "allowMarking", 0))
        + ",\"allowCheating\":" + Bool(Flag(details, "allowCheating", 0))
        + ",\"showAnswer\":" + Bool(Flag(details, "ShowAnswer", 0))
        + ",\"showFeedback\":" + Bool(Flag(details, "ShowFeedback", 0))
        + ",\"askName\":" + Bool(AsksStudentName(details))
        + ",\"allowPrinting\":" + Bool(Flag(details, "allowPrinting", 1))
        + ",\"allowReview\":" + Bool(Flag(details, "allowFinishedQuestionViewing", 1))
        + ",\"showResults\":" + Bool(Flag(details, "showResults", 1))
        + ",\"passMark\":" + std::to_string(PassMarkOf(details)) + "},\n\"questions\":[\n" + questions
        + "],\n\"key\":" + Json(EncodeKey("{" + keys + "}")) + "\n};\n";
    return out;
}

namespace {

// Writes the test straight to request.startPage (inside a part folder).
FlowWritten WriteFlowTest(const FlowExport& request, const LangStrings& lang)
{
    FlowWritten result;
    const std::string resName = TestFolderBase(request.startPage);
    const std::string res = TestFolder(request.startPage);

    std::vector<FlowMedia> media;
    const std::string testScript = FlowTestScript(request, lang, &media, &result.missingMedia);
    const std::string theme = FlowThemeOf(request.testDetails);
    const std::string langTag = Say(A11yTextsFrom(lang), A11yText::Language);

    std::map<std::string, std::string> values{
        {"lang", Utf8Html(langTag)},
        {"dir", DirectionOf(langTag)},
        {"theme", theme},
        {"title", Utf8Html(request.testName)},
        {"noscript", Utf8Html(PackText(lang, 622, "This test needs JavaScript."))},
    };
    const std::string css = Template("flow.css");
    const std::string themeCss = Template(("themes/" + theme + ".css").c_str());
    const std::string engine = Template("engine.js");
    const std::string marking = MarkingScript();

    ExportWrites writes;
    if (request.singleFile) {
        values["styles"] = "<style>\n" + css + themeCss + "</style>";
        values["scripts"] = InlineScript(marking) + "\n" + InlineScript(testScript) + "\n"
            + (request.adapterScript.empty() ? std::string() : InlineScript(request.adapterScript) + "\n")
            + InlineScript(engine);
        const std::string page = FillPlaceholders(Template("index.htm"), values);
        writes.write(request.startPage, page);
        result.bytes = static_cast<std::int64_t>(page.size());
        result.error = writes.error();
        return result;
    }

    const std::string prefix = Utf8Html(UrlPart(resName)) + "/";
    values["styles"] = "<link rel=\"stylesheet\" href=\"" + prefix + "flow.css\">\n<link rel=\"stylesheet\" href=\""
        + prefix + "theme.css\">";
    values["scripts"] = "<script src=\"" + prefix + "marking.js\"></script>\n<script src=\"" + prefix
        + "test.js\"></script>\n"
        + (request.adapterScript.empty() ? std::string() : "<script src=\"" + prefix + "scorm.js\"></script>\n")
        + "<script src=\"" + prefix + "engine.js\"></script>";

    const FolderSnapshot before = SnapshotTestFolder(res);
    if (!DirectoryExists(res) && !ForceDirectory(res))
        writes.fail("cannot make the folder " + res);
    writes.write(JoinPath(res, "flow.css"), css);
    writes.write(JoinPath(res, "theme.css"), themeCss);
    writes.write(JoinPath(res, "engine.js"), engine);
    writes.write(JoinPath(res, "marking.js"), marking);
    writes.write(JoinPath(res, "test.js"), testScript);
    if (!request.adapterScript.empty())
        writes.write(JoinPath(res, "scorm.js"), request.adapterScript);
    for (const FlowMedia& m : media)
        writes.copy(m.path, JoinPath(res, m.name));
    writes.write(request.startPage, FillPlaceholders(Template("index.htm"), values));
    if (!writes.failed() && !WriteExportedList(res, before))
        writes.fail("cannot write the list of exported files in " + res);
    result.error = writes.error();
    return result;
}

FlowWritten Failed(std::string error)
{
    FlowWritten none;
    none.error = std::move(error);
    return none;
}

}  // namespace

FlowWritten ExportFlowTest(const FlowExport& request, const LangStrings& lang)
{
    // As the classic export: the new test is written whole into a part
    // folder beside the old one, which stays untouched until every file is
    // on the disk; then the folders change places and the start page is
    // renamed over the old one. A failure on the way leaves the old test.
    // A single file needs its folder only; a test folder must be free of links.
    if (const std::string parent = ExtractFilePath(NativeSeparators(request.startPage));
        request.singleFile && !parent.empty() && !DirectoryExists(parent))
        return Failed("no such folder: " + parent);
    if (std::string problem = ExportFolderProblem(request.startPage); !request.singleFile && !problem.empty())
        return Failed(std::move(problem));
    RemoveLeftoverParts(request.startPage);
    PartFolder part(request.startPage);
    if (!part.valid())
        return Failed("cannot write beside " + request.startPage + ": " + part.error());
    FlowExport inPart = request;
    inPart.startPage = part.path() + ExtractFileName(request.startPage);
    if (request.singleFile) {
        FlowWritten written = WriteFlowTest(inPart, lang);
        if (written.error.empty() && !ReplaceFile(inPart.startPage, NativeSeparators(request.startPage)))
            written.error = "cannot put " + request.startPage + " in place: " + LastErrorText();
        return written;
    }
    const std::string folder = NativeSeparators(TestFolder(request.startPage));
    const std::string newFolder = TestFolder(inPart.startPage);
    std::string error;
    // What the last export wrote stays behind; what the author put there comes along.
    if (DirectoryExists(folder) && !CarryOverAuthorFiles(folder, newFolder, error))
        return Failed(std::move(error));
    FlowWritten written = WriteFlowTest(inPart, lang);
    if (!written.error.empty())
        return written;
    if (!SwapIntoPlace(newFolder.substr(0, newFolder.size() - 1), folder.substr(0, folder.size() - 1)))
        written.error = "cannot put the folder " + folder + " in place: " + LastErrorText();
    else if (!ReplaceFile(inPart.startPage, NativeSeparators(request.startPage)))
        written.error = "cannot put " + request.startPage + " in place: " + LastErrorText();
    return written;
}

}  // namespace dorvel
