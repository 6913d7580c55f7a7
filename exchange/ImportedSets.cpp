#include "exchange/ImportedSets.h"

#include "exchange/SetRecords.h"

#include <algorithm>

namespace dorvel::exchange {

std::vector<std::string> CategoriesOf(const std::vector<Question>& questions)
{
    std::vector<std::string> categories;
    for (const Question& q : questions)
        if (std::find(categories.begin(), categories.end(), q.category) == categories.end())
            categories.push_back(q.category);
    return categories;
}

ImportedSets SetsOfImport(const std::vector<Question>& questions, const std::string& fileCategory, bool perCategory)
{
    ImportedSets out;
    out.places.resize(questions.size());
    const std::vector<std::string> categories = CategoriesOf(questions);
    if (!perCategory || categories.size() < 2) {
        out.sets = SetsOfQuestions(questions, fileCategory);
        for (std::size_t k = 0; k < questions.size(); ++k)
            out.places[k] = {static_cast<int>(k / static_cast<std::size_t>(kMaxQuestions)), static_cast<int>(k % static_cast<std::size_t>(kMaxQuestions)) + 1};
        return out;
    }
    out.categories = static_cast<int>(categories.size());
    for (const std::string& category : categories) {
        std::vector<Question> ofCategory;
        std::vector<std::size_t> indices;
        for (std::size_t k = 0; k < questions.size(); ++k) {
            if (questions[k].category == category) {
                ofCategory.push_back(questions[k]);
                indices.push_back(k);
            }
        }
        const int first = static_cast<int>(out.sets.size());
        for (OpenSet& set : SetsOfQuestions(ofCategory, category))
            out.sets.push_back(std::move(set));
        for (std::size_t k = 0; k < indices.size(); ++k)
            out.places[indices[k]] = {first + static_cast<int>(k / static_cast<std::size_t>(kMaxQuestions)), static_cast<int>(k % static_cast<std::size_t>(kMaxQuestions)) + 1};
    }
    return out;
}

}  // namespace dorvel::exchange
