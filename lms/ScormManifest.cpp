#include "lms/ScormManifest.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

namespace dorvel {

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct Namespaces {
    const char* content;
    const char* adlcp;
    const char* schemaLocation;
    const char* schemaVersion;
};

const Namespaces k12{
    "http://www.imsproject.org/xsd/imscp_rootv1p1p2",
    "http://www.adlnet.org/xsd/adlcp_rootv1p2",
    "http://www.imsproject.org/xsd/imscp_rootv1p1p2 imscp_rootv1p1p2.xsd "
    "http://www.imsglobal.org/xsd/imsmd_rootv1p2p1 imsmd_rootv1p2p1.xsd "
    "http://www.adlnet.org/xsd/adlcp_rootv1p2 adlcp_rootv1p2.xsd",
    "1.2",
};

const Namespaces k2004{
    "http://www.imsglobal.org/xsd/imscp_v1p1",
    "http://www.adlnet.org/xsd/adlcp_v1p3",
    "http://www.imsglobal.org/xsd/imscp_v1p1 imscp_v1p1.xsd "
    "http://www.adlnet.org/xsd/adlcp_v1p3 adlcp_v1p3.xsd "
    "http://www.adlnet.org/xsd/adlseq_v1p3 adlseq_v1p3.xsd "
    "http://www.adlnet.org/xsd/adlnav_v1p3 adlnav_v1p3.xsd "
    "http://www.imsglobal.org/xsd/imsss imsss_v1p0.xsd",
    "2004 4th Edition",
};

constexpr const char* kXsi = "http://www.w3.org/2001/XMLSchema-instance";
constexpr const char* kAdlseq = "http://www.adlnet.org/xsd/adlseq_v1p3";
constexpr const char* kAdlnav = "http://www.adlnet.org/xsd/adlnav_v1p3";
constexpr const char* kImsss = "http://www.imsglobal.org/xsd/imsss";

}  // namespace

std::optional<ScormVersion> ScormVersionNamed(std::string_view name)
{
    if (name == "1.2")
        return ScormVersion::Scorm12;
    if (name == "2004")
        return ScormVersion::Scorm2004;
    return std::nullopt;
}

std::string_view ScormVersionName(ScormVersion version)
{
    return version == ScormVersion::Scorm12 ? "1.2" : "2004";
}

std::string ManifestHref(const std::string& path)
{
    return QByteArray::fromStdString(path).toPercentEncoding("/").toStdString();
}

std::string ScormManifestText(const ScormManifestInput& in)
{
    const bool is2004 = in.version == ScormVersion::Scorm2004;
    const Namespaces& ns = is2004 ? k2004 : k12;
    const QString adlcp = QString::fromLatin1(ns.adlcp);
    const QString imsss = QString::fromLatin1(kImsss);
    const QString title = q(in.title).trimmed().isEmpty() ? QStringLiteral("Test") : q(in.title);

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QString::fromLatin1(ns.content));
    xml.writeNamespace(adlcp, QStringLiteral("adlcp"));
    if (is2004) {
        xml.writeNamespace(QString::fromLatin1(kAdlseq), QStringLiteral("adlseq"));
        xml.writeNamespace(QString::fromLatin1(kAdlnav), QStringLiteral("adlnav"));
        xml.writeNamespace(imsss, QStringLiteral("imsss"));
    }
    xml.writeNamespace(QString::fromLatin1(kXsi), QStringLiteral("xsi"));
    xml.writeStartElement(QString::fromLatin1(ns.content), QStringLiteral("manifest"));
    xml.writeAttribute(QStringLiteral("identifier"), q(in.identifier));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeAttribute(QString::fromLatin1(kXsi), QStringLiteral("schemaLocation"), QString::fromLatin1(ns.schemaLocation));

    xml.writeStartElement(QStringLiteral("metadata"));
    xml.writeTextElement(QStringLiteral("schema"), QStringLiteral("ADL SCORM"));
    xml.writeTextElement(QStringLiteral("schemaversion"), QString::fromLatin1(ns.schemaVersion));
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("organizations"));
    xml.writeAttribute(QStringLiteral("default"), QStringLiteral("ORG-1"));
    xml.writeStartElement(QStringLiteral("organization"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("ORG-1"));
    xml.writeTextElement(QStringLiteral("title"), title);
    xml.writeStartElement(QStringLiteral("item"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("ITEM-1"));
    xml.writeAttribute(QStringLiteral("identifierref"), QStringLiteral("RES-1"));
    xml.writeAttribute(QStringLiteral("isvisible"), QStringLiteral("true"));
    xml.writeTextElement(QStringLiteral("title"), title);
    if (in.passMark > 0 && !is2004)
        xml.writeTextElement(adlcp, QStringLiteral("masteryscore"), QString::number(in.passMark));
    if (in.passMark > 0 && is2004) {
        xml.writeStartElement(imsss, QStringLiteral("sequencing"));
        xml.writeStartElement(imsss, QStringLiteral("objectives"));
        xml.writeStartElement(imsss, QStringLiteral("primaryObjective"));
        xml.writeAttribute(QStringLiteral("objectiveID"), QStringLiteral("PASS-1"));
        xml.writeAttribute(QStringLiteral("satisfiedByMeasure"), QStringLiteral("true"));
        xml.writeTextElement(imsss, QStringLiteral("minNormalizedMeasure"), QString::number(in.passMark / 100.0, 'f', 2));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();  // item
    xml.writeEndElement();  // organization
    xml.writeEndElement();  // organizations

    xml.writeStartElement(QStringLiteral("resources"));
    xml.writeStartElement(QStringLiteral("resource"));
    xml.writeAttribute(QStringLiteral("identifier"), QStringLiteral("RES-1"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("webcontent"));
    // The attribute is spelt scormtype in 1.2 and scormType in 2004.
    xml.writeAttribute(adlcp, is2004 ? QStringLiteral("scormType") : QStringLiteral("scormtype"), QStringLiteral("sco"));
    xml.writeAttribute(QStringLiteral("href"), q(ManifestHref(in.launchPage)));
    for (const std::string& file : in.files) {
        xml.writeEmptyElement(QStringLiteral("file"));
        xml.writeAttribute(QStringLiteral("href"), q(ManifestHref(file)));
    }
    xml.writeEndElement();  // resource
    xml.writeEndElement();  // resources
    xml.writeEndElement();  // manifest
    xml.writeEndDocument();
    return bytes.toStdString();
}

}  // namespace dorvel
