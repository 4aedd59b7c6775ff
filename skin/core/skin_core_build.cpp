// Keeps the library non-empty while its classes are added file by file.
namespace korvath::skin {
int BuildMarker() { return 1; }
}  // namespace korvath::skin
