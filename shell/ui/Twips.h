#pragma once

// Layout lengths are designed in 1/1440 inch; 15 of them make one pixel at 96 dots per inch.
constexpr int tw(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}
constexpr int toTwips(int pixels)
{
    return pixels * 15;
}
