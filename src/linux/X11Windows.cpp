#include "X11Windows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

namespace orvan {
namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> own(T* reply) {
    return Reply<T>(reply, &std::free);
}

// Window types that are not applications of their own.
constexpr const char* kToolTypes[] = {
    "_NET_WM_WINDOW_TYPE_UTILITY",       "_NET_WM_WINDOW_TYPE_TOOLBAR",
    "_NET_WM_WINDOW_TYPE_MENU",          "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
    "_NET_WM_WINDOW_TYPE_TOOLTIP",       "_NET_WM_WINDOW_TYPE_NOTIFICATION",
    "_NET_WM_WINDOW_TYPE_COMBO",         "_NET_WM_WINDOW_TYPE_DND"};

constexpr const char* kAtoms[] = {"_NET_SUPPORTING_WM_CHECK",
                                  "_NET_SUPPORTED",
                                  "_NET_CLOSE_WINDOW",
                                  "_NET_CLIENT_LIST",
                                  "WM_STATE",
                                  "_NET_WM_NAME",
                                  "UTF8_STRING",
                                  "_NET_WM_PID",
                                  "_NET_WM_WINDOW_TYPE",
                                  "_NET_WM_WINDOW_TYPE_NORMAL",
                                  "_NET_WM_WINDOW_TYPE_DOCK",
                                  "_NET_WM_WINDOW_TYPE_DESKTOP",
                                  "WM_PROTOCOLS",
                                  "WM_DELETE_WINDOW"};

// A window whose properties are read; one whose children are listed too; the root.
constexpr std::uint32_t kLeafEvents =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
constexpr std::uint32_t kBranchEvents = kLeafEvents | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
constexpr std::uint32_t kRootEvents =
    XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;

} // namespace

X11Windows::X11Windows() = default;

bool X11Windows::connected() {
    if (!tried_) {
        tried_ = true;
        connect();
    }
    return connection_ != nullptr;
}

void X11Windows::connect() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        return;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;
    // A request of a missing extension would close the connection.
    const auto* resources = xcb_get_extension_data(connection_, &xcb_res_id);
    resources_ = resources != nullptr && resources->present != 0;
    internAtoms();
    watch(root_, kRootEvents);
}

X11Windows::~X11Windows() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
}

int X11Windows::fd() {
    return connected() ? xcb_get_file_descriptor(connection_) : -1;
}

void X11Windows::dispatch() {
    if (connected()) {
        takeEvents();
    }
}

void X11Windows::internAtoms() {
    std::vector<const char*> names(std::begin(kAtoms), std::end(kAtoms));
    names.insert(names.end(), std::begin(kToolTypes), std::end(kToolTypes));
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const char* name : names) {
        cookies.push_back(
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto reply = own(xcb_intern_atom_reply(connection_, cookies[i], nullptr));
        atoms_.emplace(names[i], reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE});
    }
    for (const char* tool : kToolTypes) {
        toolTypes_.push_back(atom(tool));
    }
    changes_.setAtoms({atom("_NET_WM_NAME"), atom("_NET_WM_PID"), atom("_NET_WM_WINDOW_TYPE"),
                       atom("WM_STATE"), atom("_NET_CLIENT_LIST"),
                       atom("_NET_SUPPORTING_WM_CHECK")});
}

xcb_atom_t X11Windows::atom(const char* name) {
    if (const auto known = atoms_.find(name); known != atoms_.end()) {
        return known->second;
    }
    const auto reply = own(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    atoms_.emplace(name, value);
    return value;
}

// Sent ahead of the requests that read the window: whatever changes after them is told.
void X11Windows::watch(xcb_window_t window, std::uint32_t mask) {
    if (changes_.watch(window, mask)) {
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
    }
}

void X11Windows::takeEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        changes_.take(*event);
        std::free(event);
    }
}

void X11Windows::update() {
    // The server sends the events of all it did before it answers this.
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    takeEvents();
    if (xcb_connection_has_error(connection_) != 0) {
        // A display that is gone shows no windows, as every request fails.
        listed_.clear();
        candidates_.clear();
        known_.clear();
        managerCheck_ = XCB_NONE;
        managerPid_ = 0;
        return;
    }
    if (changes_.changed()) {
        readList();
        changes_.read();
    }
}

X11Windows::PropertyCookie X11Windows::ask(xcb_window_t window, xcb_atom_t property,
                                           xcb_atom_t type, std::uint32_t longs) {
    return xcb_get_property(connection_, 0, window, property, type, 0, longs);
}

std::vector<std::uint32_t> X11Windows::cardinals(PropertyCookie cookie, xcb_atom_t type) {
    const auto reply = own(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply || reply->format != 32 || reply->type != type) {
        return {};
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::vector<std::uint32_t> X11Windows::cardinals(xcb_window_t window, xcb_atom_t property,
                                                 xcb_atom_t type) {
    return cardinals(ask(window, property, type), type);
}

std::string X11Windows::text(PropertyCookie cookie) {
    const auto reply = own(xcb_get_property_reply(connection_, cookie, nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

std::vector<xcb_window_t> X11Windows::children(xcb_query_tree_cookie_t cookie) {
    const auto tree = own(xcb_query_tree_reply(connection_, cookie, nullptr));
    if (!tree) {
        return {};
    }
    const auto* first = xcb_query_tree_children(tree.get());
    return {first, first + xcb_query_tree_children_length(tree.get())};
}

// A running window manager names a window of its own that names itself again.
xcb_window_t X11Windows::windowManagerCheck(PropertyCookie rootCheck) {
    const auto check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto named = cardinals(rootCheck, XCB_ATOM_WINDOW);
    if (named.empty()) {
        return XCB_NONE;
    }
    watch(named[0], kLeafEvents); // its end ends the window manager
    return cardinals(named[0], check, XCB_ATOM_WINDOW) == named ? named[0] : XCB_NONE;
}

xcb_window_t X11Windows::windowManagerCheck() {
    return windowManagerCheck(ask(root_, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW));
}

pid_t X11Windows::windowManagerPid() {
    if (!connected()) {
        return 0;
    }
    update();
    return managerPid_;
}

bool X11Windows::closesThroughWindowManager() {
    if (windowManagerCheck() == XCB_NONE) {
        return false;
    }
    const auto supported = cardinals(root_, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), atom("_NET_CLOSE_WINDOW")) !=
           supported.end();
}

// Each level of the frames' trees is asked for at once: WM_STATE, and the children of
// all but the deepest.
void X11Windows::survey(const std::vector<xcb_window_t>& level, int depth, Nodes& nodes) {
    std::vector<PropertyCookie> states;
    std::vector<xcb_query_tree_cookie_t> trees;
    for (const auto window : level) {
        watch(window, depth > 0 ? kBranchEvents : kLeafEvents);
        states.push_back(ask(window, atom("WM_STATE"), atom("WM_STATE")));
        if (depth > 0) {
            trees.push_back(xcb_query_tree(connection_, window));
        }
    }
    std::vector<xcb_window_t> next;
    for (std::size_t i = 0; i < level.size(); ++i) {
        auto& node = nodes[level[i]];
        node.state = cardinals(states[i], atom("WM_STATE"));
        if (depth > 0) {
            node.children = children(trees[i]);
            if (node.state.empty()) {
                next.insert(next.end(), node.children.begin(), node.children.end());
            }
        }
    }
    if (!next.empty()) {
        survey(next, depth - 1, nodes);
    }
}

// A window manager without the EWMH list still marks what it manages with WM_STATE
// (normal or iconic), on the program's window inside the frame it made.
void X11Windows::collectManaged(xcb_window_t window, int depth, const Nodes& nodes,
                                std::vector<xcb_window_t>& found) const {
    const auto node = nodes.find(window);
    if (node == nodes.end()) {
        return;
    }
    const auto& state = node->second.state;
    if (!state.empty()) {
        if (state[0] == 1 || state[0] == 3) {
            found.push_back(window);
        }
        return;
    }
    if (depth > 0) {
        for (const auto child : node->second.children) {
            collectManaged(child, depth - 1, nodes, found);
        }
    }
}

std::pair<X11Windows::Listing, std::vector<xcb_window_t>> X11Windows::candidates() {
    const auto rootCheck = ask(root_, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    const auto clientList = ask(root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
    const auto rootTree = xcb_query_tree(connection_, root_);
    const auto check = windowManagerCheck(rootCheck);
    const auto listed = own(xcb_get_property_reply(connection_, clientList, nullptr));
    const auto topLevel = children(rootTree);
    if (check != managerCheck_) {
        managerCheck_ = check;
        managerPid_ = check == XCB_NONE ? 0 : ownerOf(check);
    }
    if (check != XCB_NONE && listed && listed->type == XCB_ATOM_WINDOW && listed->format == 32) {
        const auto* first = static_cast<const xcb_window_t*>(xcb_get_property_value(listed.get()));
        return {Listing::ClientList,
                {first, first + xcb_get_property_value_length(listed.get()) / 4}};
    }
    Nodes nodes;
    survey(topLevel, 2, nodes);
    std::vector<xcb_window_t> managed;
    for (const auto window : topLevel) {
        collectManaged(window, 2, nodes, managed);
    }
    if (!managed.empty()) {
        return {Listing::ManagedState, managed};
    }
    return {Listing::RootChildren, topLevel};
}

// Without a window manager, the mapped state of the root's children, less menus,
// tooltips and another program's lock window (override-redirect or input-only).
std::vector<xcb_window_t> X11Windows::listable(const std::vector<xcb_window_t>& roots,
                                               std::map<xcb_window_t, bool>& mapped) {
    std::vector<xcb_get_window_attributes_cookie_t> cookies;
    for (const auto window : roots) {
        cookies.push_back(xcb_get_window_attributes(connection_, window));
    }
    std::vector<xcb_window_t> kept;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const auto attributes =
            own(xcb_get_window_attributes_reply(connection_, cookies[i], nullptr));
        if (attributes && (attributes->override_redirect != 0 ||
                           attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY)) {
            continue;
        }
        mapped[roots[i]] = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        kept.push_back(roots[i]);
    }
    return kept;
}

void X11Windows::readList() {
    auto [listing, found] = candidates();
    listing_ = listing;
    candidates_ = found;
    std::map<xcb_window_t, bool> mapped;
    if (listing == Listing::RootChildren) {
        found = listable(found, mapped);
    } else {
        for (const auto window : found) {
            watch(window, kLeafEvents);
        }
    }
    readFacts(found);
    listed_.clear();
    for (const auto window : found) {
        auto entry = known_[window];
        // A managed window is open even while minimised.
        entry.visible = listing != Listing::RootChildren || mapped[window];
        listed_.push_back(std::move(entry));
    }
}

// Reads what is not known yet of these windows, and forgets the windows not among them.
void X11Windows::readFacts(const std::vector<xcb_window_t>& windows) {
    std::vector<FactsCookies> cookies;
    for (const auto window : windows) {
        const auto known = known_.find(window);
        if (known == known_.end() || changes_.factsStale(window)) {
            cookies.push_back(askFacts(window, false));
        } else if (changes_.titleStale(window)) {
            cookies.push_back(askFacts(window, true));
        }
    }
    for (const auto& asked : cookies) {
        takeFacts(asked, known_[asked.window]);
    }
    const std::set<xcb_window_t> listed(windows.begin(), windows.end());
    std::erase_if(known_, [&](const auto& entry) { return listed.count(entry.first) == 0; });
}

X11Windows::FactsCookies X11Windows::askFacts(xcb_window_t window, bool titleOnly) {
    FactsCookies cookies;
    cookies.window = window;
    cookies.titleOnly = titleOnly;
    cookies.netName = ask(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 1024);
    cookies.name = ask(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 1024);
    if (!titleOnly) {
        cookies.windowClass = ask(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 1024);
        cookies.transient = ask(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW);
        cookies.type = ask(window, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM);
        cookies.owner = askOwner(window);
    }
    return cookies;
}

void X11Windows::takeFacts(const FactsCookies& cookies, WindowFacts& facts) {
    facts.id = cookies.window;
    facts.title = text(cookies.netName);
    auto plainTitle = text(cookies.name);
    if (facts.title.empty()) {
        facts.title = std::move(plainTitle);
    }
    if (cookies.titleOnly) {
        return;
    }
    const auto windowClass = text(cookies.windowClass);
    // Instance name, NUL, class name, NUL.
    facts.className.clear();
    if (const auto start = windowClass.find('\0'); start != std::string::npos) {
        for (const char c : windowClass.substr(start + 1)) {
            if (c != '\0') {
                facts.className += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
        }
    }
    facts.owned = !cardinals(cookies.transient, XCB_ATOM_WINDOW).empty();
    classifyType(cardinals(cookies.type, XCB_ATOM_ATOM), facts);
    facts.pid = takeOwner(cookies.owner);
}

void X11Windows::classifyType(const std::vector<std::uint32_t>& types, WindowFacts& facts) const {
    const auto named = [this](const char* name) { return atoms_.find(name)->second; };
    facts.normalType = facts.toolType = facts.shellType = false;
    for (const auto type : types) {
        facts.normalType = facts.normalType || type == named("_NET_WM_WINDOW_TYPE_NORMAL");
        facts.shellType = facts.shellType || type == named("_NET_WM_WINDOW_TYPE_DOCK") ||
                          type == named("_NET_WM_WINDOW_TYPE_DESKTOP");
        facts.toolType = facts.toolType ||
                         std::find(toolTypes_.begin(), toolTypes_.end(), type) != toolTypes_.end();
    }
}

// The X server knows which local process opened the connection; a window's own word
// for it comes second. Both are asked at once.
X11Windows::OwnerCookies X11Windows::askOwner(xcb_window_t window) {
    OwnerCookies cookies;
    if (resources_) {
        xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
        cookies.ids = xcb_res_query_client_ids(connection_, 1, &spec);
        cookies.asked = true;
    }
    cookies.pid = ask(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
    return cookies;
}

pid_t X11Windows::takeOwner(const OwnerCookies& cookies) {
    pid_t owner = 0;
    if (cookies.asked) {
        const auto ids = own(xcb_res_query_client_ids_reply(connection_, cookies.ids, nullptr));
        for (auto it = ids ? xcb_res_query_client_ids_ids_iterator(ids.get())
                           : xcb_res_client_id_value_iterator_t{};
             owner == 0 && it.rem > 0; xcb_res_client_id_value_next(&it)) {
            if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
                xcb_res_client_id_value_value_length(it.data) == 1) {
                owner = static_cast<pid_t>(*xcb_res_client_id_value_value(it.data));
            }
        }
    }
    const auto pid = cardinals(cookies.pid, XCB_ATOM_CARDINAL);
    if (owner == 0 && !pid.empty()) {
        owner = static_cast<pid_t>(pid[0]);
    }
    return owner;
}

std::vector<WindowFacts> X11Windows::topLevel() {
    if (!connected()) {
        return {};
    }
    update();
    return listed_;
}

pid_t X11Windows::ownerOf(xcb_window_t window) {
    if (!connected()) {
        return 0;
    }
    return takeOwner(askOwner(window));
}

bool X11Windows::viewable(xcb_window_t window) {
    const auto attributes = own(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool X11Windows::exists(xcb_window_t window) {
    if (!connected()) {
        return false;
    }
    update();
    if (listing_ != Listing::RootChildren) {
        return std::find(candidates_.begin(), candidates_.end(), window) != candidates_.end();
    }
    return viewable(window);
}

bool X11Windows::listsProtocol(xcb_window_t window, xcb_atom_t protocol) {
    const auto protocols = cardinals(window, atom("WM_PROTOCOLS"), XCB_ATOM_ATOM);
    return std::find(protocols.begin(), protocols.end(), protocol) != protocols.end();
}

bool X11Windows::requestClose(xcb_window_t window) {
    if (!connected()) {
        return false;
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    xcb_window_t target = window;
    std::uint32_t mask = XCB_EVENT_MASK_NO_EVENT;
    if (closesThroughWindowManager()) {
        message.type = atom("_NET_CLOSE_WINDOW");
        message.data.data32[1] = 2; // asked on the user's behalf, as a pager does
        target = root_;
        mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    } else if (listsProtocol(window, atom("WM_DELETE_WINDOW"))) {
        message.type = atom("WM_PROTOCOLS");
        message.data.data32[0] = atom("WM_DELETE_WINDOW");
    } else {
        return false;
    }
    xcb_send_event(connection_, 0, target, mask, reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    return true;
}

} // namespace orvan
