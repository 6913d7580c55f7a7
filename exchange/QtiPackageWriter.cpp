#include "exchange/QuestionWriters.h"

#include "archive/ZipWriter.h"
#include "storage/PartFiles.h"
#include "exchange/MarkedText.h"

#include <QString>
#include <QXmlStreamWriter>

namespace dorvel::exchange {

namespace {

const QString kQtiNamespace = QStringLiteral("http://www.imsglobal.org/xsd/imsqti_v2p1");
const QString kQtiSchema = QStringLiteral(
    "http://www.imsglobal.org/xsd/imsqti_v2p1 http://www.imsglobal.org/xsd/qti/qtiv2p1/imsqti_v2p1.xsd");
const QString kXsiNamespace = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");

QString q(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Marked text as QTI's XHTML: the marks b, i, sub and sup as such, <u> as
// a span of class "underline" (QTI has no u), line breaks as <br/>.
void writeMarked(QXmlStreamWriter& xml, const std::string& text)
{
    for (const MarkRun& run : MarkRuns(text)) {
        switch (run.type) {
        case MarkRun::Text: xml.writeCharacters(q(run.value)); break;
        case MarkRun::LineBreak: xml.writeEmptyElement(QStringLiteral("br")); break;
        case MarkRun::Open:
            if (run.value == "u") {
                xml.writeStartElement(QStringLiteral("span"));
                xml.writeAttribute(QStringLiteral("class"), QStringLiteral("underline"));
            } else {
                xml.writeStartElement(q(run.value));
            }
            break;
        case MarkRun::Close: xml.writeEndElement(); break;
        }
    }
}

void paragraph(QXmlStreamWriter& xml, const std::string& text)
{
    xml.writeStartElement(QStringLiteral("p"));
    writeMarked(xml, text);
    xml.writeEndElement();
}

QString responseId(std::size_t k, std::size_t count)
{
    return count == 1 ? QStringLiteral("RESPONSE") : QStringLiteral("RESPONSE_%1").arg(k + 1);
}

void declareResponse(QXmlStreamWriter& xml, const QString& id, const char* baseType, const std::vector<std::string>& right,
                     bool mapStrings)
{
    xml.writeStartElement(QStringLiteral("responseDeclaration"));
    xml.writeAttribute(QStringLiteral("identifier"), id);
    xml.writeAttribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.writeAttribute(QStringLiteral("baseType"), QString::fromLatin1(baseType));
    if (!right.empty()) {
        xml.writeStartElement(QStringLiteral("correctResponse"));
        xml.writeTextElement(QStringLiteral("value"), q(right.front()));
        xml.writeEndElement();
    }
    if (mapStrings) {
        // Every accepted answer scores; the web test compares without case.
        xml.writeStartElement(QStringLiteral("mapping"));
        xml.writeAttribute(QStringLiteral("defaultValue"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("upperBound"), QStringLiteral("1"));
        for (const std::string& a : right) {
            xml.writeEmptyElement(QStringLiteral("mapEntry"));
            xml.writeAttribute(QStringLiteral("mapKey"), q(a));
            xml.writeAttribute(QStringLiteral("mappedValue"), QStringLiteral("1"));
            xml.writeAttribute(QStringLiteral("caseSensitive"), QStringLiteral("false"));
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void declareOutcome(QXmlStreamWriter& xml, const char* id, const QString& defaultValue)
{
    xml.writeStartElement(QStringLiteral("outcomeDeclaration"));
    xml.writeAttribute(QStringLiteral("identifier"), QString::fromLatin1(id));
    xml.writeAttribute(QStringLiteral("cardinality"), QStringLiteral("single"));
    xml.writeAttribute(QStringLiteral("baseType"), QStringLiteral("float"));
    xml.writeStartElement(QStringLiteral("defaultValue"));
    xml.writeTextElement(QStringLiteral("value"), defaultValue);
    xml.writeEndElement();
    xml.writeEndElement();
}

void variable(QXmlStreamWriter& xml, const QString& id)
{
    xml.writeEmptyElement(QStringLiteral("variable"));
    xml.writeAttribute(QStringLiteral("identifier"), id);
}

void baseValue(QXmlStreamWriter& xml, const char* type, const QString& value)
{
    xml.writeStartElement(QStringLiteral("baseValue"));
    xml.writeAttribute(QStringLiteral("baseType"), QString::fromLatin1(type));
    xml.writeCharacters(value);
    xml.writeEndElement();
}

// SCORE = SCORE + 1 when `condition` (written by the caller) holds.
template <typename Condition>
void scoreWhen(QXmlStreamWriter& xml, Condition condition)
{
    xml.writeStartElement(QStringLiteral("responseCondition"));
    xml.writeStartElement(QStringLiteral("responseIf"));
    condition();
    xml.writeStartElement(QStringLiteral("setOutcomeValue"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.writeStartElement(QStringLiteral("sum"));
    variable(xml, QStringLiteral("SCORE"));
    baseValue(xml, "float", QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

void matchCorrect(QXmlStreamWriter& xml, const QString& id)
{
    scoreWhen(xml, [&] {
        xml.writeStartElement(QStringLiteral("match"));
        variable(xml, id);
        xml.writeEmptyElement(QStringLiteral("correct"));
        xml.writeAttribute(QStringLiteral("identifier"), id);
        xml.writeEndElement();
    });
}

void numericCondition(QXmlStreamWriter& xml, const QString& id, const AnswerField& field)
{
    scoreWhen(xml, [&] {
        if (field.range) {
            xml.writeStartElement(QStringLiteral("and"));
            for (const char* compare : {"gte", "lte"}) {
                xml.writeStartElement(QString::fromLatin1(compare));
                variable(xml, id);
                baseValue(xml, "float", q(field.answers[compare[0] == 'g' ? 0 : 1]));
                xml.writeEndElement();
            }
            xml.writeEndElement();
            return;
        }
        xml.writeStartElement(QStringLiteral("or"));
        for (const std::string& a : field.answers) {
            xml.writeStartElement(QStringLiteral("equal"));
            xml.writeAttribute(QStringLiteral("toleranceMode"), QStringLiteral("exact"));
            variable(xml, id);
            baseValue(xml, "float", q(a));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

void choiceInteraction(QXmlStreamWriter& xml, const QString& id, const std::string& prompt,
                       const std::vector<std::pair<std::string, std::string>>& choices)
{
    xml.writeStartElement(QStringLiteral("choiceInteraction"));
    xml.writeAttribute(QStringLiteral("responseIdentifier"), id);
    xml.writeAttribute(QStringLiteral("shuffle"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("maxChoices"), QStringLiteral("1"));
    if (!prompt.empty()) {
        xml.writeStartElement(QStringLiteral("prompt"));
        writeMarked(xml, prompt);
        xml.writeEndElement();
    }
    for (const auto& [identifier, text] : choices) {
        xml.writeStartElement(QStringLiteral("simpleChoice"));
        xml.writeAttribute(QStringLiteral("identifier"), q(identifier));
        writeMarked(xml, text);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// The identifier of True or False in statement k of `count`: each choice's
// identifier is unique in its item ("T1", "F1", "T2", ...), a single
// statement's are "T" and "F".
std::string truthId(bool isTrue, std::size_t k, std::size_t count)
{
    const std::string letter = isTrue ? "T" : "F";
    return count == 1 ? letter : letter + std::to_string(k + 1);
}

std::string itemXml(const Question& question, const std::string& identifier, const std::string& title, const QtiTexts& texts,
                    const std::string& picture)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kQtiNamespace);
    xml.writeNamespace(kXsiNamespace, QStringLiteral("xsi"));
    xml.writeStartElement(kQtiNamespace, QStringLiteral("assessmentItem"));
    xml.writeAttribute(kXsiNamespace, QStringLiteral("schemaLocation"), kQtiSchema);
    xml.writeAttribute(QStringLiteral("identifier"), q(identifier));
    xml.writeAttribute(QStringLiteral("title"), q(title));
    xml.writeAttribute(QStringLiteral("adaptive"), QStringLiteral("false"));
    xml.writeAttribute(QStringLiteral("timeDependent"), QStringLiteral("false"));

    // Declarations first, then the body, then how it is scored.
    const std::size_t parts = question.kind == Kind::TrueFalse ? question.statements.size()
        : question.kind == Kind::Typed                         ? question.fields.size()
                                                               : 1;
    for (std::size_t k = 0; k < parts; ++k) {
        const QString id = responseId(k, parts);
        if (question.kind == Kind::Choice) {
            declareResponse(xml, id, "identifier", {std::string(1, static_cast<char>('A' + question.rightChoice))}, false);
        } else if (question.kind == Kind::TrueFalse) {
            declareResponse(xml, id, "identifier", {truthId(question.statements[k].isTrue, k, parts)}, false);
        } else {
            // A range's right answer to show is its middle; any number
            // between the bounds scores.
            const AnswerField& field = question.fields[k];
            const std::vector<std::string> shown = field.range
                ? std::vector<std::string>{QString::number((QString::fromStdString(field.answers[0]).toDouble()
                                                            + QString::fromStdString(field.answers[1]).toDouble())
                                                               / 2,
                                                           'g', 15)
                                               .toStdString()}
                : field.answers;
            declareResponse(xml, id, field.numeric ? "float" : "string", shown, !field.numeric);
        }
    }
    declareOutcome(xml, "SCORE", QStringLiteral("0"));
    declareOutcome(xml, "MAXSCORE", QString::number(parts));

    xml.writeStartElement(QStringLiteral("itemBody"));
    if (!question.text.empty())
        paragraph(xml, question.text);
    if (!picture.empty()) {
        xml.writeStartElement(QStringLiteral("p"));
        xml.writeEmptyElement(QStringLiteral("img"));
        xml.writeAttribute(QStringLiteral("src"), q(picture));
        xml.writeAttribute(QStringLiteral("alt"), q(question.picture.alt));
        xml.writeEndElement();
    }
    for (std::size_t k = 0; k < parts; ++k) {
        const QString id = responseId(k, parts);
        if (question.kind == Kind::Choice) {
            std::vector<std::pair<std::string, std::string>> choices;
            for (std::size_t c = 0; c < question.choices.size(); ++c)
                choices.push_back({std::string(1, static_cast<char>('A' + c)), question.choices[c]});
            choiceInteraction(xml, id, {}, choices);
        } else if (question.kind == Kind::TrueFalse) {
            choiceInteraction(xml, id, question.statements[k].text,
                              {{truthId(true, k, parts), texts.trueText}, {truthId(false, k, parts), texts.falseText}});
        } else {
            xml.writeStartElement(QStringLiteral("p"));
            if (!question.fields[k].label.empty()) {
                writeMarked(xml, question.fields[k].label);
                xml.writeCharacters(QStringLiteral(" "));
            }
            xml.writeEmptyElement(QStringLiteral("textEntryInteraction"));
            xml.writeAttribute(QStringLiteral("responseIdentifier"), id);
            xml.writeAttribute(QStringLiteral("expectedLength"), QStringLiteral("20"));
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("responseProcessing"));
    for (std::size_t k = 0; k < parts; ++k) {
        const QString id = responseId(k, parts);
        if (question.kind != Kind::Typed) {
            matchCorrect(xml, id);
        } else if (question.fields[k].numeric) {
            numericCondition(xml, id, question.fields[k]);
        } else {
            scoreWhen(xml, [&] {
                xml.writeStartElement(QStringLiteral("gt"));
                xml.writeEmptyElement(QStringLiteral("mapResponse"));
                xml.writeAttribute(QStringLiteral("identifier"), id);
                baseValue(xml, "float", QStringLiteral("0"));
                xml.writeEndElement();
            });
        }
    }
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes.toStdString();
}

std::string testXml(const std::vector<std::string>& items, const std::string& title)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(kQtiNamespace);
    xml.writeNamespace(kXsiNamespace, QStringLiteral("xsi"));
    xml.writeStartElement(kQtiNamespace, QStringLiteral("assessmentTest"));
    xml.writeAttribute(kXsiNamespace, QStringLiteral("schemaLocation"), kQtiSchema);
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("test"));
    xml.writeAttribute(QStringLiteral("title"), q(title));
    declareOutcome(xml, "SCORE", QStringLiteral("0"));
    xml.writeStartElement(QStringLiteral("testPart"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("part1"));
    xml.writeAttribute(QStringLiteral("navigationMode"), QStringLiteral("nonlinear"));
    xml.writeAttribute(QStringLiteral("submissionMode"), QStringLiteral("simultaneous"));
    xml.writeStartElement(QStringLiteral("assessmentSection"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("section1"));
    xml.writeAttribute(QStringLiteral("title"), q(title));
    xml.writeAttribute(QStringLiteral("visible"), QStringLiteral("true"));
    for (const std::string& item : items) {
        xml.writeEmptyElement(QStringLiteral("assessmentItemRef"));
        xml.writeAttribute(QStringLiteral("identifier"), q(item));
        xml.writeAttribute(QStringLiteral("href"), q("items/" + item + ".xml"));
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("outcomeProcessing"));
    xml.writeStartElement(QStringLiteral("setOutcomeValue"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("SCORE"));
    xml.writeStartElement(QStringLiteral("sum"));
    xml.writeEmptyElement(QStringLiteral("testVariables"));
    xml.writeAttribute(QStringLiteral("variableIdentifier"), QStringLiteral("SCORE"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes.toStdString();
}

struct PackagedItem {
    std::string id;
    std::string picture;  // its entry in the package, "" for none
};

std::string manifestXml(const std::vector<PackagedItem>& packaged)
{
    std::vector<std::string> items;
    for (const PackagedItem& p : packaged)
        items.push_back(p.id);
    const QString cp = QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1");
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(cp);
    xml.writeNamespace(kXsiNamespace, QStringLiteral("xsi"));
    xml.writeStartElement(cp, QStringLiteral("manifest"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("MANIFEST-dorvel-questions"));
    xml.writeAttribute(kXsiNamespace, QStringLiteral("schemaLocation"),
                       QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1 http://www.imsglobal.org/xsd/qti/qtiv2p1/qtiv2p1_imscpv1p2_v1p0.xsd"));
    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("QTIv2.1 Package"));
    xml.writeTextElement(QStringLiteral("schemaversion"), QStringLiteral("1.0.0"));
    xml.writeEndElement();
    xml.writeEmptyElement(QStringLiteral("organizations"));
    xml.writeStartElement(QStringLiteral("resources"));
    auto resource = [&](const QString& id, const char* type, const QString& href, const std::vector<std::string>& dependencies,
                        const std::string& picture = {}) {
        xml.writeStartElement(QStringLiteral("resource"));
        xml.writeAttribute(QStringLiteral("identifier"), id);
        xml.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
        xml.writeAttribute(QStringLiteral("href"), href);
        xml.writeEmptyElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("href"), href);
        if (!picture.empty()) {
            xml.writeEmptyElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("href"), q(picture));
        }
        for (const std::string& d : dependencies) {
            xml.writeEmptyElement(QStringLiteral("dependency"));
            xml.writeAttribute(QStringLiteral("identifierref"), q("res-" + d));
        }
        xml.writeEndElement();
    };
    resource(QStringLiteral("res-test"), "imsqti_test_xmlv2p1", QStringLiteral("test.xml"), items);
    for (const PackagedItem& item : packaged)
        resource(q("res-" + item.id), "imsqti_item_xmlv2p1", q("items/" + item.id + ".xml"), {}, item.picture);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes.toStdString();
}

}  // namespace

bool WriteQtiPackage(const std::string& zipPath, const std::vector<ExportQuestion>& questions,
                     const std::string& testTitle, const QtiTexts& texts, std::string& error)
{
    RemoveLeftoverParts(zipPath);  // of an earlier, killed run
    ZipWriter zip(zipPath);
    std::vector<std::string> items;
    std::vector<PackagedItem> packaged;
    for (const ExportQuestion& e : questions) {
        // One item per question: several statements or fields are several
        // interactions of that item.
        const std::string id = "item" + std::to_string(e.number);
        items.push_back(id);
        PackagedItem item{id, {}};
        if (!e.picture.empty()) {
            // Named by the item, so that no file name of the teacher's needs escaping.
            const std::size_t dot = e.picture.rfind('.');
            const std::size_t slash = e.picture.find_last_of("/\\");
            std::string extension = dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : e.picture.substr(dot);
            for (char& c : extension)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            item.picture = "items/media/" + id + extension;
            if (!zip.addFile(item.picture, e.picture)) {
                error = zip.error();
                return false;
            }
        }
        const std::string picture = item.picture.empty() ? "" : item.picture.substr(6);  // from items/
        if (!zip.addBytes("items/" + id + ".xml", itemXml(e.question, id, ExportName(e.question, e.number), texts, picture))) {
            error = zip.error();
            return false;
        }
        packaged.push_back(item);
    }
    if (!zip.addBytes("test.xml", testXml(items, testTitle)) || !zip.addBytes("imsmanifest.xml", manifestXml(packaged))
        || !zip.finish()) {
        error = zip.error();
        return false;
    }
    return true;
}

}  // namespace dorvel::exchange
