#include "screens/exercise/colours.h"

namespace Colours {

Channels split(int32_t colour)
{
    Channels c;
    c.blue = colour / 65536;
    c.green = (colour - 65536 * c.blue) / 256;
    c.red = colour - 65536 * c.blue - 256 * c.green;
    return c;
}

int32_t compose(const Channels &channels)
{
    return channels.red + 256 * channels.green + 65536 * channels.blue;
}

int32_t contrastTextColour(int32_t background)
{
    Channels c = split(background);
    auto contrast = [](int32_t level) { return level < 128 ? 255 : 0; };
    c.red = contrast(c.red);
    c.green = contrast(c.green);
    c.blue = contrast(c.blue);
    return compose(c);
}

} // namespace Colours
