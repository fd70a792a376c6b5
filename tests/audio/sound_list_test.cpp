// The sound list: links kept straight through adds and removes (first node
// of a duplicate, head, tail), and the per-frame rule that stops a one-shot
// only once more than its whole length has passed, in unsigned time.
#include "audio/sound_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/sound.h"
#include "audio_helpers.h"

using namespace audiotest;

namespace {

std::vector<std::string> g_calls;

// A sound whose buffer calls are recorded instead of played.
class Probe : public kwSound {
public:
    explicit Probe(std::string n) : kwSound(nullptr), name(std::move(n)) {}
    void play(bool loop) override { looping = loop; }
    bool isPlaying() override { return playing; }
    void stop() override {
        playing = false;
        g_calls.push_back("stop " + name);
    }
    bool update() override {
        g_calls.push_back("update " + name);
        return false;
    }
    std::string name;
    bool playing = true;
};

std::vector<kwSound*> forward(const kwSoundList& l) {
    std::vector<kwSound*> out;
    for (auto* n = l.head; n; n = n->next) out.push_back(n->sound);
    return out;
}
std::vector<kwSound*> backward(const kwSoundList& l) {
    std::vector<kwSound*> out;
    for (auto* n = l.tail; n; n = n->prev) out.insert(out.begin(), n->sound);
    return out;
}

class SoundList : public SoundSystem {
protected:
    void SetUp() override {
        SoundSystem::SetUp();
        g_calls.clear();
    }
};

}  // namespace

TEST_F(SoundList, AddAtTailRemoveFirstHolder) {
    Probe a("a"), b("b"), c("c");
    kwSoundList l;
    EXPECT_FALSE(l.add(nullptr));
    EXPECT_TRUE(l.add(&a));
    EXPECT_TRUE(l.add(&b));
    EXPECT_TRUE(l.add(&a));
    EXPECT_TRUE(l.add(&c));
    EXPECT_EQ(l.count, 4u);
    EXPECT_EQ(forward(l), (std::vector<kwSound*>{&a, &b, &a, &c}));

    EXPECT_TRUE(l.remove(&a));  // the first node holding it, the head
    EXPECT_EQ(forward(l), (std::vector<kwSound*>{&b, &a, &c}));
    EXPECT_EQ(backward(l), forward(l));
    EXPECT_TRUE(l.remove(&c));  // the tail
    EXPECT_EQ(forward(l), (std::vector<kwSound*>{&b, &a}));
    EXPECT_EQ(backward(l), forward(l));
    EXPECT_FALSE(l.remove(&c));
    EXPECT_TRUE(l.remove(&b));
    EXPECT_TRUE(l.remove(&a));
    EXPECT_EQ(l.head, nullptr);
    EXPECT_EQ(l.tail, nullptr);
    EXPECT_EQ(l.count, 0u);

    l.add(&c);
    l.add(&b);
    l.clear();  // nodes only: the sounds are untouched
    EXPECT_EQ(l.count, 0u);
    EXPECT_EQ(l.head, nullptr);
    EXPECT_TRUE(c.playing);
}

TEST_F(SoundList, OneShotsStopAfterTheirWholeLengthOthersUpdate) {
    Probe once("once"), loop("loop"), idle("idle"), tiny("tiny");
    once.duration = 0.5f;
    once.startTime = 1000;
    loop.looping = true;
    loop.duration = 0.5f;
    loop.startTime = 0;
    idle.playing = false;
    tiny.duration = 0.0004f;  // trunc(0.4 ms) = 0
    for (Probe* p : {&once, &loop, &idle, &tiny}) soundList->add(p);

    headlessSetTime(1500);
    tiny.startTime = 1500;
    updateSounds();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update once", "update loop", "update tiny"}));

    g_calls.clear();
    headlessSetTime(1501);
    updateSounds();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"stop once", "update loop", "stop tiny"}));

    g_calls.clear();
    stopAll();
    EXPECT_EQ(g_calls,
              (std::vector<std::string>{"stop once", "stop loop", "stop idle", "stop tiny"}));
}

TEST_F(SoundList, ElapsedTimeIsUnsignedAcrossTheWrap) {
    Probe p("p");
    p.duration = 0.25f;
    p.startTime = 0xFFFFFF80u;  // 128 ms before the clock wraps
    soundList->add(&p);
    headlessSetTime(249 - 128);  // 249 ms later, past the wrap
    updateSounds();
    headlessSetTime(250 - 128);
    updateSounds();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update p", "update p"}));
    headlessSetTime(251 - 128);
    updateSounds();
    EXPECT_EQ(g_calls.back(), "stop p");

    // Game time, not device time: while paused nothing runs out.
    p.playing = true;
    p.startTime = gameTime();
    pauseClock();
    headlessAdvance(5000);
    g_calls.clear();
    updateSounds();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"update p"}));
    resumeClock();
}
