// Values and the procedure every window shares: LineBreak and IniFile, set once by
// the start-up sequence, and CenterForm.
#pragma once

#include <filesystem>
#include <string>

class QWidget;

namespace gradation::app {

inline std::u16string LineBreak;        // carriage return, line feed
inline std::filesystem::path IniFile;   // QX.ini beside the program

// Puts the window in the middle of the whole primary screen: first the left edge,
// then, with the height read afterwards, the top edge.
void CenterForm(QWidget& form);

}  // namespace gradation::app
