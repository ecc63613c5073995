#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace orvan::test {

// Records every standard box and answers from a script (OK, or Yes for Yes/No
// boxes, when the script is empty).
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        std::string text;
        std::string title;
        int style = 0;
    };

    int messageBox(const std::string& text, const std::string& title, int style) override {
        shown.push_back({text, title, style});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & 0xF) == 4 ? kYes : kOk;
    }

    void beep() override { ++beeps; }

    std::vector<Shown> shown;
    int beeps = 0;
    std::deque<int> answers;
};

} // namespace orvan::test
