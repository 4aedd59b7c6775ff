#pragma once
// `ComPtr`: the one owner of a COM interface pointer, which it releases.

namespace korvath::platform {

template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface* get() const { return p_; }
  Interface* operator->() const { return p_; }
  // For the one call that hands the pointer out.
  Interface** out() { return &p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  Interface* p_ = nullptr;
};

}  // namespace korvath::platform
