// A sound library that plays nothing and writes every call into a log the
// test owns (so calls made while the SoundBank is destroyed can be read
// afterwards). The test decides which channels play and what results are.
#pragma once

#include "platform/sound_library.h"

#include <set>
#include <string>
#include <vector>

namespace zr::test {

class RecordingSoundLibrary final : public SoundLibrary {
public:
    explicit RecordingSoundLibrary(std::vector<std::string>& log) : log_(log) {}

    // What the test sets up.
    std::set<int32_t> playingChannels;
    int32_t stopResult = 1;
    int32_t frequencyResult = 1;
    int32_t nextChannel = 5;         // handed out by playSound and streamPlay, then increased
    StreamHandle openedStream = 40;  // what streamOpen returns (kNoStream: the file is missing)

    // What the library was given.
    StreamEndCallback endCallback = nullptr;
    void* endUserData = nullptr;

    // Reports the end of a stream as the real library does from update().
    int32_t reachEnd(StreamHandle stream) { return endCallback ? endCallback(stream, endUserData) : 0; }

    int32_t init(int32_t mixRate, int32_t channels) override { return note("init", mixRate, channels); }
    int32_t close() override { return note("close"); }
    void update() override { note("update"); }
    int32_t setSfxMasterVolume(int32_t volume) override { return note("setSfxMasterVolume", volume); }
    SampleHandle sampleLoad(const std::string& path, int32_t looped) override {
        note("sampleLoad " + path, looped);
        return ++samples_;
    }
    int32_t sampleFree(SampleHandle sample) override { return note("sampleFree", sample); }
    int32_t playSound(SampleHandle sample) override {
        note("playSound", sample);
        return nextChannel++;
    }
    int32_t isPlaying(int32_t channel) const override {
        note("isPlaying", channel);
        return playingChannels.count(channel) ? 1 : 0;
    }
    int32_t stopSound(int32_t channel) override {
        note("stopSound", channel);
        return stopResult;
    }
    int32_t setFrequency(int32_t channel, int32_t hz) override {
        note("setFrequency", channel, hz);
        return frequencyResult;
    }
    int32_t setVolume(int32_t channel, int32_t volume) override { return note("setVolume", channel, volume); }
    int32_t setPan(int32_t channel, int32_t pan) override { return note("setPan", channel, pan); }
    StreamHandle streamOpen(const std::string& path) override {
        note("streamOpen " + path);
        return openedStream;
    }
    int32_t streamSetEndCallback(StreamHandle stream, StreamEndCallback callback, void* userData) override {
        endCallback = callback;
        endUserData = userData;
        return note("streamSetEndCallback", stream);
    }
    int32_t streamPlay(StreamHandle stream) override {
        note("streamPlay", stream);
        return nextChannel++;
    }
    int32_t streamStop(StreamHandle stream) override { return note("streamStop", stream); }
    int32_t streamClose(StreamHandle stream) override { return note("streamClose", stream); }
    int32_t renderMix(float* /*out*/, int32_t /*frames*/) override { return 0; }

private:
    // Logs "name a b" and reports success.
    int32_t note(const std::string& name) const {
        log_.push_back(name);
        return 1;
    }
    int32_t note(const std::string& name, int32_t a) const { return note(name + " " + std::to_string(a)); }
    int32_t note(const std::string& name, int32_t a, int32_t b) const {
        return note(name + " " + std::to_string(a) + " " + std::to_string(b));
    }

    std::vector<std::string>& log_;
    SampleHandle samples_ = 0;
};

}  // namespace zr::test
