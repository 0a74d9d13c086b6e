#pragma once

#include <cstdint>

/// Colour values in the layout the colour command uses: red + 256 x green + 65536 x blue.
namespace Colours {

struct Channels
{
    int32_t red = 0;
    int32_t green = 0;
    int32_t blue = 0;
};

Channels split(int32_t colour);
int32_t compose(const Channels &channels);

/// The text colour that stands out on a background: every channel below 128 becomes
/// 255, every other one 0.
int32_t contrastTextColour(int32_t background);

} // namespace Colours
