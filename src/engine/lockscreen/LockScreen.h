#pragma once

#include "imaging/ImageLoading.h"
#include "lockdown/SoundMuting.h"
#include "lockdown/WinLock.h"
#include "lockscreen/LockScreenLayout.h"
#include "lockscreen/LockScreenTexts.h"
#include "roles/LockForState.h"

#include <string>

namespace orvan {

struct EngineContext;
class LockScreenTimers;
class SessionMoves;

// The full-screen lock window: refreshed for every blocked state with its panel, its
// message and the shell locked; released when a session starts or resumes.
class LockScreen : public LockForState {
public:
    // What the screen needs from parts made after it.
    struct Parts {
        SessionMoves& session;
        LockScreenTimers& timers;
    };

    explicit LockScreen(EngineContext& context);
    void connect(Parts parts);

    // Brings the lock screen up for the current state, with the shell locked and,
    // coming from an unlocked state, the sound muted. A state without a panel changes
    // nothing on the screen.
    void refresh() override;
    // Takes it down when a session starts or resumes; the shell and the sound come back.
    void release();
    // A locked screen without panels, for the time before the first state is entered:
    // the computer must not be open while the start delay runs.
    void showBlank();
    // A session is starting: task switching and Ctrl+Alt+Del come back first.
    void allowSwitching();
    // Test mode began in the middle of the run: the lock taken so far is given back
    // while the lock screen stays.
    void giveShellBack();
    void stopCloseSessionCountdown();
    void startUnblockCountdown();
    // The connection indicator blinks while no server answers.
    void setSearching(bool searching);
    // The connect button works only while the server can hear, and then only when the
    // chosen login kind's field is filled in (self-service needs none).
    void applyConnectButtonRule();
    // Lets go of the message file and the logo so that they can be replaced.
    void releaseDocuments();
    // Shows the message file of the current state and the logo again.
    void reloadDocuments();
    // Empties the message box and reads the logo again, so that a logo replaced while
    // the staff work on the settings shows at once.
    void resetMessageAndReloadLogo();
    // The message file for a state: the received one when "Message & Logo Files Type"
    // is 1, else the language's own; empty for states without a message.
    std::string messageFileFor(int state) const;
    // The follow-mode picture the server sent.
    void showFollowPicture(const std::string& path);

    LockScreenTexts& texts() { return texts_; }
    ImageLoading& images() { return images_; }

private:
    void unloadDialogs();
    bool showPanelOf(int state);
    void preparePanelForNewCustomer();
    void showPanels(bool active, bool blocked, bool ended, bool noCredit, bool paused, bool locked);
    void Form_Load();
    void activate();
    void giveFocus(int state);
    void loadLogo();

    EngineContext& context_;
    WinLock winLock_;
    SoundMuting muting_;
    LockScreenTexts texts_;
    LockScreenLayout layout_;
    ImageLoading images_;
    SessionMoves* session_ = nullptr;
    LockScreenTimers* timers_ = nullptr;
    bool blank_ = false; // shown by showBlank: the first refresh still activates it
};

} // namespace orvan
