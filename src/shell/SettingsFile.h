#pragma once

namespace tabulink {

// The one settings file, "tablomi.ini" in the user's configuration folder,
// holds the start folder, the kept page options and the preview's place.
namespace SettingsFile {

// QSettings opens its file with a plain blocking open and reads it to the
// end, so a FIFO in its place would hang the program and a device such as
// /dev/zero would never end; on storing, it would replace the FIFO with a
// file. Anything there but a regular file is left alone: every setting reads
// as missing and none is stored.
bool usable();

} // namespace SettingsFile

} // namespace tabulink
