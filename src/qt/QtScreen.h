#pragma once

#include "platform/Screen.h"

namespace orvan {

// The primary screen as Qt sees it, converted to twips by its real resolution.
class QtScreen : public Screen {
public:
    long widthTwips() const override;
    long heightTwips() const override;
    long workAreaWidthTwips() const override;
    long workAreaHeightTwips() const override;
};

} // namespace orvan
