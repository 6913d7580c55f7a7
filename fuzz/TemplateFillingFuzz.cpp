// Template expansion: a question template and a question record, both from
// outside (a hand-made style, a hostile set), filled for every kind of
// template. The input is the template, a zero byte, then the record; the
// first byte picks the question type.
#include "building/TemplateFilling.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto zero = rest.find('\0');
    const std::string_view templateContent = rest.substr(0, zero);
    const std::string_view record = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);

    const dorvel::QuestionTemplate tmpl = dorvel::TemplateForType(static_cast<std::int8_t>(data[0]));
    dorvel::FillQuestionTemplate(templateContent, record, tmpl);
    dorvel::FillPreTestTemplate(templateContent, record);
    return 0;
}
