#pragma once

// The file-name bytes moved down to textio, where reading a file needs them.
// This header keeps the old path working for the window until it includes
// textio/NativePath.h itself; then it goes.
#include "textio/NativePath.h"
