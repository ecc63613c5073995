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

ServerDispatcher::ServerDispatcher(EngineContext& context, Disable disable)
    : context_(context)
    , disable_(std::move(disable)) {}

void ServerDispatcher::add(std::string_view tag, Handler handler) {
    handlers_[std::string{tag}] = std::move(handler);
}

std::vector<std::string> ServerDispatcher::fields(const std::string& payload) {
    return WireFormat::funSplit(payload, tags::kPayloadToken);
}

void ServerDispatcher::subProcessServerBytes(std::string_view bytes) {
    subProcessServerData(context_.platform.codec.fromAnsi(bytes));
}

void ServerDispatcher::subProcessServerData(std::string_view text) {
    stopped_ = false;
    while (!text.empty() && !stopped_ && !context_.link.blnDisabled) {
        const auto end = text.find(tags::kMessageEnd);
        if (end == std::string_view::npos) {
            return;
        }
        const auto message = text.substr(0, end);
        text.remove_prefix(end + tags::kMessageEnd.size());
        const auto tag = message.substr(0, tags::kTagLength);
        const auto payload = message.substr(std::min(message.size(), tags::kTagLength));
        const auto handler = handlers_.find(tag);
        if (handler == handlers_.end()) {
            continue; // a tag this version does not know
        }
        try {
            handler->second(std::string{payload});
        } catch (const std::exception& error) {
            failed(error, tag, payload);
            return;
        }
    }
}

void ServerDispatcher::failed(const std::exception& error, std::string_view tag,
                              std::string_view payload) {
    auto& ctx = context_;
    ctx.errors.report(AppError::fromException(error), "modFunctions.subProcessServerDataError",
                      OnError::LogOnly);
    ctx.log.subWriteLog("modFunctions.subProcessServerDataError: Context: " + std::string{tag} +
                        " Payload: " + std::string{Utf8::left(payload, 300)});
    disable_(ctx.localization.funLoadResString(10265));
}

} // namespace orvan
