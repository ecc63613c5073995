#include "link/InboundStream.h"

#include "base/AppError.h"
#include "support/MemoryFileSystem.h"
#include "wire/Tags.h"

#include <gtest/gtest.h>
#include <random>

namespace orvan::test {
namespace {

using Messages = std::vector<std::string>;

const std::string kTemp = "/data/received_file.tmp";
const std::string kEnd{tags::kMessageEnd};
const std::string kSep{tags::kPayloadToken};

std::string message(std::string_view tag, const std::string& payload = {}) {
    return std::string{tag} + payload + kEnd;
}

std::string substituteFor(const std::string& header) {
    return header + std::string{tags::kFileTemp} + kEnd;
}

// A payload that looks like the end tag in places without containing it.
std::string payloadOf(std::size_t size) {
    std::string text;
    const std::string near = "%$&######MessageEnd";
    while (text.size() < size) {
        text += "0123456789" + near + "X";
    }
    text.resize(size);
    return text;
}

struct Harness {
    MemoryFileSystem files;
    Messages dispatched;
    // The temporary file as each handler found it.
    Messages storedAtDispatch;
    Messages debugLines;
    Messages logLines;
    bool disabled = false;
    std::function<void(std::string_view)> onDispatch;
    InboundStream stream{files,
                         {[this](std::string_view m) {
                              dispatched.emplace_back(m);
                              storedAtDispatch.push_back(stored());
                              if (onDispatch) {
                                  onDispatch(m);
                              }
                          },
                          [this] { return disabled; },
                          [this](const std::string& line) { debugLines.push_back(line); },
                          [this](const std::string& line) { logLines.push_back(line); }}};

    Harness() {
        files.createFolder("/data");
        stream.setTempFilePath(kTemp);
    }
    std::string stored() const { return files.read(kTemp).value_or("<none>"); }
};

TEST(InboundStreamCutting, dispatchesCompleteMessagesInOrderAndKeepsTheRest) {
    Harness h;
    const auto m1 = message(tags::kServerDate, "45000.5");
    const auto m2 = message(tags::kLockWksn);
    const auto m3 = message(tags::kChatMessage, "hello");
    const auto m4 = message(tags::kMessageSend, "half of this");
    h.stream.onData(m1 + m2 + m3 + m4.substr(0, 20));
    EXPECT_EQ(h.dispatched, (Messages{m1, m2, m3}));
    EXPECT_EQ(h.stream.pendingSize(), 20U);
    h.stream.onData(m4.substr(20));
    EXPECT_EQ(h.dispatched, (Messages{m1, m2, m3, m4}));
    EXPECT_EQ(h.stream.pendingSize(), 0U);
}

TEST(InboundStreamCutting, findsAnEndTagSplitAcrossTwoArrivals) {
    const auto m = message(tags::kChatMessage, "split");
    for (std::size_t inFirst = 1; inFirst < kEnd.size(); ++inFirst) {
        Harness h;
        const auto cut = m.size() - kEnd.size() + inFirst;
        h.stream.onData(m.substr(0, cut));
        EXPECT_TRUE(h.dispatched.empty()) << inFirst;
        h.stream.onData(m.substr(cut));
        EXPECT_EQ(h.dispatched, Messages{m}) << inFirst;
    }
}

TEST(InboundStreamCutting, anyChunkingGivesTheSameMessages) {
    Messages sent = {message(tags::kServerDate), message(tags::kChatMessage, payloadOf(300)),
                     message(tags::kServerHeartBeat),
                     message(tags::kKilledApps, "1" + kSep + "0" + kSep + "a*b")};
    for (int i = 0; i < 200; ++i) {
        sent.push_back(message(tags::kChatMessage, payloadOf(static_cast<std::size_t>(i % 37))));
    }
    std::string wire;
    for (const auto& m : sent) {
        wire += m;
    }

    Harness byteByByte;
    for (const char c : wire) {
        byteByByte.stream.onData(std::string_view(&c, 1));
    }
    EXPECT_EQ(byteByByte.dispatched, sent);
    EXPECT_EQ(byteByByte.stream.pendingSize(), 0U);

    std::mt19937 random(7);
    Harness randomCuts;
    for (std::size_t at = 0; at < wire.size();) {
        const auto size = std::uniform_int_distribution<std::size_t>(0, 90)(random);
        randomCuts.stream.onData(std::string_view(wire).substr(at, size));
        at += size;
    }
    EXPECT_EQ(randomCuts.dispatched, sent);
}

TEST(InboundStreamThreshold, aMessageUpToTheThresholdStaysInMemory) {
    const std::string header = std::string{tags::kFileSend} + "3" + kSep;
    for (const std::size_t first : {1000U, 999U}) {
        Harness h;
        h.stream.setThreshold(1000);
        const auto content = payloadOf(5000);
        const auto m = header + content + kEnd;
        h.stream.onData(m.substr(0, first));
        h.stream.onData(m.substr(first));
        EXPECT_FALSE(h.files.exists(kTemp)) << first;
        ASSERT_EQ(h.dispatched, Messages{m}) << first;
    }
}

TEST(InboundStreamThreshold, aFileOverTheThresholdGoesThroughTheTemporaryFile) {
    Harness h;
    h.stream.setThreshold(1000);
    h.files.write(kTemp, "left over from last time");
    const std::string header = std::string{tags::kFileSend} + "3" + kSep;
    const auto content = payloadOf(5000);
    const auto m = header + content + kEnd;
    h.stream.onData(m.substr(0, 1001));
    EXPECT_FALSE(h.stream.storing());
    h.stream.onData(m.substr(1001, 2000));
    EXPECT_TRUE(h.stream.storing());
    EXPECT_EQ(h.stream.pendingSize(), 0U);
    EXPECT_TRUE(h.dispatched.empty());
    h.stream.onData(m.substr(3001));
    EXPECT_FALSE(h.stream.storing());
    EXPECT_EQ(h.stored(), content);
    EXPECT_EQ(h.dispatched, Messages{substituteFor(header)});
}

TEST(InboundStreamThreshold, anyOtherLargeMessageKeepsOnlyItsTagAsHeader) {
    Harness h;
    h.stream.setThreshold(100);
    const auto text = payloadOf(400);
    const auto m = message(tags::kChatMessage, text);
    h.stream.onData(m.substr(0, 200));
    h.stream.onData(m.substr(200));
    EXPECT_EQ(h.storedAtDispatch, Messages{text});
    EXPECT_EQ(h.dispatched, Messages{substituteFor(std::string{tags::kChatMessage})});
}

TEST(InboundStreamStorage, fileEndsExactlyWithThePayloadWhereverTheEndTagIsSplit) {
    const std::string header = std::string{tags::kFileSend} + "1" + kSep;
    const auto content = payloadOf(3000);
    const auto next = message(tags::kServerDate, "1.5");
    for (std::size_t inPrevious = 1; inPrevious < kEnd.size(); ++inPrevious) {
        // The previous chunk either carries payload too or holds only part of the tag.
        for (const bool onlyTag : {false, true}) {
            Harness h;
            h.stream.setThreshold(500);
            const auto m = header + content + kEnd;
            const auto tagAt = m.size() - kEnd.size();
            const auto previousStart = onlyTag ? tagAt : tagAt - 700;
            h.stream.onData(m.substr(0, 600));
            h.stream.onData(m.substr(600, previousStart - 600));
            h.stream.onData(m.substr(previousStart, tagAt + inPrevious - previousStart));
            ASSERT_TRUE(h.stream.storing()) << inPrevious;
            h.stream.onData(m.substr(tagAt + inPrevious) + next);
            EXPECT_EQ(h.stored(), content) << inPrevious << " " << onlyTag;
            EXPECT_EQ(h.dispatched, Messages{substituteFor(header)}) << inPrevious;
            EXPECT_EQ(h.stream.pendingSize(), next.size()) << inPrevious;
        }
    }
}

TEST(InboundStreamStorage, whatFollowsTheStoredMessageWaitsForTheNextArrival) {
    Harness h;
    h.stream.setThreshold(100);
    const auto big = message(tags::kChatMessage, payloadOf(300));
    const auto a = message(tags::kLockWksn);
    const auto b = message(tags::kServerDate, "2");
    h.stream.onData(big.substr(0, 150));
    h.stream.onData(big.substr(150) + a + b.substr(0, 5));
    EXPECT_EQ(h.dispatched.size(), 1U);
    EXPECT_EQ(h.stream.pendingSize(), a.size() + 5);
    h.stream.onData(b.substr(5));
    EXPECT_EQ(h.dispatched, (Messages{substituteFor(std::string{tags::kChatMessage}), a, b}));
}

TEST(InboundStreamStorage, messagesBehindAStoredPayloadAreCutNotStoredNorPiledUp) {
    Harness h;
    h.stream.setThreshold(100);
    const auto big = message(tags::kChatMessage, payloadOf(300));
    const auto beat = message(tags::kServerHeartBeat);
    std::string burst;
    for (int i = 0; i < 10; ++i) {
        burst += beat;
    }
    h.stream.onData(big.substr(0, 150));
    h.stream.onData(big.substr(150) + burst);
    for (int arrival = 0; arrival < 20; ++arrival) {
        h.stream.onData(burst);
        ASSERT_EQ(h.stream.pendingSize(), 0U) << arrival;
    }
    EXPECT_EQ(h.storedAtDispatch.front(), payloadOf(300));
    ASSERT_EQ(h.dispatched.size(), 1U + 21 * 10);
    EXPECT_EQ(h.dispatched.front(), substituteFor(std::string{tags::kChatMessage}));
    EXPECT_EQ(h.dispatched.back(), beat);
}

TEST(InboundStreamStorage, aThrowWhileCuttingWaitingMessagesKeepsTheArrival) {
    Harness h;
    h.stream.setThreshold(100);
    const auto big = message(tags::kChatMessage, payloadOf(300));
    const auto a = message(tags::kLockWksn);
    const auto b = message(tags::kServerDate, "2");
    h.stream.onData(big.substr(0, 150));
    h.stream.onData(big.substr(150) + a);
    h.onDispatch = [&](std::string_view m) {
        if (m == a) {
            throw AppError(AppError::kTypeMismatch, "bad");
        }
    };
    EXPECT_THROW(h.stream.onData(b), AppError);
    EXPECT_EQ(h.stream.pendingSize(), b.size());
    h.onDispatch = nullptr;
    h.stream.onData("");
    EXPECT_EQ(h.dispatched.back(), b);
}

TEST(InboundStreamStorage, aThrowingSubstituteDispatchLeavesNormalModeAndTheRestPending) {
    Harness h;
    h.stream.setThreshold(100);
    h.onDispatch = [](std::string_view) { throw AppError(AppError::kTypeMismatch, "bad"); };
    const auto big = message(tags::kChatMessage, payloadOf(300));
    const auto a = message(tags::kLockWksn);
    h.stream.onData(big.substr(0, 150));
    EXPECT_THROW(h.stream.onData(big.substr(150) + a), AppError);
    EXPECT_FALSE(h.stream.storing());
    EXPECT_EQ(h.stream.pendingSize(), a.size());
    h.onDispatch = nullptr;
    h.stream.onData("");
    EXPECT_EQ(h.dispatched.back(), a);
}

TEST(InboundStreamStorage, anUnwritableFileKeepsTheBytesInMemory) {
    Harness h;
    h.stream.setThreshold(100);
    h.files.makeUnwritable("/data");
    const auto big = message(tags::kChatMessage, payloadOf(300));
    h.stream.onData(big.substr(0, 150));
    try {
        h.stream.onData(big.substr(150, 50));
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), AppError::kPathFileAccess);
    }
    EXPECT_FALSE(h.stream.storing());
    EXPECT_EQ(h.stream.pendingSize(), 200U);
}

TEST(InboundStreamStorage, aStoredMessageNoHandlerTakesLeavesNoTemporaryFile) {
    const auto text = payloadOf(400);
    const auto chat = message(tags::kChatMessage, text);
    const auto file = std::string{tags::kFileSend} + "3" + kSep + text + kEnd;
    auto sendInTwo = [](Harness& h, const std::string& m) {
        h.stream.onData(m.substr(0, 200));
        h.stream.onData(m.substr(200));
    };

    Harness h;
    h.stream.setThreshold(100);
    sendInTwo(h, chat);
    EXPECT_EQ(h.storedAtDispatch, Messages{text});
    EXPECT_FALSE(h.files.exists(kTemp));

    Harness throwing;
    throwing.stream.setThreshold(100);
    throwing.onDispatch = [](std::string_view) { throw AppError(AppError::kTypeMismatch, "bad"); };
    EXPECT_THROW(sendInTwo(throwing, chat), AppError);
    EXPECT_FALSE(throwing.files.exists(kTemp));

    // A file is the file handler's to take and remove.
    Harness forFile;
    forFile.stream.setThreshold(100);
    sendInTwo(forFile, file);
    EXPECT_EQ(forFile.stored(), text);
}

TEST(InboundStreamPayloadCap, aPayloadOverItsCapIsDroppedAndTheLinkCarriesOn) {
    constexpr std::size_t kCap = 2000;
    const std::string header = std::string{tags::kFileSend} + "8" + kSep;
    const auto next = message(tags::kServerDate, "1.5");
    for (const std::size_t size : {kCap, kCap + 1}) {
        Harness h;
        h.stream.setThreshold(100);
        h.stream.setPayloadCap(kCap);
        const auto m = header + payloadOf(size) + kEnd;
        for (std::size_t at = 0; at < m.size(); at += 150) {
            h.stream.onData(std::string_view(m).substr(at, 150));
            ASSERT_LE(h.files.read(kTemp).value_or("").size(), kCap) << at;
            ASSERT_LE(h.stream.pendingSize(), 250U) << at;
        }
        h.stream.onData(next);
        h.stream.onData("");
        if (size == kCap) {
            EXPECT_EQ(h.dispatched, (Messages{substituteFor(header), next}));
            EXPECT_EQ(h.stored(), payloadOf(kCap));
            EXPECT_TRUE(h.logLines.empty());
        } else {
            EXPECT_EQ(h.dispatched, Messages{next});
            EXPECT_FALSE(h.files.exists(kTemp));
            EXPECT_EQ(h.logLines, Messages{"wskCli_DataArrival: payload over 2000 bytes dropped: " +
                                           std::string{tags::kFileSend}});
        }
    }
}

TEST(InboundStreamPayloadCap, aPayloadThatNeverEndsHoldsNoMoreThanTheCap) {
    Harness h;
    h.stream.setThreshold(100);
    h.stream.setPayloadCap(5000);
    h.stream.onData(std::string{tags::kMessageSend} + payloadOf(150));
    for (int arrival = 0; arrival < 500; ++arrival) {
        h.stream.onData(payloadOf(1000));
    }
    EXPECT_TRUE(h.stream.storing());
    EXPECT_FALSE(h.files.exists(kTemp));
    EXPECT_EQ(h.stream.pendingSize(), 0U);
    EXPECT_EQ(h.logLines.size(), 1U);
    h.stream.onData(kEnd + message(tags::kLockWksn));
    h.stream.onData("");
    EXPECT_EQ(h.dispatched, Messages{message(tags::kLockWksn)});
}

TEST(InboundStreamDispatch, stopsCuttingOnceTheLinkIsDisabled) {
    Harness h;
    const auto lock = message(tags::kLockWksn);
    const auto disable = message(tags::kDisableWksn, "1" + kSep + "1009300");
    const auto after = message(tags::kActivateWksn);
    h.onDispatch = [&](std::string_view m) { h.disabled = m == disable; };
    h.stream.onData(lock + disable + after + after);
    EXPECT_EQ(h.dispatched, (Messages{lock, disable}));
    EXPECT_EQ(h.stream.pendingSize(), 2 * after.size());
    h.stream.onData(after);
    EXPECT_EQ(h.dispatched.size(), 2U);
}

TEST(InboundStreamDispatch, aThrowingHandlerLeavesTheFollowingMessagesPending) {
    Harness h;
    const auto m1 = message(tags::kChatMessage, "1");
    const auto m2 = message(tags::kSessionID, "x");
    const auto m3 = message(tags::kChatMessage, "3");
    h.onDispatch = [&](std::string_view m) {
        if (m == m2) {
            throw std::out_of_range("subscript");
        }
    };
    EXPECT_THROW(h.stream.onData(m1 + m2 + m3 + m3), std::out_of_range);
    EXPECT_EQ(h.dispatched, (Messages{m1, m2}));
    EXPECT_EQ(h.stream.pendingSize(), 2 * m3.size());
    h.stream.onData(m1.substr(0, 4));
    EXPECT_EQ(h.dispatched, (Messages{m1, m2, m3, m3}));
    EXPECT_EQ(h.stream.pendingSize(), 4U);
}

TEST(InboundStreamDebug, linesOnlyWithDebugOnAndNeverForHeartbeats) {
    const auto beat = message(tags::kServerHeartBeat);
    const auto chat = message(tags::kChatMessage, payloadOf(400));
    const auto big = message(tags::kChatMessage, payloadOf(300));

    Harness quiet;
    quiet.stream.setThreshold(100);
    quiet.stream.onData(beat + chat + big.substr(0, 150));
    quiet.stream.onData(big.substr(150));
    EXPECT_TRUE(quiet.debugLines.empty());
    EXPECT_EQ(quiet.dispatched.size(), 3U);

    Harness h;
    h.stream.setDebug(true);
    h.stream.setThreshold(100);
    h.stream.onData(beat + chat + beat + big.substr(0, 150));
    h.stream.onData(big.substr(150));
    EXPECT_EQ(h.debugLines,
              (Messages{"wskCli_DataArrival.ProcessServerData: " + chat.substr(0, 300),
                        "wskCli_DataArrival: BEGIN TempFileStorage",
                        "wskCli_DataArrival: END TempFileStorage"}));
}

} // namespace
} // namespace orvan::test
