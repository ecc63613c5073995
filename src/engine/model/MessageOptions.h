#pragma once

namespace orvan {

// When to warn the customer, as the server configured it.
struct MessageOptions {
    int intWarnRemaining = 0; // 1 = warn before the credit ends
    int intWarnMinutes1 = 0;
    int intWarnMinutes2 = 0;
    int intWarnOwed = 0; // 1 = announce the amount owed
    float sngOwedStep = 0;
};

} // namespace orvan
