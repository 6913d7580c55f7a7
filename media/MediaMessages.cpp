#include "media/MediaMessages.h"

#include "shell/LangStrings.h"

namespace dorvel {

std::string MediaVerdictText(MediaVerdict verdict, MediaKind kind, const LangStrings& lang)
{
    switch (verdict) {
    case MediaVerdict::Ok:
        return {};
    case MediaVerdict::Missing:
        return lang.at(MediaText::Missing);
    case MediaVerdict::NotAFile:
        return lang.at(MediaText::NotAFile);
    case MediaVerdict::UnknownKind:
        return lang.at(kind == MediaKind::Picture ? MediaText::NotAPicture : MediaText::NotASound);
    case MediaVerdict::WrongContent:
        return lang.at(MediaText::WrongContent);
    case MediaVerdict::TooLarge:
        return lang.at(MediaText::TooLarge);
    case MediaVerdict::TooManyPixels:
        return lang.at(MediaText::TooManyPixels);
    case MediaVerdict::UnsafeName:
        return lang.at(MediaText::UnsafeName);
    case MediaVerdict::SvgDocumentType:
        return lang.at(MediaText::SvgDocumentType);
    case MediaVerdict::SvgScript:
        return lang.at(MediaText::SvgScript);
    case MediaVerdict::SvgExternal:
        return lang.at(MediaText::SvgExternal);
    }
    return {};
}

std::string MediaRefusedText(const std::string& path, MediaVerdict verdict, MediaKind kind, const LangStrings& lang)
{
    return lang.at(kind == MediaKind::Picture ? MediaText::PictureRefused : MediaText::SoundRefused) + "\r\n" + path
        + "\r\n" + MediaVerdictText(verdict, kind, lang);
}

std::string FillPlaceholders(std::string text, const std::string& a, const std::string& b, const std::string& c)
{
    const std::string* values[] = {&a, &b, &c};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            out += *values[text[i + 1] - '1'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace dorvel
