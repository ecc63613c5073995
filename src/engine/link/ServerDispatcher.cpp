#include "link/ServerDispatcher.h"

#include "base/ErrorReporter.h"
#include "base/Log.h"
#include "base/Utf8.h"
#include "localization/Localization.h"
#include "model/EngineContext.h"
#include "platform/AnsiCodec.h"
#include "wire/Tags.h"
#include "wire/WireFormat.h"

namespace orvan {
namespace {

constexpr std::size_t kLoggedPayload = 300;

} // namespace

ServerDispatcher::ServerDispatcher(EngineContext& context, Disable disable)
    : context_(context)
    , disable_(std::move(disable)) {}

void ServerDispatcher::add(std::string_view tag, Handler handler) {
    handlers_[std::string{tag}] = std::move(handler);
}

void ServerDispatcher::addBytes(std::string_view tag, Handler handler) {
    byteHandlers_[std::string{tag}] = std::move(handler);
}

std::vector<std::string> ServerDispatcher::fields(const std::string& payload) {
    return WireFormat::funSplit(payload, tags::kPayloadToken);
}

void ServerDispatcher::subProcessServerBytes(std::string_view bytes) {
    dispatchAll(bytes, true);
}

void ServerDispatcher::subProcessServerData(std::string_view text) {
    dispatchAll(text, false);
}

// Tags and the end tag are ASCII: bytes are cut where their text would be.
void ServerDispatcher::dispatchAll(std::string_view input, bool bytes) {
    stopped_ = false;
    while (!input.empty() && !stopped_ && !context_.link.blnDisabled) {
        const auto end = input.find(tags::kMessageEnd);
        if (end == std::string_view::npos) {
            return;
        }
        const auto message = input.substr(0, end);
        input.remove_prefix(end + tags::kMessageEnd.size());
        if (!dispatch(message, bytes)) {
            return;
        }
    }
}

bool ServerDispatcher::dispatch(std::string_view message, bool bytes) {
    const auto tag = message.substr(0, tags::kTagLength);
    const auto payload = message.substr(std::min(message.size(), tags::kTagLength));
    const auto& codec = context_.platform.codec;
    if (const auto raw = byteHandlers_.find(tag); raw != byteHandlers_.end()) {
        return run(raw->second, tag, bytes ? std::string{payload} : codec.toAnsi(payload), true);
    }
    const auto handler = handlers_.find(tag);
    if (handler == handlers_.end()) {
        return true; // a tag this version does not know
    }
    return run(handler->second, tag, bytes ? codec.fromAnsi(payload) : std::string{payload}, false);
}

bool ServerDispatcher::run(const Handler& handler, std::string_view tag, const std::string& payload,
                           bool bytes) {
    try {
        handler(payload);
        return true;
    } catch (const std::exception& error) {
        // The log is text: bytes are read in the code page for it.
        failed(error, tag,
               bytes ? context_.platform.codec.fromAnsi(
                           std::string_view{payload}.substr(0, kLoggedPayload))
                     : payload);
        return false;
    }
}

void ServerDispatcher::failed(const std::exception& error, std::string_view tag,
                              std::string_view payload) {
    auto& ctx = context_;
    ctx.errors.report(AppError::fromException(error), "modFunctions.subProcessServerDataError",
                      OnError::LogOnly);
    ctx.log.subWriteLog("modFunctions.subProcessServerDataError: Context: " + std::string{tag} +
                        " Payload: " + std::string{Utf8::left(payload, kLoggedPayload)});
    disable_(ctx.localization.funLoadResString(10265));
}

} // namespace orvan
