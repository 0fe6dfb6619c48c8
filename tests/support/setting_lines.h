// Setting lines shared by the tests, as UTF-8: the standard setting and a few others.
#pragma once

namespace gradation::test::lines {

// Everything after the name of the standard setting.
inline constexpr char kStandardTail[] = ",OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0";
inline constexpr char kStandard[] =
    "起動時標準,OFF,OFF,OFF,OFF,OFF,OFF, 0, 0, 1,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0";
inline constexpr char kItem[] = "アイテム,ON,ON,ON,ON,ON,ON, 1, 0, 5,OFF, 0,H,OFF, 2, 25, 25, 112, 30, 144, 255";
inline constexpr char kSized[] = "大きさ3,OFF,OFF,OFF,OFF,OFF,OFF, 1, 0, 3,OFF, 0,H,OFF, 0, 0, 128, 255, 255, 128, 0,0";
// Every marker, table and size at once.
inline constexpr char kHeaviest[] = "重,ON,ON,ON,ON,ON,ON, 1, 0, 4,ON, 2,V,ON, 0, 255, 0, 0, 0, 0, 255,1";

}  // namespace gradation::test::lines
