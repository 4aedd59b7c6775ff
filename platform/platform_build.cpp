// Keeps the platform library non-empty in builds that have none of its
// Win32 parts (the native build).
namespace korvath::platform {
int BuildMarker() { return 1; }
}  // namespace korvath::platform
