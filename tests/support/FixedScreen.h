#pragma once

#include "platform/Screen.h"

namespace orvan::test {

// A 1024 × 768 screen with a 40-pixel panel at the bottom.
class FixedScreen : public Screen {
public:
    long widthTwips() const override { return width; }
    long heightTwips() const override { return height; }
    long workAreaWidthTwips() const override { return width; }
    long workAreaHeightTwips() const override { return height - 600; }

    long width = 1024 * 15;
    long height = 768 * 15;
};

} // namespace orvan::test
