// Ride sounds: the lift sound plays exactly while the train is on a chain
// block, and the running sound's pitch follows the speed.
#include "../support/recording_renderer.h"
#include "../support/scene_fixture.h"
#include "platform/headless/headless_platform.h"
#include "ride/ride.h"
#include "track/track_geometry.h"

#include <gtest/gtest.h>

#include <map>

namespace zr {
namespace {

// Keeps which sample plays on which channel, and the last frequencies.
class TrackingSoundLibrary final : public SoundLibrary {
public:
    int32_t init(int32_t, int32_t) override { return 1; }
    int32_t close() override { return 1; }
    void update() override {}
    int32_t setSfxMasterVolume(int32_t) override { return 1; }
    SampleHandle sampleLoad(const std::string& path, int32_t) override {
        names[++next_] = path;
        return next_;
    }
    int32_t sampleFree(SampleHandle) override { return 1; }
    int32_t playSound(SampleHandle sample) override {
        playing[++channel_] = sample;
        return channel_;
    }
    int32_t isPlaying(int32_t channel) const override { return playing.count(channel) ? 1 : 0; }
    int32_t stopSound(int32_t channel) override { return playing.erase(channel) ? 1 : 0; }
    int32_t setFrequency(int32_t channel, int32_t hz) override {
        if (playing.count(channel)) frequency[names[playing[channel]]] = hz;
        return 1;
    }
    int32_t setVolume(int32_t, int32_t) override { return 1; }
    int32_t setPan(int32_t, int32_t) override { return 1; }
    StreamHandle streamOpen(const std::string&) override { return kNoStream; }
    int32_t streamSetEndCallback(StreamHandle, StreamEndCallback, void*) override { return 1; }
    int32_t streamPlay(StreamHandle) override { return kNoChannel; }
    int32_t streamStop(StreamHandle) override { return 1; }
    int32_t streamClose(StreamHandle) override { return 1; }
    int32_t renderMix(float*, int32_t) override { return 0; }

    bool isOn(const std::string& path) const {
        for (const auto& [channel, sample] : playing) {
            if (names.at(sample) == path) return true;
        }
        return false;
    }

    std::map<int32_t, std::string> names;
    std::map<int32_t, SampleHandle> playing;
    std::map<std::string, int32_t> frequency;

private:
    int32_t next_ = 0;
    int32_t channel_ = 0;
};

class SoundHost final : public RideHost {
public:
    explicit SoundHost(sound::SoundBank& bank) : bank_(bank) {}
    float rideFrameSeconds() const override { return 0.02f; }
    bool ridingState() const override { return false; }
    sound::SoundBank* rideSounds() override { return &bank_; }
    engine::World* rideWorld() override { return nullptr; }
    void allowLookAround(bool) override {}
    void requestTitle() override {}
    void testRunEnded(int32_t) override {}

private:
    sound::SoundBank& bank_;
};

TEST(RideSounds, LiftPlaysOnChainBlocksAndTheRunningSoundFollowsTheSpeed) {
    HeadlessPlatform platform(false);
    engine::Engine engine;
    engine.initialise(1 << 20);
    engine.open(platform);
    engine.startWith(std::make_unique<test::RecordingRenderer>());
    SceneContext context = test::engineOnlyScene(engine);
    auto library = std::make_unique<TrackingSoundLibrary>();
    TrackingSoundLibrary& sounds = *library;
    float seconds = 0.02f;
    sound::SoundBank bank(std::move(library), &seconds);
    SoundHost host(bank);
    Car train(context, "");
    Coaster coaster(context, nullptr);
    // A chain station, then a long falling run without chain.
    std::vector<std::unique_ptr<TrackBlock>> blocks;
    glm::vec3 end(0.0f);
    for (auto [name, frames, drop, chain] : {std::tuple{"station1", 40, 0.0f, 1}, {"straight-c1", 80, 0.5f, 0}}) {
        auto block = std::make_unique<TrackBlock>(context, "");
        block->name = name;
        block->chain = chain;
        for (int k = 0; k < frames; ++k) {
            PathFrame frame(1.0f);
            frame[3] = glm::vec4(end, 1.0f);
            block->pathFrames.push_back(frame);
            if (k + 1 < frames) end += glm::vec3(0.0f, -drop, 1.0f);
        }
        coaster.blocks.append(block.get());
        coaster.lastBlock = block.get();
        blocks.push_back(std::move(block));
    }
    buildRidePath(coaster);
    Ride ride(host, coaster, train, defaultBlockSetFacts(0));
    ride.record().state = kRideTest;
    ride.start(std::nullopt);
    EXPECT_TRUE(sounds.isOn(sound::kWoodenSound)) << "the running sound of set 0";
    bool liftOffChain = false;
    bool liftMissingOnChain = false;
    for (int frame = 0; frame < 2000 && ride.step() == 0; ++frame) {
        const bool onChain = train.currentBlock && train.currentBlock->chain;
        if (onChain && !sounds.isOn(sound::kLiftSound)) liftMissingOnChain = true;
        if (!onChain && sounds.isOn(sound::kLiftSound)) liftOffChain = true;
        const int32_t expected = static_cast<int32_t>(12000.0f + ride.record().speed * 67.054092f);
        EXPECT_EQ(sounds.frequency[sound::kWoodenSound], expected);
    }
    EXPECT_FALSE(liftMissingOnChain);
    EXPECT_FALSE(liftOffChain);
    for (auto& block : blocks) coaster.blocks.unlink(block.get());
    coaster.lastBlock = nullptr;
}

}  // namespace
}  // namespace zr
