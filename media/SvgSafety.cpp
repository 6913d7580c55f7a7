#include "media/SvgSafety.h"

#include <QXmlStreamReader>

#include <array>

namespace dorvel {

namespace {

const QString kXhtmlNamespace = QStringLiteral("http://www.w3.org/1999/xhtml");
const QString kXmlNamespace = QStringLiteral("http://www.w3.org/XML/1998/namespace");

// Lower case without blanks or control characters: browsers pass over
// those inside an address's scheme ("java\tscript:") and around CSS tokens.
QString folded(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() != 0x7F)
            out += c.toLower();
    }
    return out;
}

// A picture the SVG carries in itself; an SVG in a data address is left
// out, as it would be a document of its own.
bool isCarriedRaster(QStringView foldedAddress)
{
    static const std::array<QString, 5> kinds = {
        QStringLiteral("data:image/png"),
        QStringLiteral("data:image/jpeg"),
        QStringLiteral("data:image/jpg"),
        QStringLiteral("data:image/gif"),
        QStringLiteral("data:image/webp"),
    };
    for (const QString& kind : kinds) {
        if (foldedAddress.startsWith(kind) && foldedAddress.size() > kind.size()
            && (foldedAddress[kind.size()] == u';' || foldedAddress[kind.size()] == u','))
            return true;
    }
    return false;
}

// An address given in an href: a part of the picture, or a raster picture
// it carries, and nothing else.
MediaVerdict addressVerdict(QStringView address)
{
    const QString f = folded(address);
    if (f.contains(QLatin1String("javascript:")))
        return MediaVerdict::SvgScript;
    if (f.isEmpty() || f.startsWith(u'#') || isCarriedRaster(f))
        return MediaVerdict::Ok;
    return MediaVerdict::SvgExternal;
}

// Every url(...) in `f` (folded) names a part of the picture or a raster
// picture it carries.
bool urlsStayInside(const QString& f)
{
    for (qsizetype at = f.indexOf(QLatin1String("url(")); at >= 0; at = f.indexOf(QLatin1String("url("), at + 4)) {
        QStringView target = QStringView(f).mid(at + 4);
        if (target.startsWith(u'"') || target.startsWith(u'\''))
            target = target.mid(1);
        if (!target.startsWith(u'#') && !isCarriedRaster(target))
            return false;
    }
    return true;
}

// An attribute value of a shape or of another element: presentation
// attributes take url(...) (fill, filter, clip-path, marker, cursor).
MediaVerdict valueVerdict(QStringView value)
{
    const QString f = folded(value);
    if (f.contains(QLatin1String("javascript:")))
        return MediaVerdict::SvgScript;
    return urlsStayInside(f) ? MediaVerdict::Ok : MediaVerdict::SvgExternal;
}

// A style sheet or a style attribute. CSS escapes could spell any of the
// words looked for here, so a style holding a backslash is refused too.
MediaVerdict cssVerdict(QStringView css)
{
    const QString f = folded(css);
    for (const char* word : {"javascript:", "expression(", "-moz-binding", "behavior:"}) {
        if (f.contains(QLatin1String(word)))
            return MediaVerdict::SvgScript;
    }
    if (f.contains(u'\\') || f.contains(QLatin1String("@import")) || f.contains(QLatin1String("image-set("))
        || !urlsStayInside(f))
        return MediaVerdict::SvgExternal;
    return MediaVerdict::Ok;
}

bool isAnimation(const QString& element)
{
    return element == QLatin1String("set") || element == QLatin1String("animate")
        || element == QLatin1String("animatetransform") || element == QLatin1String("animatemotion")
        || element == QLatin1String("animatecolor");
}

MediaVerdict elementVerdict(const QXmlStreamReader& xml)
{
    const QString element = xml.name().toString().toLower();
    if (element == QLatin1String("script") || element == QLatin1String("handler"))
        return MediaVerdict::SvgScript;
    if (xml.namespaceUri() == kXhtmlNamespace)
        return MediaVerdict::SvgExternal;  // a web page inside the picture
    if (element == QLatin1String("foreignobject"))
        return MediaVerdict::SvgExternal;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (isAnimation(element)) {
        // An animation may set an attribute the picture could not hold itself.
        QString target = folded(attributes.value(QLatin1String("attributeName")));
        target = target.mid(target.lastIndexOf(u':') + 1);
        if (target == QLatin1String("href") || target.startsWith(QLatin1String("on")))
            return MediaVerdict::SvgScript;
        for (const char* value : {"from", "to", "by", "values"}) {
            const MediaVerdict v = cssVerdict(attributes.value(QLatin1String(value)));
            if (v != MediaVerdict::Ok)
                return v;
        }
    }
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString name = attribute.name().toString().toLower();
        MediaVerdict v = MediaVerdict::Ok;
        if (name.startsWith(QLatin1String("on")))
            v = MediaVerdict::SvgScript;
        else if (name == QLatin1String("base") && attribute.namespaceUri() == kXmlNamespace)
            v = MediaVerdict::SvgExternal;  // would make "#id" an address elsewhere
        else if (name == QLatin1String("href"))
            v = addressVerdict(attribute.value());
        else if (name == QLatin1String("style"))
            v = cssVerdict(attribute.value());
        else
            v = valueVerdict(attribute.value());
        if (v != MediaVerdict::Ok)
            return v;
    }
    return MediaVerdict::Ok;
}

}  // namespace

MediaVerdict CheckSvgSafety(std::string_view bytes)
{
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QString styleSheet;
    int styleDepth = 0;  // inside a <style> element
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return MediaVerdict::SvgDocumentType;
        case QXmlStreamReader::ProcessingInstruction:
            if (xml.processingInstructionTarget().compare(QLatin1String("xml-stylesheet"), Qt::CaseInsensitive) == 0)
                return MediaVerdict::SvgExternal;
            break;
        case QXmlStreamReader::StartElement: {
            const MediaVerdict v = elementVerdict(xml);
            if (v != MediaVerdict::Ok)
                return v;
            if (styleDepth > 0 || xml.name().compare(QLatin1String("style"), Qt::CaseInsensitive) == 0)
                ++styleDepth;
            break;
        }
        case QXmlStreamReader::Characters:
            if (styleDepth > 0)
                styleSheet += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            if (styleDepth > 0 && --styleDepth == 0) {
                const MediaVerdict v = cssVerdict(styleSheet);
                if (v != MediaVerdict::Ok)
                    return v;
                styleSheet.clear();
            }
            break;
        default:
            break;
        }
    }
    return xml.hasError() ? MediaVerdict::WrongContent : MediaVerdict::Ok;
}

}  // namespace dorvel
