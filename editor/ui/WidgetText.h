#pragma once

#include "storage/TextCodec.h"

#include <QString>

#include <string>
#include <string_view>

// Text crosses between the program (UTF-8) and the widgets only here.
// Stored values from the records are decoded on the way to a widget.
namespace dorvel {

inline QString fromBytes(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toBytes(const QString& text)
{
    return text.toUtf8().toStdString();
}

// A widget named after the element of the record it edits
// (model/SetFields.h): the editor finds the element by the widget's name.
inline QString fieldName(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// A value as stored in a record, shown in a widget.
inline QString fromStored(const std::string& stored)
{
    return fromBytes(DecodeText(stored));
}

// A text box's value as stored, shown in its box. A new question's boxes
// hold a lone blank, which the box shows empty so that typing starts clean.
inline QString boxText(const std::string& stored)
{
    return stored == " " ? QString() : fromStored(stored);
}

}  // namespace dorvel
