// The timeline's constant tables: the words the scenes draw, scene 4's
// sub-windows and the places of the greetings.
#include "demo/demo.h"

// Indexed by the animal number, which is also the animal's picture index.
const char* const demo_animal_words[9] = {
    "simba",        // 0 lion
    "duma",         // 1 cheetah
    "twiga",        // 2 giraffe
    "nyati",        // 3 buffalo
    "ndovu",        // 4 elephant
    "heroe",        // 5 flamingo
    "nyani",        // 6 baboon
    "mamba",        // 7 crocodile
    "punda milia",  // 8 zebra
};
static_assert(sizeof(demo_animal_words) / sizeof(demo_animal_words[0]) == 9, "nine animals");

// Scene 4: three animals per order; each shows in front of the previous one
// (the first in front of the tree of scene 3).
namespace {
constexpr DemoAnimalWindow animal_windows[] = {
    // first  last   w   v   figure x, y     word x, y       order, rows
    {   300,  331,   0, 10,   0.6f,  0.8f,    2.0f,  1.5f },  // 3,  0-31
    {   332,  347,   1,  0,  -0.9f, -0.7f,   -1.0f, -1.5f },  // 3, 32-47
    {   348,  399,   2,  1,  -0.9f, -0.7f,   -1.0f, -1.5f },  // 3, 48-63
    {   400,  431,   3,  2,  -0.9f,  0.8f,   -1.0f,  1.5f },  // 4,  0-31
    {   432,  447,   4,  3,   0.6f,  0.8f,    2.0f,  1.5f },  // 4, 32-47
    {   448,  499,   5,  4,   0.6f, -0.7f,    2.0f, -1.5f },  // 4, 48-63
    {   500,  531,   6,  5,   0.6f, -0.7f,    2.0f, -1.5f },  // 5,  0-31
    {   532,  547,   7,  6,   0.6f,  0.8f,    2.0f,  1.5f },  // 5, 32-47
    {   548,  599,   8,  7,  -1.2f, -0.7f,   -0.5f, -1.5f },  // 5, 48-63
};
constexpr int animal_window_count = sizeof(animal_windows) / sizeof(animal_windows[0]);
static_assert(animal_window_count == 9, "nine sub-windows of scene 4");
}  // namespace

const DemoAnimalWindow& demo_animal_window(uint32_t position) {
    for (const DemoAnimalWindow& window : animal_windows)
        if (position <= window.last) return window;
    return animal_windows[animal_window_count - 1];
}

// Scene 6: one name at a time, each at its own place. Only the first eleven
// are reached by the song; the rest stand ready should it be rearranged.
const char* const demo_greetings[17] = {
    "kwelimix",   //  0
    "tandaboro",  //  1
    "mzingo",     //  2
    "pekuzi",     //  3
    "vumbaro",    //  4
    "lakalo",     //  5
    "zindoriva",  //  6
    "kofuta",     //  7
    "mbarelo",    //  8
    "sinyoka",    //  9
    "tawuzi",     // 10
    "nyokrafi",   // 11
    "bolunda",    // 12
    "chezaki",    // 13
    "fundalika",  // 14
    "rimbazo",    // 15
    "kuwazi",     // 16
};
static_assert(sizeof(demo_greetings) / sizeof(demo_greetings[0]) == 17, "seventeen greetings");

// The greeting stands at x = 2 * demo_greeting_x[i], y = demo_greeting_y[i].
const float demo_greeting_x[17] = {
    //  0      1      2      3      4      5      6      7      8
     0.5f,  0.4f, -0.7f,  0.5f, -0.2f,  0.6f, -0.8f, -0.3f,  0.4f,
    //  9     10     11     12     13     14     15     16
    -0.2f,  0.6f,  0.8f, -0.3f, -0.4f,  0.3f, -0.4f,  0.7f,
};
const float demo_greeting_y[17] = {
    //  0      1      2      3      4      5      6      7      8
    -0.5f,  0.4f,  0.7f, -0.5f,  0.2f, -0.8f, -0.3f,  0.4f, -0.3f,
    //  9     10     11     12     13     14     15     16
     0.4f, -0.6f,  0.8f,  0.3f, -0.4f, -0.2f, -0.6f,  0.7f,
};
static_assert(sizeof(demo_greeting_x) / sizeof(float) == 17, "one x per greeting");
static_assert(sizeof(demo_greeting_y) / sizeof(float) == 17, "one y per greeting");

// Scene 7: the crew, credit 1 to credit 4.
const char* const demo_credits[4] = {
    "zek",   // 1 code
    "mova",  // 2 music
    "tilu",  // 3 pictures
    "dabo",  // 4 font
};
static_assert(sizeof(demo_credits) / sizeof(demo_credits[0]) == 4, "four credits");
