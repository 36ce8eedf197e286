#pragma once

// The editor's mouse cursors on Windows: the system's shapes, shared by every window and never
// freed. Kinds are the framework's (0 arrow ... 13 help).
namespace WinCursors {

constexpr int kKindCount = 14;

// The system cursor's resource number (an IDC_ value) for a kind; unknown kinds are the arrow.
unsigned ResourceOf(int kind);

} // namespace WinCursors
