#include "gdip/memory_stream.h"

#include <algorithm>
#include <cstring>

namespace korvath::gdip {

namespace {

// Locks a global block for the time of one copy.
class LockedBlock {
 public:
  explicit LockedBlock(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
  ~LockedBlock() {
    if (data_) GlobalUnlock(block_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  uint8_t* data() const { return static_cast<uint8_t*>(data_); }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace

MemoryStream& MemoryStream::operator=(MemoryStream&& other) noexcept {
  if (this != &other) {
    Release();
    block_ = std::exchange(other.block_, nullptr);
    stream_ = std::exchange(other.stream_, nullptr);
  }
  return *this;
}

IStream* MemoryStream::CreateFromBytes(std::span<const uint8_t> bytes, std::optional<uint32_t> size) {
  Release();
  size_t length = size.value_or(uint32_t(bytes.size()));
  if (length > bytes.size()) return nullptr;

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length);
  if (!block) return nullptr;
  if (length > 0) {
    LockedBlock locked(block);
    if (!locked.data()) {
      GlobalFree(block);
      return nullptr;
    }
    // Into the block, not through the stream, so that the stream stays at 0.
    std::memcpy(locked.data(), bytes.data(), length);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream)) || !stream) {
    GlobalFree(block);
    return nullptr;
  }
  block_ = block;
  stream_ = stream;
  return stream_;
}

void MemoryStream::Release() {
  if (!stream_) return;
  std::exchange(stream_, nullptr)->Release();
  if (HGLOBAL block = std::exchange(block_, nullptr)) GlobalFree(block);
}

uint32_t MemoryStream::GetSize() const { return block_ ? uint32_t(GlobalSize(block_)) : 0; }

bool MemoryStream::AttachStream(IStream* stream) {
  Release();
  if (!stream) return false;
  stream_ = stream;
  HGLOBAL block = nullptr;
  if (FAILED(GetHGlobalFromStream(stream, &block))) block = nullptr;
  block_ = block;
  return block_ != nullptr;
}

std::vector<uint8_t> MemoryStream::GetBytes() const {
  if (!block_) return {};
  size_t length = GlobalSize(block_);
  // A stream on a block may keep the block larger than what it holds.
  STATSTG stat = {};
  if (stream_ && SUCCEEDED(stream_->Stat(&stat, STATFLAG_NONAME)))
    length = std::min<size_t>(length, size_t(stat.cbSize.QuadPart));
  if (length == 0) return {};
  LockedBlock locked(block_);
  if (!locked.data()) return {};
  return std::vector<uint8_t>(locked.data(), locked.data() + length);
}

}  // namespace korvath::gdip
