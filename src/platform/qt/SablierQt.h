#pragma once
// The hourglass of platform::Sablier on screen: the application's override cursor.

namespace platform {

// Needs the QGuiApplication; the busy cursor is Qt::WaitCursor.
void InstallerSablierQt();

} // namespace platform
