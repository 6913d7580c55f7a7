#include "exchange/QuestionWriters.h"

#include "exchange/MarkedText.h"

namespace dorvel::exchange {

namespace {

std::string withLine(const std::string& text, const std::string& line)
{
    if (line.empty())
        return text;
    return text.empty() ? line : text + "\n" + line;
}

std::string partName(const Question& q, std::size_t part, std::size_t parts)
{
    if (q.name.empty() || parts == 1)
        return q.name;
    return q.name + " (" + std::to_string(part + 1) + ")";
}

}  // namespace

std::optional<ExportFormat> ExportFormatOf(const std::string& path)
{
    auto endsWith = [&path](std::string_view ext) {
        if (path.size() < ext.size())
            return false;
        for (std::size_t k = 0; k < ext.size(); ++k)
            if (std::tolower(static_cast<unsigned char>(path[path.size() - ext.size() + k])) != ext[k])
                return false;
        return true;
    };
    if (endsWith(".xml"))
        return ExportFormat::MoodleXml;
    if (endsWith(".gift") || endsWith(".txt"))
        return ExportFormat::Gift;
    if (endsWith(".zip"))
        return ExportFormat::QtiPackage;
    return std::nullopt;
}

std::vector<Question> SingleAnswerQuestions(const Question& q, bool splitFields)
{
    std::vector<Question> out;
    if (q.kind == Kind::TrueFalse) {
        for (std::size_t k = 0; k < q.statements.size(); ++k) {
            Question one = q;
            one.name = partName(q, k, q.statements.size());
            one.text = withLine(q.text, q.statements[k].text);
            one.statements = {{std::string(), q.statements[k].isTrue}};
            out.push_back(one);
        }
    } else if (q.kind == Kind::Typed && (splitFields || q.fields.size() == 1)) {
        for (std::size_t k = 0; k < q.fields.size(); ++k) {
            Question one = q;
            one.name = partName(q, k, q.fields.size());
            one.text = withLine(q.text, q.fields[k].label);
            one.fields = {q.fields[k]};
            one.fields.front().label.clear();
            out.push_back(one);
        }
    } else {
        out.push_back(q);
    }
    return out;
}

std::string ExportName(const Question& q, int number)
{
    if (!q.name.empty())
        return q.name;
    const std::string label = ShortLabel(q.text);
    return label.empty() ? "Question " + std::to_string(number) : label;
}

}  // namespace dorvel::exchange
