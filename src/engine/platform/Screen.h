#pragma once

namespace orvan {

// The primary screen, in twips (1/1440 inch; 15 twips per pixel at 96 dots per inch).
class Screen {
public:
    virtual ~Screen() = default;

    virtual long widthTwips() const = 0;
    virtual long heightTwips() const = 0;
    // The part not taken by panels and docks.
    virtual long workAreaWidthTwips() const = 0;
    virtual long workAreaHeightTwips() const = 0;
};

} // namespace orvan
