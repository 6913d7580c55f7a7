#include "building/TemplateFilling.h"

#include "model/DefaultRecords.h"
#include "model/SetFields.h"
#include "storage/TextCodec.h"
#include "storage/Vtutils.h"

#include <array>
#include <string>

namespace dorvel {

namespace {

constexpr int kSlotCount = 10;
// Records beyond the slots are taken out and dropped, up to this many.
constexpr int kMaxTakenOut = 100;

using Slots = std::array<std::string, kSlotCount>;

// Takes out the records of `kind` in template order into the slots. With
// dropExtra, records beyond the slots are removed as well (up to
// kMaxTakenOut in all); without it they stay in the content where they stood.
Slots TakeOut(std::string& content, std::string_view kind, bool dropExtra)
{
    Slots slots;
    const int limit = dropExtra ? kMaxTakenOut : kSlotCount;
    for (int i = 0; i < limit; ++i) {
        std::string r = GetTag(content, kind);
        if (r.empty())
            break;
        content = RemoveTag(content, kind);
        if (i < kSlotCount)
            slots[static_cast<std::size_t>(i)] = std::move(r);
    }
    return slots;
}

void AppendSlots(std::string& content, const Slots& slots, std::string_view kind)
{
    for (const std::string& s : slots) {
        if (s.empty())
            continue;
        content += "<";
        content += kind;
        content += ">";
        content += s;
        content += "</";
        content += kind;
        content += ">";
    }
}

// The first slot whose `field` equals `name`, or nullptr.
std::string* FindSlot(Slots& slots, std::string_view field, std::string_view name)
{
    for (std::string& s : slots) {
        if (!s.empty() && GetTag(s, field) == name)
            return &s;
    }
    return nullptr;
}

// Every value from a set goes into a question file through here or
// CleanText: whatever an old or hand-made set holds, none of it becomes an
// element of the question file.
std::string SetValue(std::string_view record, const std::string& name)
{
    return SafeStoredValue(GetTag(record, name));
}

void MarkButtons(Slots& slots, std::string_view question, int count)
{
    // A right choice out of range is the first, as the question type reads
    // it (model/Question.h) for the paper key and the exchange formats: a
    // web test must never be left with no right answer.
    int selected = GetTagInt(question, setfield::kSelectAnswer, 0);
    if (selected < 0 || selected >= count)
        selected = 0;
    for (int k = 1; k <= count; ++k) {
        std::string* slot = FindSlot(slots, "ButtonName", "Button " + std::to_string(k));
        if (!slot)
            continue;
        const bool isTrue = StatementIsTrue(question, k);
        std::string& b = *slot;
        b = SetTag(b, "buttonMarkIfSelected", selected == k - 1 ? "1" : "0");
        b = SetTag(b, "buttonMarkIfNotSelected", "0");
        b = SetTag(b, "buttonMarkIfTrueSelected", isTrue ? "1" : "0");
        b = SetTag(b, "buttonMarkIfFalseSelected", isTrue ? "0" : "1");
        b = SetTag(b, "buttonMarkIfNoTFSelection", "0");
    }
}

void FillFields(Slots& slots, std::string_view question, int count)
{
    for (int f = 1; f <= count; ++f) {
        std::string* slot = FindSlot(slots, "FieldName", "Field " + std::to_string(f));
        if (!slot)
            continue;
        std::string& field = *slot;
        for (int n = 0; n <= 9; ++n) {
            // Answers keep their positions: a12 is FieldAnswer3 even when a11 is empty.
            const std::string answer = CleanText(DecodeText(GetTag(question, setfield::AnswerField(f, n))));
            if (!answer.empty())
                field = SetTag(field, "FieldAnswer" + std::to_string(n + 1), answer);
        }
        field = SetTag(field, "editRestriction", SetValue(question, setfield::FieldTypeField(f)));
        // A number field may accept a range (imported tolerances): its first
        // two answers are the bounds. Other fields keep the template's value.
        if (GetTagInt(question, setfield::FieldRangeField(f), 0) == 1)
            field = SetTag(field, "useRange", "1");
    }
}

// Writes the title and texts by position: templates list their named texts
// in the order Title, Text 1, Text 2, ...
void FillTexts(Slots& slots, std::string_view question, int count)
{
    std::size_t w = 0;
    auto write = [&](std::string_view value) {
        if (w < slots.size()) {
            slots[w] = SetTag(slots[w], "vtString", value);
            ++w;
        }
    };
    if (FindSlot(slots, "textName", "Title"))
        write(SetValue(question, "Title"));
    for (int k = 1; k <= count; ++k) {
        if (FindSlot(slots, "textName", "Text " + std::to_string(k)))
            write(SetValue(question, setfield::TextField(k)));
    }
}

}  // namespace

std::string QuestionTemplate::fileName() const
{
    return family + std::to_string(count) + ".vtq";
}

QuestionTemplate TemplateForType(int qType)
{
    if (qType <= 2)
        return {"mc", qType + 2, TemplateKind::ChoiceButtons};
    if (qType <= 6)
        return {"tf", qType - 2, TemplateKind::TrueFalseButtons};
    return {"tx", qType - 6, TemplateKind::TextFields};
}

std::string FillQuestionTemplate(std::string_view templateContent, std::string_view question,
                                 const QuestionTemplate& tmpl)
{
    std::string content(templateContent);
    if (tmpl.kind == TemplateKind::TextFields) {
        Slots fields = TakeOut(content, "vtField", true);
        FillFields(fields, question, tmpl.count);
        AppendSlots(content, fields, "vtField");
    } else {
        Slots buttons = TakeOut(content, "vtButton", true);
        MarkButtons(buttons, question, tmpl.count);
        AppendSlots(content, buttons, "vtButton");
    }
    Slots texts = TakeOut(content, "vtText", false);
    FillTexts(texts, question, tmpl.count);
    AppendSlots(content, texts, "vtText");
    return content;
}

std::string FillPreTestTemplate(std::string_view templateContent, std::string_view testDetails)
{
    std::string content(templateContent);
    Slots texts = TakeOut(content, "vtText", false);
    if (std::string* t = FindSlot(texts, "textName", "TestName")) {
        const std::string name = SetValue(testDetails, "TestName");
        *t = SetTag(*t, "vtString", name == "0" ? "Test" : name);
    }
    if (std::string* t = FindSlot(texts, "textName", "ExaminerName")) {
        const std::string name = SetValue(testDetails, "ExaminerName");
        *t = SetTag(*t, "vtString", name == "0" ? "." : name);
    }
    AppendSlots(content, texts, "vtText");
    return content;
}

}  // namespace dorvel
