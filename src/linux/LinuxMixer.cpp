#include "LinuxMixer.h"

#include "LoadedCalls.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pulse/pulseaudio.h>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace orvan {

namespace {

constexpr const char* kDefaultSink = "@DEFAULT_SINK@";

// alsa-lib prints its failures to stderr itself; an absent card is normal here.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// clang-format off
#define ORVAN_PULSE_CALLS(X)              \
    X(pa_mainloop_new)                    \
    X(pa_mainloop_free)                   \
    X(pa_mainloop_get_api)                \
    X(pa_mainloop_prepare)                \
    X(pa_mainloop_poll)                   \
    X(pa_mainloop_dispatch)               \
    X(pa_context_new)                     \
    X(pa_context_connect)                 \
    X(pa_context_disconnect)              \
    X(pa_context_unref)                   \
    X(pa_context_get_state)               \
    X(pa_context_get_sink_info_by_name)   \
    X(pa_context_get_sink_info_list)      \
    X(pa_context_set_sink_volume_by_name) \
    X(pa_context_set_sink_mute_by_index)  \
    X(pa_operation_get_state)             \
    X(pa_operation_cancel)                \
    X(pa_operation_unref)                 \
    X(pa_cvolume_avg)                     \
    X(pa_cvolume_set)

#define ORVAN_ALSA_CALLS(X)                      \
    X(snd_lib_error_set_handler)                 \
    X(snd_config_update_free_global)             \
    X(snd_mixer_open)                            \
    X(snd_mixer_close)                           \
    X(snd_mixer_attach)                          \
    X(snd_mixer_selem_register)                  \
    X(snd_mixer_load)                            \
    X(snd_mixer_first_elem)                      \
    X(snd_mixer_elem_next)                       \
    X(snd_mixer_selem_is_active)                 \
    X(snd_mixer_selem_has_playback_volume)       \
    X(snd_mixer_selem_has_playback_switch)       \
    X(snd_mixer_selem_get_name)                  \
    X(snd_mixer_selem_get_playback_volume_range) \
    X(snd_mixer_handle_events)                   \
    X(snd_mixer_selem_has_playback_channel)      \
    X(snd_mixer_selem_get_playback_volume)       \
    X(snd_mixer_selem_set_playback_volume_all)   \
    X(snd_mixer_selem_get_playback_switch)       \
    X(snd_mixer_selem_set_playback_switch_all)
// clang-format on

ORVAN_LIBRARY_CALLS(PulseCalls, ORVAN_PULSE_CALLS);
ORVAN_LIBRARY_CALLS(AlsaCalls, ORVAN_ALSA_CALLS);

// Whether a sound server may be listening: one named in the environment, or the
// socket of a session's or of the system's server. The server's library cannot be
// unloaded once loaded, so it is not loaded on a workstation without one. A server
// announced only on the X display or in client.conf is not looked for.
bool soundServerMayListen() {
    if (const char* named = std::getenv("PULSE_SERVER"); named != nullptr && *named != '\0') {
        return true;
    }
    std::vector<std::string> sockets = {"/run/pulse/native", "/var/run/pulse/native"};
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr) {
        sockets.insert(sockets.begin(), std::string(runtime) + "/pulse/native");
    }
    return std::any_of(sockets.begin(), sockets.end(),
                       [](const std::string& path) { return ::access(path.c_str(), F_OK) == 0; });
}

} // namespace

// Each sound library is loaded on first use and kept only while it serves: with what
// it pulls in (sound file codecs among them) it costs megabytes of memory and start-up
// time, which a workstation without sound should not pay.
struct LinuxMixer::PulseLibrary : LoadedCalls<PulseCalls> {
    PulseLibrary()
        : LoadedCalls("libpulse.so.0") {}
};

struct LinuxMixer::AlsaLibrary : LoadedCalls<AlsaCalls> {
    AlsaLibrary()
        : LoadedCalls("libasound.so.2") {}
    // The configuration the library read and cached stays with it unless freed: once
    // unloaded, nothing would point at it any more.
    ~AlsaLibrary() {
        if (ok) {
            snd_config_update_free_global();
        }
    }
    AlsaLibrary(const AlsaLibrary&) = delete;
    AlsaLibrary& operator=(const AlsaLibrary&) = delete;
};

// A private connection to the sound server, driven synchronously: each request runs
// the loop until its answer or the deadline, so nothing waits on the server for long.
struct LinuxMixer::Pulse {
    Pulse(const PulseCalls& calls, std::chrono::milliseconds timeout_)
        : api(calls)
        , timeout(timeout_) {}
    ~Pulse() {
        if (context != nullptr) {
            api.pa_context_disconnect(context);
            api.pa_context_unref(context);
        }
        if (loop != nullptr) {
            api.pa_mainloop_free(loop);
        }
    }
    Pulse(const Pulse&) = delete;
    Pulse& operator=(const Pulse&) = delete;

    template <class Done>
    bool runUntil(Done done) {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + timeout;
        while (!done()) {
            const auto left = duration_cast<microseconds>(deadline - steady_clock::now());
            if (left.count() <= 0) {
                return false;
            }
            const int wait = static_cast<int>(std::min<long long>(left.count(), INT_MAX));
            if (api.pa_mainloop_prepare(loop, wait) < 0 || api.pa_mainloop_poll(loop) < 0 ||
                api.pa_mainloop_dispatch(loop) < 0) {
                return false;
            }
        }
        return true;
    }

    bool connect() {
        loop = api.pa_mainloop_new();
        if (loop == nullptr) {
            return false;
        }
        context = api.pa_context_new(api.pa_mainloop_get_api(loop), "OrvanClient");
        // Starting a server of our own would only make noise on a machine meant to be
        // without one.
        if (context == nullptr ||
            api.pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            return false;
        }
        runUntil([this] {
            const auto state = api.pa_context_get_state(context);
            return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
        });
        return api.pa_context_get_state(context) == PA_CONTEXT_READY;
    }

    bool finish(pa_operation* operation) {
        if (operation == nullptr) {
            return false;
        }
        const bool done = runUntil([&] {
            return api.pa_operation_get_state(operation) != PA_OPERATION_RUNNING ||
                   !PA_CONTEXT_IS_GOOD(api.pa_context_get_state(context));
        });
        if (!done || api.pa_operation_get_state(operation) != PA_OPERATION_DONE) {
            api.pa_operation_cancel(operation);
        }
        api.pa_operation_unref(operation);
        return done;
    }

    struct Sink {
        bool found = false;
        bool muted = false;
        pa_cvolume volume{};
    };

    Sink defaultSink() {
        Sink sink;
        finish(api.pa_context_get_sink_info_by_name(
            context, kDefaultSink,
            [](pa_context*, const pa_sink_info* info, int last, void* data) {
                if (last == 0 && info != nullptr) {
                    auto& out = *static_cast<Sink*>(data);
                    out.found = true;
                    out.muted = info->mute != 0;
                    out.volume = info->volume;
                }
            },
            &sink));
        return sink;
    }

    std::vector<std::uint32_t> sinks() {
        std::vector<std::uint32_t> indexes;
        finish(api.pa_context_get_sink_info_list(
            context,
            [](pa_context*, const pa_sink_info* info, int last, void* data) {
                if (last == 0 && info != nullptr) {
                    static_cast<std::vector<std::uint32_t>*>(data)->push_back(info->index);
                }
            },
            &indexes));
        return indexes;
    }

    const PulseCalls& api;
    std::chrono::milliseconds timeout;
    pa_mainloop* loop = nullptr;
    pa_context* context = nullptr;
};

// The playback element of the default card that stands for the speakers.
struct LinuxMixer::Alsa {
    explicit Alsa(const AlsaCalls& calls)
        : api(calls) {}
    ~Alsa() {
        if (handle != nullptr) {
            api.snd_mixer_close(handle);
        }
    }
    Alsa(const Alsa&) = delete;
    Alsa& operator=(const Alsa&) = delete;

    bool open() {
        api.snd_lib_error_set_handler(quietAlsa);
        if (api.snd_mixer_open(&handle, 0) < 0) {
            handle = nullptr;
            return false;
        }
        if (api.snd_mixer_attach(handle, "default") < 0 ||
            api.snd_mixer_selem_register(handle, nullptr, nullptr) < 0 ||
            api.snd_mixer_load(handle) < 0) {
            return false;
        }
        // Many cards have no "Master"; their first playback control is the nearest thing.
        snd_mixer_elem_t* first = nullptr;
        for (auto* elem = api.snd_mixer_first_elem(handle); elem != nullptr;
             elem = api.snd_mixer_elem_next(elem)) {
            if (!api.snd_mixer_selem_is_active(elem) ||
                (!api.snd_mixer_selem_has_playback_volume(elem) &&
                 !api.snd_mixer_selem_has_playback_switch(elem))) {
                continue;
            }
            if (std::strcmp(api.snd_mixer_selem_get_name(elem), "Master") == 0) {
                element = elem;
                break;
            }
            if (first == nullptr) {
                first = elem;
            }
        }
        if (element == nullptr) {
            element = first;
        }
        if (element != nullptr && api.snd_mixer_selem_has_playback_volume(element)) {
            api.snd_mixer_selem_get_playback_volume_range(element, &min, &max);
            max = std::max(min, max);
        }
        return element != nullptr;
    }

    // Takes in changes made by others (the desktop's volume applet) since the last read.
    void refresh() const { api.snd_mixer_handle_events(handle); }

    std::vector<snd_mixer_selem_channel_id_t> channels() const {
        std::vector<snd_mixer_selem_channel_id_t> found;
        for (int channel = 0; channel <= SND_MIXER_SCHN_LAST; ++channel) {
            const auto id = static_cast<snd_mixer_selem_channel_id_t>(channel);
            if (api.snd_mixer_selem_has_playback_channel(element, id)) {
                found.push_back(id);
            }
        }
        return found;
    }

    bool hasVolume() const { return api.snd_mixer_selem_has_playback_volume(element) != 0; }
    bool hasSwitch() const { return api.snd_mixer_selem_has_playback_switch(element) != 0; }
    std::uint32_t span() const {
        return static_cast<std::uint32_t>(std::min<long long>(
            static_cast<long long>(max) - static_cast<long long>(min), UINT32_MAX));
    }

    const AlsaCalls& api;
    snd_mixer_t* handle = nullptr;
    snd_mixer_elem_t* element = nullptr;
    long min = 0;
    long max = 0;
};

LinuxMixer::LinuxMixer(std::chrono::milliseconds timeout, Start start)
    : timeout_(timeout)
    , ready_(start == Start::Ready) {}

LinuxMixer::~LinuxMixer() = default;

void LinuxMixer::setReadyHandler(std::function<void()> handler) {
    onReady_ = std::move(handler);
}

void LinuxMixer::markReady() {
    if (ready_) {
        return;
    }
    ready_ = true;
    if (onReady_) {
        onReady_();
    }
}

bool LinuxMixer::open() {
    close();
    if (pulseLibrary_ == nullptr && soundServerMayListen()) {
        pulseLibrary_ = std::make_unique<PulseLibrary>();
    }
    if (pulseLibrary_ != nullptr && pulseLibrary_->ok) {
        pulse_ = std::make_unique<Pulse>(*pulseLibrary_, timeout_);
        if (pulse_->connect()) {
            return true;
        }
        pulse_.reset();
    }
    // No server to talk to; the library stays mapped, but its connections are gone.
    pulseLibrary_.reset();
    if (alsaLibrary_ == nullptr) {
        alsaLibrary_ = std::make_unique<AlsaLibrary>();
    }
    if (alsaLibrary_->ok) {
        alsa_ = std::make_unique<Alsa>(*alsaLibrary_);
        if (alsa_->open()) {
            return true;
        }
        alsa_.reset();
    }
    alsaLibrary_.reset(); // no card either
    return false;
}

void LinuxMixer::close() {
    pulse_.reset();
    alsa_.reset();
}

bool LinuxMixer::hasVolume(Line line) const {
    if (line != Line::Speakers) {
        return false;
    }
    return pulse_ != nullptr || (alsa_ != nullptr && alsa_->hasVolume());
}

bool LinuxMixer::hasMute(Line line) const {
    if (line != Line::Speakers) {
        return false;
    }
    return pulse_ != nullptr || (alsa_ != nullptr && alsa_->hasSwitch());
}

std::uint32_t LinuxMixer::minVolume(Line) const {
    return 0;
}

std::uint32_t LinuxMixer::maxVolume(Line line) const {
    if (!hasVolume(line)) {
        return 0;
    }
    return pulse_ != nullptr ? PA_VOLUME_NORM : alsa_->span();
}

std::uint32_t LinuxMixer::volume(Line line) const {
    if (!hasVolume(line)) {
        return 0;
    }
    if (pulse_ != nullptr) {
        const auto sink = pulse_->defaultSink();
        return sink.found ? pulse_->api.pa_cvolume_avg(&sink.volume) : 0;
    }
    alsa_->refresh();
    const auto channels = alsa_->channels();
    if (channels.empty()) {
        return 0;
    }
    long long sum = 0;
    for (const auto channel : channels) {
        long value = alsa_->min;
        alsa_->api.snd_mixer_selem_get_playback_volume(alsa_->element, channel, &value);
        sum += std::clamp(value, alsa_->min, alsa_->max) - alsa_->min;
    }
    return static_cast<std::uint32_t>(sum / static_cast<long long>(channels.size()));
}

void LinuxMixer::setVolume(Line line, std::uint32_t value) {
    if (!hasVolume(line)) {
        return;
    }
    value = std::min(value, maxVolume(line));
    if (pulse_ != nullptr) {
        auto sink = pulse_->defaultSink();
        if (!sink.found) {
            return;
        }
        // Every channel at the same level, so that reading back gives what was written.
        pulse_->api.pa_cvolume_set(&sink.volume, sink.volume.channels, value);
        pulse_->finish(pulse_->api.pa_context_set_sink_volume_by_name(
            pulse_->context, kDefaultSink, &sink.volume, nullptr, nullptr));
        return;
    }
    alsa_->api.snd_mixer_selem_set_playback_volume_all(alsa_->element,
                                                       alsa_->min + static_cast<long>(value));
}

bool LinuxMixer::mute(Line line) const {
    if (!hasMute(line)) {
        return false;
    }
    if (pulse_ != nullptr) {
        const auto sink = pulse_->defaultSink();
        return sink.found && sink.muted;
    }
    alsa_->refresh();
    const auto channels = alsa_->channels();
    int on = 1;
    if (channels.empty() ||
        alsa_->api.snd_mixer_selem_get_playback_switch(alsa_->element, channels.front(), &on) < 0) {
        return false;
    }
    return on == 0;
}

void LinuxMixer::setMute(Line line, bool muted) {
    if (!hasMute(line)) {
        return;
    }
    if (pulse_ != nullptr) {
        for (const auto index : pulse_->sinks()) {
            pulse_->finish(pulse_->api.pa_context_set_sink_mute_by_index(
                pulse_->context, index, muted ? 1 : 0, nullptr, nullptr));
        }
        return;
    }
    alsa_->api.snd_mixer_selem_set_playback_switch_all(alsa_->element, muted ? 0 : 1);
}

} // namespace orvan
