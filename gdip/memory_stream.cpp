#include "gdip/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

IStream* MemoryStream::CreateFromBytes(std::span<const uint8_t> bytes, std::optional<uint32_t> size) {
  Release();
  size_t length = size.value_or(uint32_t(bytes.size()));
  if (length > bytes.size()) return nullptr;

  platform::UniqueHandle<GlobalBlockTraits> block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length));
  if (!block) return nullptr;
  if (length > 0) {
    LockedBlock locked(block.get());
    if (!locked.data()) return nullptr;
    // Into the block, not through the stream, so that the stream stays at 0.
    std::memcpy(locked.data(), bytes.data(), length);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block.get(), FALSE, &stream)) || !stream) return nullptr;
  block_ = std::move(block);
  stream_.Reset(stream);
  return stream;
}

void MemoryStream::Release() {
  stream_.Reset();
  block_.Reset();
}

uint32_t MemoryStream::GetSize() const { return block_ ? uint32_t(GlobalSize(block_.get())) : 0; }

bool MemoryStream::AttachStream(IStream* stream) {
  HGLOBAL block = nullptr;
  if (stream && FAILED(GetHGlobalFromStream(stream, &block))) block = nullptr;
  // The new stream is taken before the old one goes: given the stream it
  // holds (with a reference of the caller's), releasing first would free the
  // block under the stream it keeps. The block stays when it is the same one;
  // the reference held before is given back all the same.
  MemoryStream previous(std::move(*this));
  stream_.Reset(stream);
  block_.Reset(block == previous.block_.get() ? previous.block_.Release() : block);
  return static_cast<bool>(block_);
}

std::vector<uint8_t> MemoryStream::GetBytes() const {
  if (!block_) return {};
  size_t length = GlobalSize(block_.get());
  // A stream on a block may keep the block larger than what it holds.
  STATSTG stat = {};
  if (stream_ && SUCCEEDED(stream_.get()->Stat(&stat, STATFLAG_NONAME)))
    length = std::min<size_t>(length, size_t(stat.cbSize.QuadPart));
  if (length == 0) return {};
  LockedBlock locked(block_.get());
  if (!locked.data()) return {};
  return std::vector<uint8_t>(locked.data(), locked.data() + length);
}

}  // namespace korvath::gdip
