#pragma once

#include "model/FormModel.h"
#include "model/PictureBox.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvan {

// The lock screen as the front end renders it. The lock-screen classes hold the rules;
// this is what they decided: which panel shows, every text, picture and field, where
// the bands and the central box stand, what has the focus.
struct BlockForm : FormModel {
    // What a control shows besides its value.
    struct Caption {
        std::string caption;
        std::string toolTip;
    };
    struct Option {
        bool enabled = true;
        bool value = false;
    };
    // A place on the screen, in twips.
    struct Rect {
        long left = 0;
        long top = 0;
        long width = 0;
        long height = 0;
    };
    // One visible top-level window found by the window closer.
    struct WindowEntry {
        std::string title;
        std::uint64_t handle = 0;
    };
    // One entry of the language chooser: the name in Latin letters and the row of the
    // language table it stands for.
    struct LanguageEntry {
        std::string name;
        int row = 0;
    };
    enum class Control {
        None,
        txtCardNum,
        txtLogin,
        txtPassword,
        optConnected,
        cmdCxn,
        cmdReCnx,
        cmdUnPause,
        cmdQuit0,
        cmdQuit1
    };

    static constexpr int kPictureSlots = 18;

    // The bands, the central box and the panels inside it (one per state).
    bool fraFormVisible = true;
    bool fraHeaderVisible = true;
    bool fraFooterVisible = true;
    bool fraFollowServerVisible = false;
    bool fraControlsActive = true;
    bool fraControlsBlocked = false;
    bool fraControlsSessionEnd = false;
    bool fraControlsNoMoreCredit = false;
    bool fraControlsPaused = false;
    bool fraControlsLocked = false;
    Rect fraForm;
    Rect fraHeader;
    Rect fraFooter;
    Rect fraFollowServer;
    Rect fraNoServCnx;

    // The login panel.
    Option optCard;
    Option optSelfService;
    Option OptClient;
    Option optConnected{true, true};
    Option optDisconnected{true, false};
    bool fraCardNumberVisible = true;
    bool fraClientVisible = false;
    std::string txtCardNum;
    std::string txtLogin;
    std::string txtPassword;
    std::string txtCardNumPasswordChar; // "*" while card numbers are hidden
    bool txtCardNumEnabled = true;
    bool txtLoginEnabled = true;
    bool txtPasswordEnabled = true;
    bool txtCardNumToolTipVisible = false; // the digits-only hint
    bool txtLoginToolTipVisible = false;   // the illegal-characters hint
    bool cmdCxnEnabled = false;
    int cmdCxnPicture = 1; // 1 card, 2 member, 3 self-service
    bool busyPointer = false;

    // The other panels' buttons and the close-session count-down's line.
    bool cmdReCnxEnabled = false;
    std::string lblCloseSessionWarningText;

    // The connection indicator: its text, its picture (1 and 2 blink, 3 connected).
    std::string lblCnxIndicator;
    int imgCnxIndicator = 1;

    // The header's workstation name with its tool tip, and the language chooser.
    std::string lblWksnName;
    std::string lblWksnNameToolTip;
    std::vector<LanguageEntry> cmbLanguage;
    int cmbLanguageIndex = -1;

    // Texts set by the localisation: captions and tool tips by control.
    Caption cmdCxn;
    Caption cmdQuit;
    Caption cmdReCnx;
    Caption cmdUnPause;
    Caption fraCardNumber;
    std::array<Caption, 16> lbl;
    Caption optCardText;
    Caption optSelfServiceText;
    Caption OptClientText;
    Caption optConnectedText;
    Caption optDisconnectedText;
    Caption txtCardNumText;
    Caption txtLoginText;
    Caption txtPasswordText;
    std::string txtCardNumToolTip;
    std::string txtLoginToolTip;
    std::string lblCloseSessionWarning; // the line's fixed beginning
    std::string lblGNU;
    std::string Label1; // the footer's contact line
    std::string imgNoServCnxToolTip;
    std::string picLogoToolTip;

    // Documents and pictures.
    std::string rtbMessageFile; // the state's rich-text message; empty: none
    PictureBox picLogo;
    // Bumped when the message or the logo may have been replaced under the same name,
    // so that the front end reads them again rather than watch the files.
    std::uint32_t documentsRevision = 0;
    PictureBox imgFollowServer;
    std::array<std::string, kPictureSlots> img; // advertising pictures; empty: none

    // The diagnostic lists: the kill list, the windows the closer found, its counter.
    std::vector<std::string> List1;
    std::vector<WindowEntry> List2;
    bool listsVisible = false;
    std::string lbkill;

    Control focus = Control::None;
    Control defaultButton = Control::None;

    // Set once the screen has been shown: later failures are logged, not shown.
    bool shownOnce = false;
};

} // namespace orvan
