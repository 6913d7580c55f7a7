#pragma once

#include "exchange/ExchangeQuestion.h"
#include "model/OpenSet.h"

#include <string>
#include <vector>

// Between exchanged questions and the set's records.
namespace dorvel::exchange {

// The question record of `q` (a default record with its fields written).
// The question's name goes into its name field (model/QuestionName.h); a
// numeric range into `useRangeF` with the bounds as the field's first two
// answers.
std::string QuestionRecord(const Question& q);

// The question a record holds, as it is: a true/false question keeps all
// its statements and a typed one all its fields (writers decide how a
// format carries them); of its picture, the description.
Question QuestionOfRecord(const std::string& record);

// Sets of at most 100 questions each (test details and slots; no path),
// named after `name` when it is not empty ("Name", "Name (2)", ...).
std::vector<OpenSet> SetsOfQuestions(const std::vector<Question>& questions, const std::string& name);

// The questions of a set that are switched on, each with its number in the set.
struct NumberedQuestion {
    int number = 0;
    Question question;
};
std::vector<NumberedQuestion> QuestionsOfSet(const OpenSet& set);

}  // namespace dorvel::exchange
