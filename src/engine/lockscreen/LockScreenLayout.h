#pragma once

namespace orvan {

struct EngineContext;

// Where the lock screen's parts stand and what it loads from the program folder when it
// is first shown: the bands across the screen, the central box, the kill list and the
// advertising pictures.
class LockScreenLayout {
public:
    static constexpr long kHeaderHeight = 600;
    static constexpr long kFooterHeight = 450;
    static constexpr long kFormWidth = 8400;
    static constexpr long kFormHeight = 6000;
    static constexpr long kIndicatorWidth = 4200;
    static constexpr long kIndicatorHeight = 420;
    static constexpr long kMargin = 120;

    explicit LockScreenLayout(EngineContext& context);

    // Places the bands, the box and the indicator for the current screen size.
    void arrange();
    void loadKillList();
    // "1.jpg" to "18.jpg" from the program folder, each slot on its own.
    void loadPictures();

private:
    EngineContext& context_;
};

} // namespace orvan
