#include "exchange/QuestionWriters.h"

#include "exchange/MarkedText.h"
#include "exchange/QuestionChecks.h"
#include "storage/FileUtils.h"

#include <QBuffer>
#include <QFile>
#include <QString>
#include <QUrl>
#include <QXmlStreamWriter>

namespace dorvel::exchange {

namespace {

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void textElement(QXmlStreamWriter& xml, const char* element, const std::string& text, const char* format = nullptr)
{
    xml.writeStartElement(QString::fromLatin1(element));
    if (format)
        xml.writeAttribute(QStringLiteral("format"), QString::fromLatin1(format));
    xml.writeTextElement(QStringLiteral("text"), q(text));
    xml.writeEndElement();
}

void answer(QXmlStreamWriter& xml, int fraction, const std::string& text, const char* format,
            const std::string& tolerance = {})
{
    xml.writeStartElement(QStringLiteral("answer"));
    xml.writeAttribute(QStringLiteral("fraction"), QString::number(fraction));
    if (format)
        xml.writeAttribute(QStringLiteral("format"), QString::fromLatin1(format));
    xml.writeTextElement(QStringLiteral("text"), q(text));
    if (!tolerance.empty())
        xml.writeTextElement(QStringLiteral("tolerance"), q(tolerance));
    textElement(xml, "feedback", {}, "html");
    xml.writeEndElement();
}

// A picture as Moodle carries it: a file of the question's text, shown by an
// <img> whose address names it. The file is read as its base64 is written,
// a piece at a time, so a set of many large pictures never sits in memory.
struct EmbeddedPicture {
    std::string name;
    QFile* file;
    qint64 size;
    std::string alt;
};

// Three bytes make four characters: pieces of a multiple of three bytes
// give the same characters as the whole file at once.
constexpr qint64 kPieceBytes = 3 * 256 * 1024;

bool writeBase64(QXmlStreamWriter& xml, const EmbeddedPicture& picture)
{
    if (!picture.file->seek(0))
        return false;
    QByteArray piece;
    for (qint64 left = picture.size; left > 0; left -= piece.size()) {
        piece = picture.file->read(std::min(left, kPieceBytes));
        if (piece.isEmpty())
            return false;  // cut short since it was opened
        xml.writeCharacters(QString::fromLatin1(piece.toBase64()));
    }
    return true;
}

std::string htmlAttribute(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// The text with the picture after it: an <img> adds no character to the
// text when it is read back.
std::string withPicture(const std::string& html, const EmbeddedPicture* picture)
{
    if (!picture)
        return html;
    const QByteArray address = QUrl::toPercentEncoding(q(picture->name));
    return html + "<img src=\"@@PLUGINFILE@@/" + address.toStdString() + "\" alt=\"" + htmlAttribute(picture->alt)
        + "\">";
}

// A numeric range as the value in its middle give or take half its width.
std::pair<std::string, std::string> middleAndTolerance(const AnswerField& field)
{
    const double low = q(field.answers[0]).toDouble();
    const double high = q(field.answers[1]).toDouble();
    return {QString::number((low + high) / 2, 'g', 15).toStdString(),
            QString::number(std::abs(high - low) / 2, 'g', 15).toStdString()};
}

// Moodle's embedded answers escape these with a backslash.
std::string clozeEscaped(const std::string& s)
{
    std::string out;
    for (const char c : s) {
        if (std::string_view("}#~/\"\\").find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string clozeField(const AnswerField& field)
{
    std::string out = field.numeric ? "{1:NUMERICAL:" : "{1:SHORTANSWER:";
    if (field.range) {
        const auto [middle, tolerance] = middleAndTolerance(field);
        return out + "=" + middle + ":" + tolerance + "}";
    }
    for (std::size_t k = 0; k < field.answers.size(); ++k) {
        if (k)
            out += "~";
        out += "=" + clozeEscaped(field.answers[k]);
        if (field.numeric)
            out += ":0";
    }
    return out + "}";
}

bool header(QXmlStreamWriter& xml, const char* type, const Question& question, int number, const std::string& html,
            const EmbeddedPicture* picture)
{
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
    textElement(xml, "name", ExportName(question, number));
    xml.writeStartElement(QStringLiteral("questiontext"));
    xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
    xml.writeTextElement(QStringLiteral("text"), q(withPicture(html, picture)));
    if (picture) {
        xml.writeStartElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("name"), q(picture->name));
        xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
        xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
        if (!writeBase64(xml, *picture))
            return false;
        xml.writeEndElement();
    }
    xml.writeEndElement();
    textElement(xml, "generalfeedback", {}, "html");
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    return true;
}

bool writeQuestion(QXmlStreamWriter& xml, const Question& question, int number, const EmbeddedPicture* picture)
{
    const std::string html = HtmlFromMarkedText(question.text);
    switch (question.kind) {
    case Kind::Choice:
        if (!header(xml, "multichoice", question, number, html, picture))
            return false;
        xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("abc"));
        for (std::size_t k = 0; k < question.choices.size(); ++k)
            answer(xml, static_cast<int>(k) == question.rightChoice ? 100 : 0, HtmlFromMarkedText(question.choices[k]), "html");
        break;
    case Kind::TrueFalse: {
        if (!header(xml, "truefalse", question, number, html, picture))
            return false;
        const bool isTrue = question.statements.front().isTrue;
        answer(xml, isTrue ? 100 : 0, "true", "moodle_auto_format");
        answer(xml, isTrue ? 0 : 100, "false", "moodle_auto_format");
        break;
    }
    case Kind::Typed: {
        if (question.fields.size() > 1) {
            std::string cloze = html;
            for (const AnswerField& field : question.fields) {
                cloze += "<br>" + HtmlFromMarkedText(field.label);
                cloze += (field.label.empty() ? "" : " ") + clozeField(field);
            }
            if (!header(xml, "multianswer", question, number, cloze, picture))
                return false;
            break;
        }
        const AnswerField& field = question.fields.front();
        if (field.numeric) {
            if (!header(xml, "numerical", question, number, html, picture))
                return false;
            if (field.range) {
                const auto [middle, tolerance] = middleAndTolerance(field);
                answer(xml, 100, middle, "moodle_auto_format", tolerance);
            } else {
                for (const std::string& a : field.answers)
                    answer(xml, 100, a, "moodle_auto_format", "0");
            }
        } else {
            if (!header(xml, "shortanswer", question, number, html, picture))
                return false;
            xml.writeTextElement(QStringLiteral("usecase"), QStringLiteral("0"));
            for (const std::string& a : field.answers)
                answer(xml, 100, a, "moodle_auto_format");
        }
        break;
    }
    }
    xml.writeEndElement();
    return true;
}

}  // namespace

bool WriteMoodleXml(QIODevice& out, const std::vector<ExportQuestion>& questions, const std::string& category,
                    std::string& error)
{
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    if (!category.empty()) {
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
        textElement(xml, "category", CategoryPath(category));
        xml.writeEndElement();
    }
    for (const ExportQuestion& e : questions) {
        // A picture that cannot be opened now goes without one, as a missing one does.
        QFile file(toQString(NativeSeparators(e.picture)));
        const bool pictured = !e.picture.empty() && file.open(QIODevice::ReadOnly);
        const EmbeddedPicture picture{ExtractFileName(e.picture), &file, pictured ? file.size() : 0, e.question.picture.alt};
        for (const Question& one : SingleAnswerQuestions(e.question, false)) {
            if (!writeQuestion(xml, one, e.number, pictured ? &picture : nullptr)) {
                error = "the picture " + e.picture + " could not be read";
                return false;
            }
        }
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

std::string MoodleXmlText(const std::vector<ExportQuestion>& questions, const std::string& category)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    WriteMoodleXml(buffer, questions, category, error);
    return buffer.data().toStdString();
}

}  // namespace dorvel::exchange
