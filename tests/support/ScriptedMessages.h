// A message handler for tests: records every message and question and
// answers questions from a script.
#ifndef QZCORE_TESTS_SCRIPTEDMESSAGES_H
#define QZCORE_TESTS_SCRIPTEDMESSAGES_H

#include <deque>
#include <string>
#include <vector>

#include "qzCore/shared/krtError.h"

namespace qzCore {

class ScriptedMessages : public MessageHandler {
public:
    /// @param answers the replies to the questions, in order; once they run
    ///   out every further question is answered yes (1).
    explicit ScriptedMessages(std::deque<int> answers) : m_answers(std::move(answers)) {}

    void notify(const std::string& caption, const std::string& text) override {
        notes.push_back(caption + "|" + text);
    }
    int query(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + "|" + text);
        if (m_answers.empty()) return 1;
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

    void warning(const std::string& line) override { warnings.push_back(line); }

    std::vector<std::string> notes;      ///< "caption|text" of each message
    std::vector<std::string> warnings;   ///< each warning or progress line
    std::vector<std::string> questions;  ///< "caption|text" of each question

private:
    std::deque<int> m_answers;
};

}  // namespace qzCore

#endif  // QZCORE_TESTS_SCRIPTEDMESSAGES_H
