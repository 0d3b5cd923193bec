#include "player/sound_driver.h"

SoundDriverTable SoundDriver = {};
