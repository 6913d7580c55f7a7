#include "archive/ZipReader.h"
#include "exchange/QuestionWriters.h"
#include "tests/support/TempFolder.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
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
    choice.choices = {"Paris", "Lyon", "日本"};
    choice.rightChoice = 0;
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

}  // namespace
}  // namespace dorvel::exchange
