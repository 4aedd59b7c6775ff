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
#include <vector>

#include "platform/unique_handle.h"

namespace korvath::gdip {

class MemoryStream {
  struct StreamReferenceTraits {
    using Value = IStream*;
    static Value Empty() noexcept { return nullptr; }
    static void Free(IStream* stream) noexcept { stream->Release(); }
  };
  struct GlobalBlockTraits {
    using Value = HGLOBAL;
    static Value Empty() noexcept { return nullptr; }
    static void Free(HGLOBAL block) noexcept { GlobalFree(block); }
  };

 public:
  MemoryStream() = default;
  // The stream goes before the block under it, also when another one is
  // moved in (the members are assigned in their order).
  ~MemoryStream() { Release(); }
  MemoryStream(MemoryStream&&) noexcept = default;
  MemoryStream& operator=(MemoryStream&&) noexcept = default;

  // Lets go of what it held, then copies the first `size` bytes (default:
  // all of them) into a new block with a stream on it, positioned at 0.
  // Returns the stream, or null (holding nothing) when `size` is longer than
  // the bytes or the system refuses the block or the stream.
  IStream* CreateFromBytes(std::span<const uint8_t> bytes = {}, std::optional<uint32_t> size = {});
  // Releases the stream and frees its block; nothing when it holds none.
  void Release();
  // The block's size in bytes; 0 with no block.
  uint32_t GetSize() const;
  IStream* GetStream() const noexcept { return stream_.get(); }
  // Takes over the caller's reference to a stream that was made on a global
  // block without delete-on-release, and that block, then lets go of what it
  // held (the stream it holds already, given again, is kept with its block).
  // False when the stream has no global block (it is held all the same).
  [[nodiscard]] bool AttachStream(IStream* stream);
  // A copy of the stream's data in its block, whatever the seek position;
  // empty with no block.
  std::vector<uint8_t> GetBytes() const;
  HGLOBAL GetGlobalHandle() const noexcept { return block_.get(); }

 private:
  platform::UniqueHandle<StreamReferenceTraits> stream_;
  platform::UniqueHandle<GlobalBlockTraits> block_;
};

}  // namespace korvath::gdip
