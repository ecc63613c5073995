#include "lockdown/SoundMuting.h"

#include "lockdown/clsVolume.h"
#include "support/ClientFixture.h"
#include "support/FakeMixer.h"

namespace orvan::test {
namespace {

using Line = Mixer::Line;

class SoundMutingTest : public ClientFixture {
protected:
    void SetUp() override { context().constants.wksnMuteVolWhenBlocked = 1; }

    FakeMixer mixer;
    SoundMuting muting{context(), mixer};
};

TEST_F(SoundMutingTest, lockMutesAndReleaseUnmutes) {
    muting.onLockScreenRefresh();
    EXPECT_TRUE(mixer.speakers().muted);
    muting.onLockScreenRelease();
    EXPECT_FALSE(mixer.speakers().muted);
    // Each use opens the mixer only for as long as it needs it.
    EXPECT_EQ(mixer.opens, 2);
    EXPECT_EQ(mixer.closes, 2);
    EXPECT_FALSE(mixer.isOpen);
}

TEST_F(SoundMutingTest, speakersMutedBeforeTheLockStayMutedAfterRelease) {
    mixer.speakers().muted = true;
    muting.onLockScreenRefresh();
    muting.onLockScreenRelease();
    EXPECT_TRUE(mixer.speakers().muted);
}

TEST_F(SoundMutingTest, refreshBetweenBlockedStatesKeepsTheStateFromBeforeTheLock) {
    muting.onLockScreenRefresh();
    ASSERT_TRUE(mixer.speakers().muted);
    for (int panel = 0; panel < 7; ++panel) {
        muting.onLockScreenRefresh();
    }
    EXPECT_EQ(mixer.opens, 1);
    muting.onLockScreenRelease();
    EXPECT_FALSE(mixer.speakers().muted);
}

TEST_F(SoundMutingTest, releaseWithoutALockLeavesTheCustomersSettingAlone) {
    mixer.speakers().muted = true;
    muting.onLockScreenRelease(); // a start-up straight into the deactivated state
    EXPECT_TRUE(mixer.speakers().muted);
    EXPECT_EQ(mixer.writes, 0);
}

TEST_F(SoundMutingTest, constantOtherThanOneTouchesNothing) {
    for (int constant : {0, 2}) {
        context().constants.wksnMuteVolWhenBlocked = constant;
        muting.onLockScreenRefresh();
        muting.onLockScreenRelease();
    }
    EXPECT_EQ(mixer.opens, 0);
    EXPECT_EQ(mixer.writes, 0);
    EXPECT_FALSE(mixer.speakers().muted);
}

TEST_F(SoundMutingTest, mixerErrorIsLoggedAndTheLockGoesOn) {
    mixer.failing = true;
    muting.onLockScreenRefresh();
    EXPECT_TRUE(logContains("modFunctions.subMuteOnBlockError"));
    EXPECT_FALSE(mixer.isOpen);
}

TEST_F(SoundMutingTest, withoutAMixerLockAndReleaseDoNothing) {
    mixer.available = false;
    muting.onLockScreenRefresh();
    muting.onLockScreenRelease();
    EXPECT_EQ(mixer.writes, 0);
    EXPECT_EQ(mixer.closes, 0);
}

// The mixer is held back at start-up so that the first picture does not wait for it.
TEST_F(SoundMutingTest, mixerReadyWhileLockedMutesAndReleaseRestoresTheStateFoundThen) {
    for (const bool before : {false, true}) {
        mixer.isReady = false;
        mixer.speakers().muted = before;
        muting.onLockScreenRefresh();
        muting.onLockScreenRefresh();
        EXPECT_EQ(mixer.opens, 0);
        mixer.becomeReady();
        EXPECT_TRUE(mixer.speakers().muted);
        muting.onLockScreenRelease();
        EXPECT_EQ(mixer.speakers().muted, before);
        mixer.opens = 0;
    }
}

TEST_F(SoundMutingTest, releaseBeforeTheMixerIsReadyLeavesItAloneThen) {
    mixer.isReady = false;
    muting.onLockScreenRefresh();
    muting.onLockScreenRelease();
    mixer.becomeReady(); // in a session: nothing to mute
    EXPECT_FALSE(mixer.speakers().muted);
    EXPECT_EQ(mixer.opens, 0);
    // The next lock mutes as usual.
    muting.onLockScreenRefresh();
    EXPECT_TRUE(mixer.speakers().muted);
    muting.onLockScreenRelease();
    EXPECT_FALSE(mixer.speakers().muted);
}

TEST_F(SoundMutingTest, mixerNeverReadyOrMissingWhenReadyIsLikeNoMixer) {
    mixer.isReady = false;
    mixer.available = false;
    muting.onLockScreenRefresh();
    muting.onLockScreenRelease();
    muting.onLockScreenRefresh();
    mixer.becomeReady();
    muting.onLockScreenRelease();
    EXPECT_EQ(mixer.writes, 0);
    EXPECT_EQ(mixer.closes, 0);
}

TEST(SoundMutingVolumeTest, volumeWritesAreClampedToTheControlsBounds) {
    FakeMixer mixer;
    mixer.at(Line::CompactDisc).min = 100;
    mixer.at(Line::CompactDisc).max = 200;
    clsVolume volume(mixer);
    EXPECT_EQ(volume.MinCDVolume(), 100u);
    EXPECT_EQ(volume.MaxCDVolume(), 200u);
    volume.CD_Volume(50);
    EXPECT_EQ(volume.CD_Volume(), 100u);
    volume.CD_Volume(4000000000u);
    EXPECT_EQ(volume.CD_Volume(), 200u);
    volume.CD_Volume(150);
    EXPECT_EQ(volume.CD_Volume(), 150u);
}

TEST(SoundMutingVolumeTest, eachPropertyReachesItsOwnLine) {
    FakeMixer mixer;
    clsVolume volume(mixer);
    volume.WaveVolume(1);
    volume.MicroVolume(2);
    volume.WaveInVolume(3);
    volume.LineInVolume(4);
    volume.CD_Volume(5);
    volume.MIDIVolume(6);
    volume.MicroMute(true);
    volume.MIDIMute(true);
    for (std::uint32_t index = 0; index < 6; ++index) {
        EXPECT_EQ(mixer.lines[index].volume, index + 1);
    }
    EXPECT_TRUE(volume.MicroMute());
    EXPECT_TRUE(volume.MIDIMute());
    EXPECT_FALSE(volume.WaveMute());
    EXPECT_FALSE(volume.WaveInMute());
    EXPECT_FALSE(volume.LineInMute());
    EXPECT_FALSE(volume.CD_Mute());
}

TEST(SoundMutingVolumeTest, presenceBitsAndMissingControls) {
    FakeMixer mixer;
    mixer.at(Line::Microphone) = {.hasVolume = false, .hasMute = false};
    mixer.at(Line::LineIn).hasVolume = false;
    mixer.at(Line::LineIn).volume = 7;
    mixer.at(Line::Synthesizer).hasMute = false;
    mixer.at(Line::Synthesizer).muted = true;
    clsVolume volume(mixer);
    EXPECT_EQ(volume.Lines(), clsVolume::kSpeakers | clsVolume::kWave | clsVolume::kLineIn |
                                  clsVolume::kCompactDisc | clsVolume::kSynthesizer);
    EXPECT_EQ(volume.LineInVolume(), 0u);
    EXPECT_EQ(volume.MaxLineInVolume(), 0u);
    EXPECT_FALSE(volume.MIDIMute());
    volume.LineInVolume(9);
    volume.MIDIMute(false);
    volume.MicroMute(true);
    EXPECT_EQ(mixer.writes, 0);
}

TEST(SoundMutingVolumeTest, withoutAMixerEveryReadIsZeroAndEveryWriteIsDropped) {
    FakeMixer mixer;
    mixer.available = false;
    for (auto& line : mixer.lines) {
        line = {.min = 10, .max = 20, .volume = 15, .muted = true};
    }
    {
        clsVolume volume(mixer);
        EXPECT_EQ(volume.Lines(), 0);
        EXPECT_EQ(volume.WaveVolume(), 0u);
        EXPECT_EQ(volume.MaxWaveVolume(), 0u);
        EXPECT_EQ(volume.MinMidVolume(), 0u);
        EXPECT_FALSE(volume.WaveMute());
        EXPECT_FALSE(volume.CD_Mute());
        volume.WaveMute(false);
        volume.WaveVolume(12);
        volume.MicroVolume(12);
    }
    EXPECT_EQ(mixer.writes, 0);
    EXPECT_EQ(mixer.closes, 0);
}

} // namespace
} // namespace orvan::test
