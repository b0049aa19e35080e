#pragma once

namespace tabulink {

// Style, fonts and look shared by the program and its window tests. Call
// after the QApplication exists and before any widget is made.
void setUpApplication();

} // namespace tabulink
