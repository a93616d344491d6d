#pragma once

#include <array>

namespace bladetrace {

// The program's airfoil in percent of chord: from the trailing edge along the upper surface
// to the leading edge and back along the lower surface; 10 % thick at x = 30.
struct SectionPoint {
    float x;
    float y;
};

constexpr int kSectionPoints = 31;

constexpr std::array<SectionPoint, kSectionPoints> kBaseSection = {{
    {100, 0.1f},   {90, 2.091f},     {80, 3.862f},    {70, 5.383f},   {60, 6.624f},
    {50, 7.495f},  {40, 7.946f},     {30, 7.907f},    {20, 7.318f},   {15, 6.639f},
    {10, 5.509f},  {7.5f, 4.794f},   {5, 3.909f},     {2.5f, 2.635f}, {1.25f, 1.707f},
    {0, 0},        {1.25f, -1.303f}, {2.5f, -1.655f}, {5, -2.05f},    {7.5f, -2.226f},
    {10, -2.331f}, {15, -2.411f},    {20, -2.362f},   {30, -2.093f},  {40, -1.794f},
    {50, -1.495f}, {60, -1.196f},    {70, -0.897f},   {80, -0.598f},  {90, -0.299f},
    {100, 0},
}};

} // namespace bladetrace
