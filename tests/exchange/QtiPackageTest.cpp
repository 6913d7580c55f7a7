#include "archive/ZipReader.h"
#include "exchange/QuestionWriters.h"
#include "tests/support/TempFolder.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

namespace dorvel::exchange {
namespace {

struct XmlElement {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
};

// Every element of a document in order; fails the test when it is not
// well-formed.
std::vector<XmlElement> parse(const std::string& bytes, const std::string& file)
{
    std::vector<XmlElement> elements;
    std::vector<std::size_t> open;
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            XmlElement e{xml.name().toString().toStdString(), {}, {}};
            for (const QXmlStreamAttribute& a : xml.attributes())
                e.attributes[a.qualifiedName().toString().toStdString()] = a.value().toString().toStdString();
            open.push_back(elements.size());
            elements.push_back(e);
        } else if (xml.isCharacters() && !open.empty()) {
            elements[open.back()].text += xml.text().toString().toStdString();
        } else if (xml.isEndElement()) {
            open.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << file << ": " << xml.errorString().toStdString();
    return elements;
}

std::vector<XmlElement> named(const std::vector<XmlElement>& all, const std::string& name)
{
    std::vector<XmlElement> out;
    for (const XmlElement& e : all)
        if (e.name == name)
            out.push_back(e);
    return out;
}

bool isNcName(const std::string& id)
{
    static const QRegularExpression ncName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    return ncName.match(QString::fromStdString(id)).hasMatch();
}

std::vector<ExportQuestion> questions(const std::string& picture)
{
    Question choice;
    choice.kind = Kind::Choice;
    choice.name = "Capital <of> \"France\" & more";
    choice.text = "Which is <b>the</b> capital?\nPick <u>one</u>.";
    choice.choices = {"Lyon", "Paris", "日本"};
    choice.rightChoice = 1;
    choice.picture.alt = "The Eiffel <tower> & \"more\"";
    Question tf;
    tf.kind = Kind::TrueFalse;
    tf.text = "True or false?";
    tf.statements = {{"Mars is a planet", true}, {"The Moon is a planet", false}};
    Question typed;
    typed.kind = Kind::Typed;
    typed.text = "Fill in";
    typed.fields = {{"Colour", false, {"red", "Red & green"}, false}, {"Number", true, {"1", "3"}, true}, {"Exact", true, {"2", "4"}, false}};
    return {{1, choice, picture}, {3, tf, {}}, {7, typed, {}}};
}

TEST(QtiPackage, ManifestItemsAndTestAgree)
{
    test::TempFolder dir;
    const std::string zipPath = dir.path("questions.zip");
    std::string error;
    const std::string picture = dir.write("My Owl (1).PNG", "\x89PNG\r\n\x1a\n");
    ASSERT_TRUE(WriteQtiPackage(zipPath, questions(picture), "Unit <1> & Café", {}, error)) << error;
    ZipReader zip(zipPath);
    ASSERT_TRUE(zip.isOpen());
    std::set<std::string> entries;
    for (const std::string& name : zip.names())
        entries.insert(name);

    const std::vector<XmlElement> manifest = parse(*zip.read("imsmanifest.xml"), "imsmanifest.xml");
    ASSERT_FALSE(manifest.empty());
    EXPECT_EQ(manifest.front().name, "manifest");
    std::set<std::string> listed;
    std::set<std::string> resourceIds;
    std::map<std::string, std::string> itemHrefs;  // resource href by type
    for (const XmlElement& r : named(manifest, "resource")) {
        EXPECT_TRUE(resourceIds.insert(r.attributes.at("identifier")).second) << "identifiers are unique";
        EXPECT_TRUE(isNcName(r.attributes.at("identifier")));
        if (r.attributes.at("type") == "imsqti_item_xmlv2p1")
            itemHrefs[r.attributes.at("href")] = r.attributes.at("identifier");
    }
    for (const XmlElement& f : named(manifest, "file"))
        listed.insert(f.attributes.at("href"));
    for (const XmlElement& d : named(manifest, "dependency"))
        EXPECT_TRUE(resourceIds.count(d.attributes.at("identifierref"))) << d.attributes.at("identifierref");
    // Every file listed is in the package, and every file of the package is listed.
    std::set<std::string> packaged = entries;
    packaged.erase("imsmanifest.xml");
    EXPECT_EQ(listed, packaged);
    EXPECT_EQ(itemHrefs.size(), 3u) << "one item per question";

    std::set<std::string> itemIds;
    for (const auto& [href, resource] : itemHrefs) {
        SCOPED_TRACE(href);
        const std::vector<XmlElement> item = parse(*zip.read(href), href);
        ASSERT_FALSE(item.empty());
        EXPECT_EQ(item.front().name, "assessmentItem");
        const std::string id = item.front().attributes.at("identifier");
        EXPECT_TRUE(isNcName(id));
        EXPECT_TRUE(itemIds.insert(id).second);
        std::set<std::string> declared;
        for (const XmlElement& d : named(item, "responseDeclaration"))
            EXPECT_TRUE(declared.insert(d.attributes.at("identifier")).second);
        std::set<std::string> used;
        for (const XmlElement& e : item)
            if (e.attributes.count("responseIdentifier"))
                used.insert(e.attributes.at("responseIdentifier"));
        EXPECT_EQ(used, declared) << "every interaction has its declaration and no declaration is idle";
        for (const XmlElement& c : named(item, "simpleChoice"))
            EXPECT_TRUE(isNcName(c.attributes.at("identifier")));
        // A picture is a file of the package, named from the item's folder.
        for (const XmlElement& img : named(item, "img"))
            EXPECT_TRUE(entries.count("items/" + img.attributes.at("src"))) << img.attributes.at("src");
    }
    // Several statements and several fields are interactions of one item.
    const std::vector<XmlElement> tf = parse(*zip.read("items/item3.xml"), "item3");
    EXPECT_EQ(named(tf, "choiceInteraction").size(), 2u);
    const std::vector<XmlElement> typed = parse(*zip.read("items/item7.xml"), "item7");
    EXPECT_EQ(named(typed, "textEntryInteraction").size(), 3u);
    EXPECT_EQ(named(typed, "mapEntry").size(), 2u);
    const std::vector<XmlElement> item1 = parse(*zip.read("items/item1.xml"), "item1");
    EXPECT_EQ(named(item1, "b").front().text, "the");
    ASSERT_EQ(named(item1, "img").size(), 1u);
    EXPECT_EQ(named(item1, "img").front().attributes.at("alt"), "The Eiffel <tower> & \"more\"");
    EXPECT_EQ(*zip.read("items/media/item1.png"), "\x89PNG\r\n\x1a\n");

    const std::vector<XmlElement> testDoc = parse(*zip.read("test.xml"), "test.xml");
    EXPECT_EQ(testDoc.front().attributes.at("title"), "Unit <1> & Café");
    std::vector<std::string> refs;
    for (const XmlElement& ref : named(testDoc, "assessmentItemRef")) {
        refs.push_back(ref.attributes.at("identifier"));
        EXPECT_TRUE(entries.count(ref.attributes.at("href"))) << ref.attributes.at("href");
    }
    EXPECT_EQ(refs, (std::vector<std::string>{"item1", "item3", "item7"})) << "the set's order";
}

// An item as a tree, to run its response processing as a delivery system
// does: the right answers are whatever that processing scores, whatever
// the declarations say.
struct Node {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<Node> children;

    std::vector<const Node*> all(const std::string& wanted) const
    {
        std::vector<const Node*> out;
        if (name == wanted)
            out.push_back(this);
        for (const Node& c : children)
            for (const Node* n : c.all(wanted))
                out.push_back(n);
        return out;
    }
};

Node tree(const std::string& bytes)
{
    Node root;
    std::vector<Node*> open{&root};
    QXmlStreamReader xml(QByteArray::fromStdString(bytes));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            Node n{xml.name().toString().toStdString(), {}, {}, {}};
            for (const QXmlStreamAttribute& a : xml.attributes())
                n.attributes[a.qualifiedName().toString().toStdString()] = a.value().toString().toStdString();
            open.back()->children.push_back(n);
            open.push_back(&open.back()->children.back());
        } else if (xml.isCharacters()) {
            open.back()->text += xml.text().toString().toStdString();
        } else if (xml.isEndElement()) {
            open.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return root;
}

class ItemScorer {
public:
    explicit ItemScorer(const std::string& bytes)
        : m_item(tree(bytes))
    {
    }

    // The score of one response given to one interaction (the others left
    // unanswered). A choice is given by the text the student reads.
    double score(const std::string& id, const std::string& answer, bool byIdentifier = false) const
    {
        m_response = answer;
        for (const Node* interaction : m_item.all("choiceInteraction")) {
            if (byIdentifier || interaction->attributes.at("responseIdentifier") != id)
                continue;
            m_response.clear();
            for (const Node* c : interaction->all("simpleChoice"))
                if (c->text == answer)
                    m_response = c->attributes.at("identifier");
            EXPECT_NE(m_response, "") << "no choice reads " << answer;
        }
        m_id = id;
        double total = 0;
        for (const Node* condition : m_item.all("responseIf")) {
            EXPECT_EQ(condition->children.size(), 2u);
            if (!truth(condition->children.front()))
                continue;
            const std::vector<const Node*> added = condition->children.back().all("baseValue");
            EXPECT_EQ(added.size(), 1u);
            total += std::stod(added.front()->text);
        }
        return total;
    }

private:
    // A value: the response to `m_id`, nothing for any other interaction.
    std::optional<std::string> value(const Node& e) const
    {
        if (e.name == "variable")
            return e.attributes.at("identifier") == m_id ? std::optional(m_response) : std::nullopt;
        if (e.name == "baseValue")
            return e.text;
        if (e.name == "correct") {
            for (const Node* d : m_item.all("responseDeclaration"))
                if (d->attributes.at("identifier") == e.attributes.at("identifier"))
                    return d->all("value").front()->text;
            return std::nullopt;
        }
        if (e.name == "mapResponse") {
            const std::string& id = e.attributes.at("identifier");
            for (const Node* d : m_item.all("responseDeclaration")) {
                if (d->attributes.at("identifier") != id)
                    continue;
                const Node& mapping = *d->all("mapping").front();
                double mapped = std::stod(mapping.attributes.at("defaultValue"));
                if (id == m_id) {
                    for (const Node* entry : mapping.all("mapEntry")) {
                        const bool exact = entry->attributes.at("caseSensitive") == "true";
                        const QString key = QString::fromStdString(entry->attributes.at("mapKey"));
                        if (key.compare(QString::fromStdString(m_response), exact ? Qt::CaseSensitive : Qt::CaseInsensitive) == 0)
                            mapped = std::stod(entry->attributes.at("mappedValue"));
                    }
                }
                return std::to_string(mapped);
            }
        }
        ADD_FAILURE() << "no value of " << e.name;
        return std::nullopt;
    }

    bool truth(const Node& e) const
    {
        const auto number = [&](const Node& n, double& out) {
            const std::optional<std::string> v = value(n);
            if (!v)
                return false;
            bool ok = false;
            out = QString::fromStdString(*v).toDouble(&ok);
            return ok;
        };
        if (e.name == "and" || e.name == "or") {
            bool all = true, any = false;
            for (const Node& c : e.children) {
                const bool t = truth(c);
                all = all && t;
                any = any || t;
            }
            return e.name == "and" ? all : any;
        }
        EXPECT_EQ(e.children.size(), 2u) << e.name;
        if (e.name == "match") {
            const std::optional<std::string> a = value(e.children[0]), b = value(e.children[1]);
            return a && b && *a == *b;
        }
        double a = 0, b = 0;
        if (!number(e.children[0], a) || !number(e.children[1], b))
            return false;
        if (e.name == "equal")
            return a == b;
        if (e.name == "gte")
            return a >= b;
        if (e.name == "lte")
            return a <= b;
        if (e.name == "gt")
            return a > b;
        ADD_FAILURE() << "no operator " << e.name;
        return false;
    }

public:
    Node m_item;

private:
    mutable std::string m_id;
    mutable std::string m_response;
};

// The right answer read back from each item: what its processing scores.
TEST(QtiPackage, EachItemScoresItsRightAnswersOnly)
{
    test::TempFolder dir;
    const std::string zipPath = dir.path("questions.zip");
    std::string error;
    ASSERT_TRUE(WriteQtiPackage(zipPath, questions({}), "Unit", {}, error)) << error;
    ZipReader zip(zipPath);
    ASSERT_TRUE(zip.isOpen());
    struct Case {
        const char* item;
        const char* response;
        const char* answer;
        double score;
    };
    const Case cases[] = {
        {"item1", "RESPONSE", "Paris", 1},
        {"item1", "RESPONSE", "Lyon", 0},
        {"item1", "RESPONSE", "日本", 0},
        {"item3", "RESPONSE_1", "True", 1},  // Mars is a planet
        {"item3", "RESPONSE_1", "False", 0},
        {"item3", "RESPONSE_2", "False", 1},  // the Moon is none
        {"item3", "RESPONSE_2", "True", 0},
        {"item7", "RESPONSE_1", "red", 1},
        {"item7", "RESPONSE_1", "RED & GREEN", 1},  // any letter case
        {"item7", "RESPONSE_1", "green", 0},
        {"item7", "RESPONSE_2", "1", 1},  // both ends of the range 1 to 3
        {"item7", "RESPONSE_2", "3", 1},
        {"item7", "RESPONSE_2", "2.5", 1},
        {"item7", "RESPONSE_2", "0.99", 0},
        {"item7", "RESPONSE_2", "3.01", 0},
        {"item7", "RESPONSE_3", "2", 1},  // exactly 2 or 4
        {"item7", "RESPONSE_3", "4", 1},
        {"item7", "RESPONSE_3", "3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.response + " " + c.answer);
        const std::optional<std::string> bytes = zip.read(std::string("items/") + c.item + ".xml");
        ASSERT_TRUE(bytes);
        EXPECT_EQ(ItemScorer(*bytes).score(c.response, c.answer), c.score);
    }
}

// A player shows the right answer its item declares, and tells the choices
// apart by their identifiers: each interaction declares a right response that
// its own processing scores, and no choice identifier repeats in an item.
TEST(QtiPackage, EachResponseDeclaresARightAnswerThatScores)
{
    test::TempFolder dir;
    const std::string zipPath = dir.path("questions.zip");
    std::string error;
    ASSERT_TRUE(WriteQtiPackage(zipPath, questions({}), "Unit", {}, error)) << error;
    ZipReader zip(zipPath);
    ASSERT_TRUE(zip.isOpen());
    for (const char* item : {"item1", "item3", "item7"}) {
        SCOPED_TRACE(item);
        const std::optional<std::string> bytes = zip.read(std::string("items/") + item + ".xml");
        ASSERT_TRUE(bytes);
        const ItemScorer scorer(*bytes);
        std::set<std::string> identifiers;
        for (const Node* choice : scorer.m_item.all("simpleChoice"))
            EXPECT_TRUE(identifiers.insert(choice->attributes.at("identifier")).second) << choice->attributes.at("identifier");
        for (const Node* declaration : scorer.m_item.all("responseDeclaration")) {
            const std::string& id = declaration->attributes.at("identifier");
            const std::vector<const Node*> correct = declaration->all("correctResponse");
            ASSERT_EQ(correct.size(), 1u) << id;
            const std::string right = correct.front()->all("value").front()->text;
            EXPECT_EQ(scorer.score(id, right, true), 1) << id << " " << right;
        }
    }
}

}  // namespace
}  // namespace dorvel::exchange
