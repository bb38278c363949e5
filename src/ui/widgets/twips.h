#pragma once

#include <QRect>
#include <QSize>

namespace vorlo {

// Designed geometry is in twips: 15 twips make one pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

inline QRect twips_rect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

inline QSize twips_size(int width, int height) {
    return {pixels(width), pixels(height)};
}

}  // namespace vorlo
