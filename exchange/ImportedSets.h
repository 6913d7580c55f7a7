#pragma once

#include "exchange/ExchangeQuestion.h"
#include "model/OpenSet.h"

#include <string>
#include <vector>

// The sets an import makes of a file's questions: one run of sets for the
// whole file, or one for each of its categories.
namespace dorvel::exchange {

// Where an imported question went: its set (an index, -1 for none) and its
// number in that set.
struct QuestionPlace {
    int set = -1;
    int number = 0;
};

struct ImportedSets {
    std::vector<OpenSet> sets;
    std::vector<QuestionPlace> places;  // one for each question, in order
    // How many categories became sets of their own (0: the file's questions
    // went into sets together).
    int categories = 0;
};

// The categories the questions name, each once, in the order met ("" for
// questions before the first category).
std::vector<std::string> CategoriesOf(const std::vector<Question>& questions);

// The sets of `questions`, at most 100 questions each. With `perCategory`
// and questions of more than one category, each category's questions make
// sets of their own named after it ("Verbs", "Verbs (2)", ...; the questions
// before the first category make sets without a name); otherwise the
// questions make sets in order, named after `fileCategory` when it is not
// empty (as SetsOfQuestions makes them).
ImportedSets SetsOfImport(const std::vector<Question>& questions, const std::string& fileCategory, bool perCategory);

}  // namespace dorvel::exchange
