#include "link/ReceivedFiles.h"

#include "base/ErrorReporter.h"
#include "config/RegistrySettings.h"
#include "config/SettingsRepository.h"
#include "link/ServerDispatcher.h"
#include "lockscreen/LockScreen.h"
#include "model/EngineContext.h"
#include "platform/FileSystem.h"
#include "wire/MessageSender.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"
#include "wire/WireNumbers.h"

#include <array>

namespace orvan {
namespace {

// The fixed name of each kind in the data folder.
constexpr std::array<const char*, 11> kFileNames = {
    "intro.rtf",
    "blocked.rtf",
    "nocredit.rtf",
    "sessionend.rtf",
    "sessionpaused.rtf",
    "logo.png",
    "follow_image.jpg",
    "background_image",
    "server_db_backup.mdb",
    "session_batch_start.bat",
    "session_batch_end.bat",
};

constexpr int kLogo = 5;
constexpr int kFollowImage = 6;
constexpr int kBackground = 7;

} // namespace

ReceivedFiles::ReceivedFiles(EngineContext& context, Parts parts)
    : context_(context)
    , parts_(parts) {}

void ReceivedFiles::registerWith(ServerDispatcher& dispatcher) {
    dispatcher.addBytes(tags::kFileSend, [this](const std::string& payload) {
        // Only the first separator counts: a file's bytes may hold anything, and an
        // empty file leaves nothing after it. The kind is ASCII digits.
        const auto separator = payload.find(tags::kPayloadToken);
        const auto kind = context_.numbers.toInteger(payload.substr(0, separator), 16);
        const auto content = separator == std::string::npos
                                 ? std::string{}
                                 : payload.substr(separator + tags::kPayloadToken.size());
        subProcessReceivedFile(static_cast<int>(kind), content);
    });
}

bool ReceivedFiles::lockScreenShowsDocuments(int kind) const {
    const auto& block = context_.forms.frmBlock;
    return block.visible && block.shownOnce && kind < kFollowImage;
}

void ReceivedFiles::subProcessReceivedFile(int kind, const std::string& bytes) {
    // The error box only while no lock screen has ever been up to cover the desktop.
    const auto mode = context_.forms.frmBlock.shownOnce ? OnError::LogOnly : OnError::Show;
    context_.errors.trap("modFunctions.subProcessReceivedFileError", mode, [&] {
        auto& files = context_.platform.files;
        const auto temp = context_.settings.strDataPath + "/" + kTempFileName;
        if (bytes != tags::kFileTemp) {
            files.remove(temp); // a stale file that will not go is overwritten below
            if (!files.write(temp, bytes)) {
                throw AppError(AppError::kPathFileAccess, "Path/File access error");
            }
        }
        // The lock screen holds its documents open; let go so they can be replaced.
        if (lockScreenShowsDocuments(kind)) {
            parts_.lockScreen.releaseDocuments();
        }
        store(kind, temp);
        if (files.exists(temp) && !files.remove(temp)) {
            throw AppError(AppError::kPathFileAccess, "Path/File access error");
        }
        if (lockScreenShowsDocuments(kind)) {
            parts_.lockScreen.reloadDocuments();
        }
    });
}

void ReceivedFiles::store(int kind, const std::string& temp) {
    if (kind < 0 || kind >= static_cast<int>(kFileNames.size())) {
        return; // a kind of a later server
    }
    auto& settings = context_.settings;
    const auto path = settings.strDataPath + "/" + kFileNames[static_cast<std::size_t>(kind)];
    if (!context_.platform.files.copy(temp, path)) {
        throw AppError(AppError::kPathFileAccess, "Path/File access error");
    }
    switch (kind) {
    case 0:
        recordMessagePath("Intro", settings.strMsgIntro, path);
        break;
    case 1:
        recordMessagePath("Blocked", settings.strMsgBlocked, path);
        break;
    case 2:
        recordMessagePath("No credit", settings.strMsgNoCredit, path);
        break;
    case 3:
        recordMessagePath("Session end", settings.strMsgSessionEnd, path);
        break;
    case 4:
        recordMessagePath("Session paused", settings.strMsgSessionPaused, path);
        break;
    case kLogo:
        context_.registry.SetRegSettings(context_.strAppKey, SettingsRepository::kGeneral,
                                         "Logo path", path, RegistrySettings::REG_SZ);
        settings.strLogoPath = path;
        break;
    case kFollowImage:
        parts_.lockScreen.showFollowPicture(path);
        // One request per picture stored: the server sends the next one only when asked.
        parts_.sender.funSendData(context_.platform.wskCli,
                                  WireFormat::message(tags::kRdyForServScreen, "-1"), true);
        break;
    case kBackground:
        context_.link.strWallpaperPath = path;
        break;
    default:
        break; // the backup and the batch files are read from their fixed names
    }
    if (kind <= kLogo) {
        // From now on the lock screen shows the server's documents, not the language's.
        context_.registry.SetRegSettings(context_.strAppKey, SettingsRepository::kGeneral,
                                         "Message & Logo Files Type", "1",
                                         RegistrySettings::REG_DWORD);
        settings.intMsgLogoFilesType = 1;
    }
}

void ReceivedFiles::recordMessagePath(const char* name, std::string& inMemory,
                                      const std::string& path) {
    context_.registry.SetRegSettings(context_.strAppKey, SettingsRepository::kMessagePaths, name,
                                     path, RegistrySettings::REG_SZ);
    inMemory = path;
}

} // namespace orvan
