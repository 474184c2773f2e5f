#pragma once
// Where the registry's keys are kept. The registry interface reads through
// Root() and changes keys only through Update(), which either stores the
// whole change or nothing.

#include <functional>

#include "platform/registry/key_tree.h"

namespace pscfg::registry {

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // The keys as stored now. The reference holds until the next call.
  virtual const KeyNode& Root() = 0;

  // Runs `change` on a copy of the stored keys (as stored at this moment)
  // and, when it returns kErrorSuccess, stores the copy. Returns the result
  // of `change`, or kErrorRegistryIoFailed when storing failed; on any
  // failure the stored keys stay as they were.
  virtual LONG Update(const std::function<LONG(KeyNode& root)>& change) = 0;
};

// Keys kept in memory only, for tests.
class MemoryRegistryBackend : public RegistryBackend {
 public:
  MemoryRegistryBackend() = default;
  explicit MemoryRegistryBackend(KeyNode root) : root_(std::move(root)) {}

  const KeyNode& Root() override { return root_; }
  LONG Update(const std::function<LONG(KeyNode& root)>& change) override {
    KeyNode copy = root_;
    const LONG result = change(copy);
    if (result == kErrorSuccess) root_ = std::move(copy);
    return result;
  }

 private:
  KeyNode root_;
};

}  // namespace pscfg::registry
