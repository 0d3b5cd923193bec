// What the harness does between inputs. The production loads one module per
// process; the fuzzer loads thousands, so each input starts from the state
// start-up leaves, not from whatever the previous input left behind.
#pragma once

// Remembers the state right after snd_open_offline (once).
void zk_fuzz_save_start_state();
// Puts that state back: no sample registered, every voice reset, effect lines
// silent, the default channel panning.
void zk_fuzz_restore_start_state();
// True when every value on every mixer bus is finite.
bool zk_fuzz_mix_is_finite();
