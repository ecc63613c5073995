#include "net/ServerReports.h"

namespace orvan {

ServerReports::ServerReports(EngineContext& context)
    : context_(context) {}

bool ServerReports::connected() const {
    return false;
}
bool ServerReports::greetingAccepted() const {
    return false;
}
void ServerReports::subUpdateServer() {}
void ServerReports::subForceCardUpdate() {}
void ServerReports::requestServerDate() {}
void ServerReports::saveSerializedSession() {}
void ServerReports::closeConnection() {}

} // namespace orvan
