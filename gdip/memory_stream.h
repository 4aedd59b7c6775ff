#pragma once
// A COM stream over a block of movable global memory: the road by which
// GDI+ decodes pictures held as bytes and encodes pictures into bytes.
//
// While it holds a stream the object owns one reference to it and the block
// under it; the stream is made without delete-on-release, so the object
// frees the block itself, exactly once.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace korvath::gdip {

class MemoryStream {
 public:
  MemoryStream() = default;
  ~MemoryStream() { Release(); }
  MemoryStream(MemoryStream&& other) noexcept
      : block_(std::exchange(other.block_, nullptr)), stream_(std::exchange(other.stream_, nullptr)) {}
  MemoryStream& operator=(MemoryStream&& other) noexcept;
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  // Lets go of what it held, then copies the first `size` bytes (default:
  // all of them) into a new block with a stream on it, positioned at 0.
  // Returns the stream, or null (holding nothing) when `size` is longer than
  // the bytes or the system refuses the block or the stream.
  IStream* CreateFromBytes(std::span<const uint8_t> bytes = {}, std::optional<uint32_t> size = {});
  // Releases the stream and frees its block; nothing when it holds none.
  void Release();
  // The block's size in bytes; 0 with no block.
  uint32_t GetSize() const;
  IStream* GetStream() const noexcept { return stream_; }
  // Takes over the caller's reference to a stream that was made on a global
  // block without delete-on-release, and that block. False when the stream
  // has no global block (it is held all the same).
  [[nodiscard]] bool AttachStream(IStream* stream);
  // A copy of the stream's data in its block, whatever the seek position;
  // empty with no block.
  std::vector<uint8_t> GetBytes() const;
  HGLOBAL GetGlobalHandle() const noexcept { return block_; }

 private:
  HGLOBAL block_ = nullptr;
  IStream* stream_ = nullptr;
};

}  // namespace korvath::gdip
