#pragma once
// Readable names for parameterised cases that are not labelled records.

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace assets_test {

inline constexpr int panelColourCount = 5;

inline std::string panelColourName(int colour) {
    constexpr std::array<const char*, panelColourCount> names{
        "red", "yellow", "green", "lightBlue", "purple"};
    return names[static_cast<std::size_t>(colour)];
}

inline std::string panelColourTestName(const ::testing::TestParamInfo<int>& info) {
    return panelColourName(info.param);
}

// A case given by its bitmap's file name, e.g. "title_logo1".
inline std::string bitmapFileTestName(const ::testing::TestParamInfo<const char*>& info) {
    return info.param;
}

}  // namespace assets_test
