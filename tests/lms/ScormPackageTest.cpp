// An LMS package as a platform reads it: the zip's files, and imsmanifest.xml
// checked as XML (well-formed, unique identifiers, each version's namespaces
// and schema version, every file listed and every listed file present).
#include "archive/ZipReader.h"
#include "archive/ZipWriter.h"
#include "bank/ExportLists.h"
#include "building/ExpandSet.h"
#include "editor/Workspace.h"
#include "editor/commands/ChooseWebOutput.h"
#include "languages/LangStrings.h"
#include "lms/ScormManifest.h"
#include "lms/ScormPackage.h"
#include "model/OpenSet.h"
#include "storage/FileUtils.h"
#include "storage/Vtutils.h"
#include "tests/building/FixtureInstallation.h"
#include "tests/support/PagesScript.h"
#include "tests/support/ScriptedUserInterface.h"
#include "tests/support/TempFolder.h"

#include <QByteArray>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace dorvel {
namespace {

// What a platform finds in a manifest.
struct ReadManifest {
    bool wellFormed = false;
    QString rootNamespace;
    std::map<QString, QString> namespaces;  // prefix -> URI as declared on the root
    QString schemaLocation;
    QString schema;
    QString schemaVersion;
    std::vector<QString> identifiers;
    QString scormType;               // adlcp:scormtype (1.2) or adlcp:scormType (2004)
    QString launch;                  // the resource's href, decoded
    std::vector<std::string> files;  // <file href>, decoded
    QString masteryScore;
    QString minNormalizedMeasure;
    std::vector<QString> titles;
};

ReadManifest readManifest(const std::string& text)
{
    ReadManifest m;
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    auto decoded = [](const QString& href) { return QUrl::fromPercentEncoding(href.toUtf8()); };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == QStringLiteral("manifest")) {
            m.rootNamespace = xml.namespaceUri().toString();
            for (const QXmlStreamNamespaceDeclaration& d : xml.namespaceDeclarations())
                m.namespaces[d.prefix().toString()] = d.namespaceUri().toString();
            m.schemaLocation = a.value(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation")).toString();
        }
        if (a.hasAttribute(QStringLiteral("identifier")))
            m.identifiers.push_back(a.value(QStringLiteral("identifier")).toString());
        if (name == QStringLiteral("schema"))
            m.schema = xml.readElementText();
        else if (name == QStringLiteral("schemaversion"))
            m.schemaVersion = xml.readElementText();
        else if (name == QStringLiteral("title"))
            m.titles.push_back(xml.readElementText());
        else if (name == QStringLiteral("masteryscore"))
            m.masteryScore = xml.readElementText();
        else if (name == QStringLiteral("minNormalizedMeasure"))
            m.minNormalizedMeasure = xml.readElementText();
        else if (name == QStringLiteral("resource")) {
            for (const QXmlStreamAttribute& attribute : a) {
                if (attribute.name().compare(QStringLiteral("scormtype"), Qt::CaseInsensitive) == 0
                    && attribute.namespaceUri() == m.namespaces[QStringLiteral("adlcp")])
                    m.scormType = attribute.name().toString() + QLatin1Char('=') + attribute.value().toString();
            }
            m.launch = decoded(a.value(QStringLiteral("href")).toString());
        } else if (name == QStringLiteral("file")) {
            m.files.push_back(decoded(a.value(QStringLiteral("href")).toString()).toStdString());
        }
    }
    m.wellFormed = !xml.hasError();
    return m;
}

struct Scene {
    Scene()
    {
        lang.applyPack("0320 Student:\n");
        set.testDetails = SetTag(set.testDetails, "GraphicStyle", "Plain");
        set.testDetails = SetTag(set.testDetails, "TestName", "Unit 1 & <Tom's> Café");
        for (int n = 1; n <= 3; ++n)
            set.questionSlots[static_cast<std::size_t>(n)] = test::QuestionRecord(2 + (n == 3 ? 1 : 0), "Q" + std::to_string(n));
        set.questionSlots[0] = set.questionSlots[1];
        set.filePath = dir.path("Unit 1.vtd");
        // A picture whose name needs percent-encoding in the manifest.
        install.writeFile("Templates/Plain/bg.bmp", "BM");
        EXPECT_NE(ExpandSet(set, ui, lang, TheExportLists(), 0), kTemplateFileProblem);
    }

    ScormResult write(ScormVersion version, int passMark, const std::string& zip)
    {
        return WriteScormPackage({dir.path(zip), version, passMark, "Unit 1 & <Tom's> Café", set.testDetails, "", 7, WebLayout::Classic, {}, {}},
                                 TheExportLists(), lang, ui);
    }

    test::TempFolder dir;
    test::FixtureInstallation install;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    OpenSet set;
};

struct VersionCase {
    ScormVersion version;
    const char* contentNamespace;
    const char* adlcpNamespace;
    const char* schemaVersion;
    const char* scormTypeAttribute;
    std::vector<const char*> schemaFiles;
};

const VersionCase kVersions[] = {
    {ScormVersion::Scorm12, "http://www.imsproject.org/xsd/imscp_rootv1p1p2", "http://www.adlnet.org/xsd/adlcp_rootv1p2", "1.2", "scormtype", {"imscp_rootv1p1p2.xsd", "adlcp_rootv1p2.xsd"}},
    {ScormVersion::Scorm2004, "http://www.imsglobal.org/xsd/imscp_v1p1", "http://www.adlnet.org/xsd/adlcp_v1p3", "2004 4th Edition", "scormType", {"imscp_v1p1.xsd", "adlcp_v1p3.xsd", "adlseq_v1p3.xsd", "adlnav_v1p3.xsd", "imsss_v1p0.xsd"}},
};

TEST(ScormPackage, EachVersionsManifestDescribesTheZipExactly)
{
    Scene s;
    for (const VersionCase& v : kVersions) {
        SCOPED_TRACE(std::string(ScormVersionName(v.version)));
        const ScormResult result = s.write(v.version, 0, "package.zip");
        ASSERT_TRUE(result.written) << result.error;

        ZipReader zip(s.dir.path("package.zip"));
        ASSERT_TRUE(zip.isOpen());
        std::vector<std::string> entries = zip.names();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front(), "imsmanifest.xml") << "the manifest at the root";
        const auto manifestText = zip.read("imsmanifest.xml");
        ASSERT_TRUE(manifestText);
        const ReadManifest m = readManifest(*manifestText);
        ASSERT_TRUE(m.wellFormed) << *manifestText;

        EXPECT_EQ(m.rootNamespace.toStdString(), v.contentNamespace);
        EXPECT_EQ(m.namespaces.at(QStringLiteral("adlcp")).toStdString(), v.adlcpNamespace);
        EXPECT_EQ(m.schema, QStringLiteral("ADL SCORM"));
        EXPECT_EQ(m.schemaVersion.toStdString(), v.schemaVersion);
        // schemaLocation pairs each namespace with its schema file.
        const QStringList locations = m.schemaLocation.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(locations.size() % 2, 0);
        EXPECT_EQ(locations.size() / 2, static_cast<qsizetype>(std::max<std::size_t>(v.schemaFiles.size(), 3)))
            << m.schemaLocation.toStdString();
        for (const char* xsd : v.schemaFiles)
            EXPECT_TRUE(locations.contains(QString::fromLatin1(xsd))) << xsd;
        for (qsizetype i = 0; i + 1 < locations.size(); i += 2) {
            if (locations[i] == QLatin1String(v.contentNamespace) || locations[i] == QLatin1String(v.adlcpNamespace))
                continue;
            if (v.version == ScormVersion::Scorm12)
                EXPECT_EQ(locations[i], QStringLiteral("http://www.imsglobal.org/xsd/imsmd_rootv1p2p1"));
            else
                EXPECT_TRUE(std::any_of(m.namespaces.begin(), m.namespaces.end(),
                                        [&](const auto& d) { return d.second == locations[i]; }))
                    << locations[i].toStdString();
        }

        const std::set<QString> unique(m.identifiers.begin(), m.identifiers.end());
        EXPECT_EQ(unique.size(), m.identifiers.size()) << "identifiers are unique";
        EXPECT_EQ(m.identifiers.size(), 4U) << "manifest, organization, item, resource";
        EXPECT_EQ(m.scormType, QString::fromLatin1(v.scormTypeAttribute) + QStringLiteral("=sco"));
        EXPECT_EQ(m.launch, QStringLiteral("frame.htm"));
        for (const QString& title : m.titles)
            EXPECT_EQ(title, QStringLiteral("Unit 1 & <Tom's> Café"));

        // Every file of the zip is listed, every listed file is in the zip.
        entries.erase(entries.begin());
        std::vector<std::string> listed = m.files;
        std::sort(entries.begin(), entries.end());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, entries);
        for (const char* file : {"frame.htm", "pages.js", "scorm.js", "buttons/tick.gif"})
            EXPECT_NE(std::find(listed.begin(), listed.end(), file), listed.end()) << file;
        EXPECT_EQ(std::find(listed.begin(), listed.end(), "test.htm"), listed.end()) << "no start page";

        // The control page loads the platform script, told its version.
        const auto pages = test::ReadPagesScript(*zip.read("pages.js"));
        ASSERT_TRUE(pages.count("control.htm") && pages.count("q2.htm"));
        EXPECT_NE(pages.at("control.htm").find("<script src=\"scorm.js\"></script>"), std::string::npos);
        EXPECT_NE(zip.read("scorm.js")->find("'" + std::string(ScormVersionName(v.version)) + "' == '2004'"),
                  std::string::npos);
        EXPECT_TRUE(m.masteryScore.isEmpty() && m.minNormalizedMeasure.isEmpty()) << "no pass mark, none declared";
    }
}

TEST(ScormPackage, APassMarkReachesTheScriptAndTheManifest)
{
    Scene s;
    ASSERT_TRUE(s.write(ScormVersion::Scorm12, 65, "a.zip").written);
    ASSERT_TRUE(s.write(ScormVersion::Scorm2004, 65, "b.zip").written);
    const ZipReader v12(s.dir.path("a.zip"));
    const ZipReader v2004(s.dir.path("b.zip"));
    EXPECT_EQ(readManifest(*v12.read("imsmanifest.xml")).masteryScore, QStringLiteral("65"));
    EXPECT_EQ(readManifest(*v2004.read("imsmanifest.xml")).minNormalizedMeasure, QStringLiteral("0.65"));
    EXPECT_NE(v12.read("scorm.js")->find("parseFloat('65')"), std::string::npos);
}

TEST(ScormPackage, AnArchiveThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    Scene s;
    const ScormResult result = s.write(ScormVersion::Scorm12, 0, "missing-folder/package.zip");
    EXPECT_FALSE(result.written);
    EXPECT_FALSE(result.error.empty());
    EXPECT_FALSE(FileExists(s.dir.path("missing-folder/package.zip")));

    // An existing package stays as it was when a new one fails.
    WriteFileBytes(s.dir.path("old.zip"), "old");
    ZipWriter zip(s.dir.path("old.zip"));
    EXPECT_TRUE(zip.addBytes("a.txt", "a"));
    EXPECT_FALSE(zip.addFile("b.txt", s.dir.path("no-such-file")) && zip.finish());
    std::string bytes;
    ReadFileBytes(s.dir.path("old.zip"), bytes);
    EXPECT_EQ(bytes, "old");
}

TEST(ScormManifest, HrefsArePercentEncodedPaths)
{
    EXPECT_EQ(ManifestHref("buttons/tick.gif"), "buttons/tick.gif");
    EXPECT_EQ(ManifestHref("my picture#1.gif"), "my%20picture%231.gif");
    EXPECT_EQ(ManifestHref("Grö\xc3\x9f"
                           "e.gif"),
              "Gr%C3%B6%C3%9Fe.gif");
}

// Create Web Pages in the editor: the choice of what to make, then the zip
// under the chosen name with the set's pass mark.
TEST(CreateLmsPackage, TheEditorsChoiceWritesThePackageWithTheSetsPassMark)
{
    test::TempFolder dir;
    test::FixtureInstallation install;
    test::ScriptedUserInterface ui;
    LangStrings lang;
    lang.applyPack("0223 One file\n0320 Student:\n0322 Ready.\n0323 Make what?\n0324 Folder\n0325 SCORM 1.2\n0326 SCORM 2004\n0624 Classic\n");
    Workspace workspace(ui, lang);
    workspace.NewSet();
    OpenSet& set = *workspace.current();
    set.testDetails = SetTag(set.testDetails, "GraphicStyle", "Plain");
    set.testDetails = SetTag(set.testDetails, "TestName", "Unit 1");
    set.filePath = dir.path("Unit 1.vtd");
    workspace.PassMarkChange(40);
    workspace.setLastDir(dir.path());

    ui.oneChoices.push_back(3);
    ui.saveChoices.push_back(dir.path("For Moodle.scorm"));
    CreateWebOutputCall(workspace, ui, lang, "");

    ASSERT_EQ(ui.offered.size(), 1U);
    EXPECT_EQ(ui.offered[0], (std::vector<std::string>{"Folder", "One file", "SCORM 1.2", "SCORM 2004", "Classic"}));
    ASSERT_EQ(ui.dialogs.size(), 1U);
    EXPECT_EQ(ui.dialogs[0].filter, "SCORM Packages|*.zip");
    EXPECT_EQ(ui.dialogs[0].proposedName, "Unit 1");
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0], "Ready.\n" + dir.path("For Moodle.zip"));
    EXPECT_TRUE(FileExists(dir.path("Unit 1.vtd"))) << "the set is saved first";
    const ZipReader zip(dir.path("For Moodle.zip"));
    ASSERT_TRUE(zip.isOpen());
    const ReadManifest m = readManifest(*zip.read("imsmanifest.xml"));
    EXPECT_EQ(m.schemaVersion, QStringLiteral("2004 4th Edition"));
    EXPECT_EQ(m.minNormalizedMeasure, QStringLiteral("0.40"));

    // Cancelling the choice makes nothing.
    ui.oneChoices.push_back(std::nullopt);
    CreateWebOutputCall(workspace, ui, lang, "");
    EXPECT_EQ(ui.dialogs.size(), 1U);
}

}  // namespace
}  // namespace dorvel
