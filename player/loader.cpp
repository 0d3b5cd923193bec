// The module loader: 31-sample tracker modules with a type tag at byte 1080.
//
// Reads the header, finds the channel count from the tag, converts every
// pattern in place into PatternCell, registers the samples with the mixer
// through SoundDriver and tells it the voice count. Main thread, before
// playback.
//
// The loader never reads past the length it is given, and validates before it
// changes anything: a module it rejects has no pattern converted, no sample
// registered and no voice count set. What it repairs instead of rejecting:
// - sample data cut short by the end of the data: the sample keeps the bytes
//   that are there (none: not registered), its loop is clamped to them;
// - a loop reaching past the sample: clamped to the sample's end; a loop of
//   2 bytes or less after clamping plays as no loop;
// - a song length above 128: 128 (the order table has 128 entries);
// - a sample number above 31 in a cell: no sample (the tables have 32 entries).
#include <cstring>

#include "player/player_state.h"

int32_t pt_channels = 0;
int32_t pt_song_length = 0;
int32_t pt_restart_order = 0;
uint8_t pt_order_table[128] = {};
PatternCell* pt_patterns[128] = {};
PtSample pt_samples[32] = {};

namespace {

constexpr size_t HEADER_BYTES = 1084;  // title, 31 sample headers, orders, tag
constexpr size_t PATTERN_ROWS = 64;
constexpr size_t CELL_BYTES = 4;

const char* error_text = "";
int song_loaded = 0;

struct ModuleTag {
    char tag[5];
    int channels;
};

// Searched in this order; the first match wins. "STOP" ends the search.
constexpr ModuleTag MODULE_TAGS[] = {
    {"2CHN",  2}, {"4CHN",  4}, {"M.K.",  4}, {"M!K!",  4}, {"FLT4",  4},
    {"FLT8",  8}, {"OCTA",  8}, {"6CHN",  6}, {"8CHN",  8}, {"10CH", 10},
    {"12CH", 12}, {"14CH", 14}, {"16CH", 16}, {"18CH", 18}, {"20CH", 20},
    {"22CH", 22}, {"24CH", 24}, {"26CH", 26}, {"28CH", 28}, {"30CH", 30},
    {"32CH", 32},
    {"STOP",  0},
};
static_assert(sizeof(MODULE_TAGS) / sizeof(MODULE_TAGS[0]) == 22, "21 tags and the terminator");

// The running read position over the module data. Reads beyond the end give
// 0, though the header is only parsed once the length has been checked.
struct Reader {
    const uint8_t* data;
    size_t length;
    size_t offset;
};
Reader reader;

uint8_t pt_read_u8() {
    uint8_t value = reader.offset < reader.length ? reader.data[reader.offset] : 0;
    reader.offset++;
    return value;
}

uint16_t pt_read_u16be() {
    uint16_t high = pt_read_u8();
    return static_cast<uint16_t>((high << 8) | pt_read_u8());
}

void pt_skip(size_t n) { reader.offset += n; }

int tag_channel_count(const uint8_t tag[4]) {
    for (const ModuleTag& entry : MODULE_TAGS) {
        if (std::memcmp(entry.tag, tag, 4) == 0) return entry.channels;
        if (entry.channels == 0) break;
    }
    return 0;
}

int fail(const char* text) {
    error_text = text;
    pt_channels = 0;
    return 0;
}

// Registers sample s, whose data start at `offset`, with what the data hold.
void register_sample(int s, const uint8_t* buffer, size_t length, size_t offset) {
    const PtSample& header = pt_samples[s];
    size_t available = offset < length ? length - offset : 0;
    uint32_t size = header.length < available ? header.length : static_cast<uint32_t>(available);
    if (size == 0) return;
    uint32_t loop_start = header.loop_start < size ? header.loop_start : size;
    uint32_t loop_end = header.loop_start + header.loop_length;
    if (loop_end > size) loop_end = size;
    if (loop_end < loop_start) loop_end = loop_start;
    // A stored loop of 0 or 1 word means no loop; a clamped loop that short is none either.
    int looped = loop_end - loop_start > 2 ? 1 : 0;
    SoundDriver.define_sample(s, reinterpret_cast<const int8_t*>(buffer + offset), size,
                              loop_start, loop_end, looped);
}

}  // namespace

int pt_note_index(uint32_t period) {
    int index = 0;
    while (index < PT_NO_NOTE && pt_period_table[0][index] > period) index++;
    return index;
}

void pt_convert_pattern(uint8_t* pattern, int channels) {
    const size_t cells = PATTERN_ROWS * static_cast<size_t>(channels);
    for (size_t i = 0; i < cells; i++) {
        uint8_t* cell = pattern + i * CELL_BYTES;
        int sample = (cell[0] & 0xF0) | (cell[2] >> 4);
        uint32_t period = ((cell[0] & 0x0Fu) << 8) | cell[1];
        int effect = cell[2] & 0x0F;
        if (sample > 31) sample = 0;
        cell[0] = static_cast<uint8_t>(sample);
        cell[1] = static_cast<uint8_t>(pt_note_index(period));
        cell[2] = static_cast<uint8_t>(effect);
        // cell[3], the parameter, stays as it is.
    }
}

int pt_takemod(uint8_t* buffer, size_t length) {
    if (buffer == nullptr || length < HEADER_BYTES)
        return fail("pt_takemod error: module shorter than its header!");
    reader = Reader{buffer, length, 0};
    pt_skip(20);  // title

    for (int s = 1; s <= 31; s++) {
        pt_skip(22);  // name
        PtSample& sample = pt_samples[s];
        sample.length = pt_read_u16be() * 2u;
        sample.finetune = pt_read_u8() & 0x0F;
        sample.volume = pt_read_u8();
        if (sample.volume > 64) sample.volume = 64;
        sample.loop_start = pt_read_u16be() * 2u;
        sample.loop_length = pt_read_u16be() * 2u;
    }

    pt_song_length = pt_read_u8();
    if (pt_song_length > 128) pt_song_length = 128;
    pt_restart_order = pt_read_u8();
    if (pt_restart_order > 126) pt_restart_order = 0;
    for (uint8_t& order : pt_order_table) order = pt_read_u8();

    uint8_t tag[4];
    for (uint8_t& byte : tag) byte = pt_read_u8();
    const int channels = tag_channel_count(tag);
    if (channels == 0) return fail("pt_takemod error: unknown module type!");

    // Every order entry counts, also those beyond the song length: the
    // pattern data hold all patterns up to the highest one named.
    int highest = 0;
    for (uint8_t order : pt_order_table)
        if (order > highest) highest = order;
    if (highest >= 128) return fail("pt_takemod error: pattern number above 127!");
    const size_t pattern_count = static_cast<size_t>(highest) + 1;
    const size_t pattern_bytes = PATTERN_ROWS * channels * CELL_BYTES;
    if (length - reader.offset < pattern_count * pattern_bytes)
        return fail("pt_takemod error: pattern data cut short!");

    pt_channels = channels;
    for (PatternCell*& start : pt_patterns) start = nullptr;
    for (size_t n = 0; n < pattern_count; n++) {
        uint8_t* start = buffer + reader.offset;
        pt_patterns[n] = reinterpret_cast<PatternCell*>(start);
        pt_convert_pattern(start, channels);
        pt_skip(pattern_bytes);
    }

    for (int s = 1; s <= 31; s++) {
        if (pt_samples[s].length == 0) continue;  // takes no space
        register_sample(s, buffer, length, reader.offset);
        pt_skip(pt_samples[s].length);
    }
    SoundDriver.set_voice_count(channels);
    return 1;
}

void pt_set_song_loaded(int loaded) { song_loaded = loaded; }

int pt_song_loaded() { return song_loaded; }

int pt_channel_count() { return pt_channels; }

const char* pt_error() { return error_text; }

int pt_load(uint8_t* buffer, size_t length) {
    // The position reads 0 while loading and after a failed load.
    pt_order_index.store(0, std::memory_order_relaxed);
    pt_row.store(0, std::memory_order_relaxed);
    pt_set_song_loaded(0);
    if (!pt_takemod(buffer, length)) {
        // Nothing to play: the tick length must not be derived from tempo 0.
        pt_speed = 0;
        pt_tempo = 0;
        return 0;
    }
    pt_reset_song();
    pt_set_song_loaded(1);
    return 1;
}
