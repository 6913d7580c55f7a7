#pragma once

#include <QString>

#include <string>

// Text crosses between the records (Latin-1 bytes) and the widgets only here.
namespace dorvel {

inline QString fromBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string toBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

}  // namespace dorvel
