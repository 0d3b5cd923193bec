// The bus graph: routing by sample, the render call, conversion to 16-bit,
// and the set-up's failure when memory cannot be had.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "mixer/fx.h"
#include "mixer/mixer.h"

namespace {

struct Graph : ::testing::Test {
    std::vector<int8_t> data = std::vector<int8_t>(2000, 0);
    void SetUp() override
    {
        ASSERT_EQ(mix_init(44100, 4096), 1);
        mix_set_master_volume(64);
        mix_set_voice_count(4);
        for (size_t i = 0; i < data.size(); ++i) data[i] = int8_t((i * 37) % 200 - 100);
        for (int n = 1; n < 32; ++n) mix_define_sample(n, data.data(), 2000, 0, 2000, 1);
    }
    void play(int voice, int sample)
    {
        mix_select_voice(voice);
        mix_set_sample(sample);
        mix_set_volume(64);
        mix_set_panning(64);
        mix_set_period(300);
        mix_set_position(0);
    }
    static bool bus_sounds(int b, int frames)
    {
        for (int i = 0; i < 2 * frames; ++i)
            if (std::fabs(mix_buses[b].buffer[i]) > 1e-6f) return true;
        return false;
    }
};

int allocations_left = 0;
std::vector<void*> test_blocks;  // what failing_allocator gave, freed by the test
void* failing_allocator(size_t bytes)
{
    if (allocations_left-- <= 0) return nullptr;
    test_blocks.push_back(std::calloc(1, bytes));
    return test_blocks.back();
}

}  // namespace

TEST_F(Graph, EachSampleReachesTheBusesItIsRoutedTo)
{
    // Buses that carry sound after one render of a single voice of that sample.
    struct Case { int sample; bool buses[8]; };
    const Case cases[] = {
        {3,  {0, 0, 1, 1, 1, 0, 0, 1}},
        {4,  {0, 0, 1, 1, 1, 0, 0, 1}},
        {13, {1, 0, 0, 0, 0, 0, 0, 1}},
        {18, {1, 0, 0, 0, 0, 0, 0, 1}},
        {1,  {0, 1, 0, 0, 1, 0, 0, 1}},
        {19, {0, 1, 0, 0, 1, 0, 0, 1}},
        {21, {0, 1, 0, 0, 1, 0, 0, 1}},
        {31, {1, 0, 0, 0, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(mix_init(44100, 4096), 1);
        for (int n = 1; n < 32; ++n) mix_define_sample(n, data.data(), 2000, 0, 2000, 1);
        play(0, c.sample);
        int16_t out[2 * 512];
        mix_render(out, 512, 1, 0);
        for (int b = 0; b < 8; ++b)
            EXPECT_EQ(bus_sounds(b, 512), c.buses[b]) << "sample " << c.sample << " bus " << b;
    }
}

TEST_F(Graph, OutputBusIsTheWeightedSumOfItsInputs)
{
    play(0, 13);  // bus 0
    play(1, 1);   // bus 1
    play(2, 3);   // bus 2
    int16_t out[2 * 300];
    mix_render(out, 300, 1, 0);
    for (int i = 0; i < 600; ++i) {
        float expected = 0.0f;
        expected += 0.6f * mix_buses[0].buffer[i];
        expected += 0.5f * mix_buses[1].buffer[i];
        expected += 0.5f * mix_buses[2].buffer[i];
        expected += 0.5f * mix_buses[3].buffer[i];
        expected += 0.3f * mix_buses[4].buffer[i];
        ASSERT_EQ(mix_buses[7].buffer[i], expected) << i;
    }
}

TEST(Output, ConversionClipsAt32763)
{
    struct Case { float in; int16_t out; };
    const Case cases[] = {
        {0.0f, 0},          {0.5f, 16383},      {-0.5f, -16383},   {1.0f, 32763},
        {5.0f, 32763},      {-1.0f, -32763},    {-7.0f, -32763},   {0.9999f, 32763},
        {0.99985f, 32762},  {1e-5f, 0},         {-1e-4f, -3},      {0.25f, 8191},
        {0.99990004f, 32763}, {0.3333f, 10921}, {1e30f, 32763},    {0.75f, 24575},
    };
    // One value at a time, and all of them in one call (the bulk of a
    // buffer goes eight values at a time).
    std::vector<float> src;
    std::vector<int16_t> expected;
    for (const Case& c : cases) {
        float one[2] = {c.in, -c.in};
        int16_t dst[2];
        mix_to_int16(one, dst, 1);
        EXPECT_EQ(dst[0], c.out) << c.in;
        EXPECT_EQ(dst[1], int16_t(-c.out)) << c.in;
        src.insert(src.end(), {c.in, -c.in});
        expected.insert(expected.end(), {c.out, int16_t(-c.out)});
    }
    std::vector<int16_t> bulk(src.size());
    mix_to_int16(src.data(), bulk.data(), int(src.size() / 2));
    EXPECT_EQ(bulk, expected);
}

TEST_F(Graph, ConvertZeroAdvancesEverythingAndWritesNothing)
{
    play(0, 3);
    std::vector<int16_t> untouched(2 * 256, 1234);
    mix_render(untouched.data(), 256, 0, 0);
    for (int16_t v : untouched) ASSERT_EQ(v, 1234);
    EXPECT_GT(mix_live_voices[0].position, 0u);
    auto* echo = reinterpret_cast<FxEcho*>(mix_buses[3].units[0]);
    EXPECT_EQ(echo->write_a, 256);
}

TEST_F(Graph, ZeroFramesCommitsAndMovesTheVowelOn)
{
    play(0, 3);
    mix_render(nullptr, 0, 1, 1207);
    EXPECT_EQ(mix_live_voices[0].volume, 64);
    EXPECT_EQ(mix_live_voices[0].position, 0u);
    EXPECT_EQ(reinterpret_cast<FxFormant*>(mix_buses[3].units[1])->set, 3);
    mix_render(nullptr, 0, 1, 0);
    EXPECT_EQ(reinterpret_cast<FxFormant*>(mix_buses[3].units[1])->set, 0);
}

TEST_F(Graph, SkippedVoiceKeepsItsPosition)
{
    play(0, 13);
    int16_t out[2 * 100];
    mix_render(out, 100, 1, 0);
    const uint32_t where = mix_live_voices[0].position;
    mix_set_volume(0);
    mix_render(out, 100, 1, 0);
    EXPECT_EQ(mix_live_voices[0].position, where);
    mix_set_volume(30);
    mix_render(out, 100, 1, 0);
    EXPECT_GT(mix_live_voices[0].position, where);
}

TEST_F(Graph, LongerThanTheBufferRendersInPieces)
{
    // Built for 256 frames, asked for 1000: the same as four calls of at most 256.
    ASSERT_EQ(mix_init(44100, 256), 1);
    for (int n = 1; n < 32; ++n) mix_define_sample(n, data.data(), 2000, 0, 2000, 1);
    play(0, 3);
    play(1, 13);
    std::vector<int16_t> whole(2 * 1000);
    mix_render(whole.data(), 1000, 1, 0);

    ASSERT_EQ(mix_init(44100, 4096), 1);
    for (int n = 1; n < 32; ++n) mix_define_sample(n, data.data(), 2000, 0, 2000, 1);
    play(0, 3);
    play(1, 13);
    std::vector<int16_t> pieces(2 * 1000);
    int done = 0;
    for (int n : {256, 256, 256, 232}) {
        mix_render(pieces.data() + 2 * done, n, 1, 0);
        done += n;
    }
    EXPECT_EQ(whole, pieces);
}

TEST_F(Graph, SilentOnceTheEchoesHaveDied)
{
    std::vector<int8_t> click(64, 0);
    click[0] = 127;
    click[1] = -128;
    mix_define_sample(3, click.data(), 64, 0, 0, 0);
    play(0, 3);
    std::vector<int16_t> out(2 * 4096);
    bool heard = false;
    for (int call = 0; call < 200; ++call) {
        mix_render(out.data(), 4096, 1, 100 * call);
        for (int16_t v : out) heard = heard || v != 0;
    }
    EXPECT_TRUE(heard);
    for (int16_t v : out) ASSERT_EQ(v, 0);
}

TEST(Setup, AllocationFailureLeavesTheMixerSilent)
{
    void* (*saved)(size_t) = mix_allocate;
    // Fail at every allocation in turn: 8 buses, then the units and their lines.
    for (int budget = 0; budget < 17; ++budget) {
        allocations_left = budget;
        mix_allocate = failing_allocator;
        EXPECT_EQ(mix_init(44100, 4096), 0) << budget;
        EXPECT_EQ(mix_ready(), 0);
        std::vector<int16_t> out(2 * 64, 99);
        mix_render(out.data(), 64, 1, 0);
        for (int16_t v : out) ASSERT_EQ(v, 0) << budget;
    }
    allocations_left = 17;
    EXPECT_EQ(mix_init(44100, 4096), 1) << "just enough memory";
    mix_allocate = saved;
    EXPECT_EQ(mix_init(44100, 4096), 1);
    for (void* p : test_blocks) std::free(p);
    test_blocks.clear();
    EXPECT_EQ(mix_init(44100, 4096), 1);
    EXPECT_EQ(mix_init(44100, 0), 0);
    EXPECT_EQ(mix_init(0, 4096), 0);
    EXPECT_EQ(mix_init(44100, 4096), 1);
}

TEST_F(Graph, FusedPassEqualsTheBusByBusPass)
{
    // Loud voices on all three voice buses (the saturator and the clamps
    // work), then silence long enough for the filters to reach their floor.
    auto run = [&](int fused, std::vector<float>* buses) {
        mix_fused_graph = fused;
        EXPECT_EQ(mix_init(44100, 4096), 1);
        mix_set_master_volume(252);
        for (int n = 1; n < 32; ++n) mix_define_sample(n, data.data(), 2000, 0, 2000, 1);
        std::vector<int16_t> all;
        const int chunks[] = {882, 1, 4096, 57, 3000, 882, 882};
        for (int round = 0; round < 30; ++round) {
            if (round < 12) {
                play(round % 4, round % 3 == 0 ? 3 : round % 3 == 1 ? 1 : 13);
                mix_set_panning(round * 20);
                mix_set_period(120 + 40 * round);
                mix_set_volume(round % 2 ? 255 : 40);  // effect C's raw 255: far past every threshold
            } else if (round == 12) {
                for (int v = 0; v < 4; ++v) { mix_select_voice(v); mix_set_volume(0); }
            }
            for (int n : chunks) {
                std::vector<int16_t> out(2 * n);
                mix_render(out.data(), n, 1, 100 * round + n % 64);
                all.insert(all.end(), out.begin(), out.end());
            }
        }
        for (int b = 0; b < 8; ++b)
            buses->insert(buses->end(), mix_buses[b].buffer, mix_buses[b].buffer + 2 * 882);
        auto* e = reinterpret_cast<FxEcho*>(mix_buses[4].units[0]);
        buses->insert(buses->end(), &e->filter->state[0][0], &e->filter->state[0][0] + 8);
        buses->insert(buses->end(), e->line_b, e->line_b + e->capacity_b);
        mix_fused_graph = 1;
        return all;
    };
    std::vector<float> fused_buses, general_buses;
    const std::vector<int16_t> fused = run(1, &fused_buses);
    const std::vector<int16_t> general = run(0, &general_buses);
    int loud = 0;
    for (int16_t v : general) loud += std::abs(int(v)) > 30000;
    EXPECT_GT(loud, 100) << "the test must drive the clamps";
    EXPECT_TRUE(fused == general);
    ASSERT_EQ(fused_buses.size(), general_buses.size());
    EXPECT_EQ(std::memcmp(fused_buses.data(), general_buses.data(), fused_buses.size() * sizeof(float)), 0);
}
